#pragma once
// The fading message strip a window shows over its content: a text that
// holds for 3 s and then fades, or a progress bar that animates to its
// target. The window supplies the timers and the invalidation.
#include <functional>

#include "oxa/core/geometry.h"
#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"

class QPainter;
class QFont;

namespace OXA {

class OXA_API MessageStrip {
public:
    static constexpr unsigned kHoldTimer = 66;
    static constexpr unsigned kFadeTimer = 88;
    static constexpr unsigned kProgressTimer = 99;

    std::function<void(unsigned id, unsigned ms)> startTimer;
    std::function<void(unsigned id)> stopTimer;
    std::function<void(CRect)> invalidate;

    void SetMessage(const CString& text, CRect rect, int level);
    // clientRect gives the default strip when rect is empty.
    void SetProgress(int percent, const CString& text, CRect rect, CRect clientRect);
    // Handles one of the three timers; false for other ids.
    bool OnTimer(unsigned id);
    void Draw(QPainter& p, const QFont& font) const;
    bool IsShown() const { return m_alpha > 10 && !m_text.isEmpty(); }

    CString Text() const { return m_text; }
    int Level() const { return m_level; }
    int Alpha() const { return m_alpha; }
    int Shown() const { return m_shown; }
    int Target() const { return m_target; }
    CRect Rect() const { return m_rect; }

private:
    void Start(unsigned id, unsigned ms) const { if (startTimer) startTimer(id, ms); }
    void Stop(unsigned id) const { if (stopTimer) stopTimer(id); }
    void Invalidate() const { if (invalidate) invalidate(m_rect); }

    CString m_text;
    int m_level = 0;
    int m_alpha = 0;
    int m_shown = 0;
    int m_target = 0;
    CRect m_rect;
};

}  // namespace OXA
