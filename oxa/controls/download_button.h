#pragma once
// Push button with a download progress: while SetDownloadProcess has set a
// value between 1 and 99 a bar fills the button from the left in proportion
// and the text shows "N%"; 0 and 100 show the plain button with its icon
// and title. Mouse and notifications as MButton.
#include "oxa/controls/button.h"

namespace OXA {

class OXA_API DownloadButton : public MButton {
public:
    DownloadButton(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
                   int enabled = 1);

    // Percent 0..100; above 100 is clamped, a negative value ignored.
    // Returns the current value.
    int SetDownloadProcess(int percent);
    int GetDownloadProcess() const { return m_percent; }
    bool IsDownloading() const { return m_percent > 0 && m_percent < 100; }
    // The text drawn over the button now.
    CString ShownTitle() const override;

protected:
    void RenderFrame(QPainter& p, int frame, CRect dst) override;

private:
    int m_percent = 0;
};

}  // namespace OXA
