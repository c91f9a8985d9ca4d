#pragma once
// Small controls and a dialog that record what reaches them.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <functional>
#include <string>
#include <vector>

#include "oxa/core/control_font.h"
#include "oxa/core/dialog.h"
#include "oxa/core/native_window.h"
#include "oxa/core/render.h"

namespace oxatest {

using namespace OXA;

struct Notification {
    unsigned id, code, wParam;
    long lParam;
    bool operator==(const Notification&) const = default;
};

// A dialog that records its controls' notifications and chosen messages.
class RecordingDialog : public MDialog {
public:
    std::vector<Notification> notes;
    std::vector<unsigned> windowMessages;  // messages listed in watch
    std::vector<unsigned> watch;
    std::vector<unsigned> timers;
    std::function<void(CRect)> initUI;

    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override
    {
        notes.push_back({id, code, wParam, lParam});
        return 0;
    }
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override
    {
        for (unsigned w : watch)
            if (w == msg)
                windowMessages.push_back(msg);
        return MDialog::OnWindowMessage(msg, wParam, lParam);
    }
    int OnTimer(unsigned id) override
    {
        timers.push_back(id);
        return 0;
    }
    void InitUI(CRect rect) override
    {
        if (initUI)
            initUI(rect);
    }
    // Creates a borderless window of the given size at (0, 0).
    HWND Open(int width, int height)
    {
        return Create(nullptr, u"test"_qs, WS_POPUP, 0, CRect(0, 0, width, height));
    }
    long Send(unsigned msg, unsigned wParam, int x, int y) { return SendMessageW(msg, wParam, MAKELONG(x, y)); }
};

// A control that records the events routed to it and, like a push button,
// sends code 1 on a press and code 2 on a release inside after a press. It
// renders four state frames into its cache, each a colour over the copied
// background.
class ProbeControl : public MControlFont {
public:
    using MControlFont::MControlFont;

    std::vector<std::string> log;
    std::vector<CPoint> moves;
    int renders = 0;
    int draws = 0;
    int ticks = 0;
    int state = 0;
    bool pressed = false;
    int moveResult = 1;
    int keyResult = 0;
    int scrollResult = 0;
    int dblClkResult = 0;
    ARGB frameColours[4] = {0x80FF0000u, 0x8000FF00u, 0x800000FFu, 0x80808080u};
    std::function<void()> onTick;

    void SetDoubleClick(int on) { SetDblClk(on); }
    void SetFocused(int on) { SetFocusedFlag(on); }

    void DrawControl(HDC& hdc, CRect) override
    {
        ++draws;
        const int w = m_rect.Width(), h = m_rect.Height();
        if (!m_update) {
            ++renders;
            UpdateMemDC(hdc, 4 * w, h);
            for (int i = 0; i < 4; ++i) {
                CopyBackgroundToFrame(hdc, i);
                QPainter p(&m_memImage);
                MRender::DrawColor(p, CRect(i * w, 0, (i + 1) * w, h), frameColours[i]);
            }
        }
        DrawFrameFromCache(hdc, m_enabled ? state : 3);
    }
    int OnControlMouseMove(unsigned, CPoint pt) override
    {
        moves.push_back(pt);
        log.push_back("move");
        const int s = m_rect.PtInRect(pt) ? (pressed ? 2 : 1) : 0;
        if (s != state) {
            state = s;
            UpdateControl(0, 0);
        }
        return moveResult;
    }
    int OnControlLButtonDown(unsigned, CPoint) override
    {
        log.push_back("down");
        pressed = true;
        state = 2;
        SendMessageW(1, 0, 0);
        return 1;
    }
    int OnControlLButtonUp(unsigned, CPoint pt) override
    {
        log.push_back("up");
        const bool was = pressed;
        pressed = false;
        state = m_rect.PtInRect(pt) ? 1 : 0;
        if (was && m_rect.PtInRect(pt))
            SendMessageW(2, 0, 0);
        return 1;
    }
    int OnControlLButtonDblClk(unsigned, CPoint) override
    {
        log.push_back("dblclk");
        return dblClkResult;
    }
    int OnControlRButtonDown(unsigned, CPoint) override
    {
        log.push_back("rdown");
        return 1;
    }
    int OnControlRButtonUp(unsigned, CPoint) override
    {
        log.push_back("rup");
        return 1;
    }
    int OnControlScroll(int kind, unsigned down, CPoint) override
    {
        log.push_back("scroll" + std::to_string(kind) + ":" + std::to_string(down));
        return scrollResult;
    }
    int OnControlKeyDown(unsigned vk, unsigned, unsigned mods) override
    {
        log.push_back("key" + std::to_string(vk) + ":" + std::to_string(mods));
        return keyResult;
    }
    int OnControlTimer() override
    {
        ++ticks;
        if (onTick)
            onTick();
        return 1;
    }
    int SetControlFocus(int focus) override
    {
        SetFocusedFlag(focus);
        log.push_back(focus ? "focus" : "blur");
        return MControlFont::SetControlFocus(focus);
    }
    int CountOf(const std::string& entry) const
    {
        int n = 0;
        for (const auto& e : log)
            n += e == entry;
        return n;
    }
};

// An object that records the repaint requests of its children.
class RecordingParent : public MObject {
public:
    struct Request {
        CRect rect;
        int redraw;
        MControl* control;
    };
    std::vector<Request> requests;
    std::vector<Notification> notes;
    long OnControlUpdate(CRect rect, int redraw, MControl* control) override
    {
        requests.push_back({rect, redraw, control});
        return 0;
    }
    long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override
    {
        notes.push_back({id, code, wParam, lParam});
        return 0;
    }
};

// Runs the event loop until pred holds or timeoutMs passed.
inline bool SpinUntil(const std::function<bool()>& pred, int timeoutMs = 2000)
{
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

inline QRgb Pixel(const QImage& image, int x, int y)
{
    return image.convertToFormat(QImage::Format_ARGB32).pixel(x, y);
}

}  // namespace oxatest
