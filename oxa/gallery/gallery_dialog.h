#pragma once
// The gallery window: every standard control in its states, laid out in four
// columns. Every notification and every message a popup menu posts is
// printed as one line on standard output:
//   notify id=<control> code=<code> w=<wParam> l=<lParam>
//   post msg=<message> w=<wParam> l=<lParam>
// and each popup it opens as
//   menu x=<screen x> y=<screen y> w=<width> h=<height> items=<id>,<id>,...
#include <cstdio>
#include <memory>

#include "oxa/core/dialog.h"

namespace OXA {
class MText;
}

namespace gallery {

class GalleryBoard;

class GalleryDialog : public OXA::MDialog {
public:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 720;

    explicit GalleryDialog(std::FILE* out);
    ~GalleryDialog() override;

    // Prints the "control ..." lines of every named control.
    void Describe() const;
    // Prints "text id=<id> <text>": an edit's text, or the text of the
    // selected row of a list or combo box. False for other controls.
    bool PrintText(unsigned id);
    // From now on notifications are printed (those sent while the gallery
    // sets its controls up are not).
    void StartReporting() { m_reporting = true; }

    void InitUI(OXA::CRect client) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
    void PostNcDestroy() override;

private:
    // Opens the gallery's popup menu with its top-left corner at a point of
    // the window.
    void OpenMenu(OXA::CPoint clientPoint);
    void ToggleBalloon();
    void Report(const char* line);

    std::FILE* m_out;
    bool m_reporting = false;
    bool m_balloonShown = false;
    OXA::MText* m_status = nullptr;
    std::unique_ptr<GalleryBoard> m_board;
};

}  // namespace gallery
