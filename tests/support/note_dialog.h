#pragma once
// A dialog that records the notifications its controls send and drives
// itself with synthetic mouse input.
#include <vector>

#include "oxa/core/dialog.h"
#include "oxa/core/native_window.h"
#include "oxa/core/window_messages.h"

namespace oxatest {

using namespace OXA;

struct Note {
    unsigned id, code, wParam;
    long lParam;
    bool operator==(const Note&) const = default;
};

class NoteDialog : public MDialog {
public:
    std::vector<Note> notes;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override
    {
        notes.push_back({id, code, wParam, lParam});
        return 0;
    }
    HWND Open(int width, int height) { return Create(nullptr, u"test"_qs, WS_POPUP, 0, CRect(0, 0, width, height)); }
    long Send(unsigned msg, unsigned wParam, int x, int y) { return SendMessageW(msg, wParam, MAKELONG(x, y)); }
    void Move(int x, int y, unsigned flags = 0) { Send(WM_MOUSEMOVE, flags, x, y); }
    void Down(int x, int y) { Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y); }
    void Up(int x, int y) { Send(WM_LBUTTONUP, 0, x, y); }
    void Click(int x, int y)
    {
        Move(x, y);
        Down(x, y);
        Up(x, y);
    }
    template <typename T>
    T* Make(const char16_t* cls, unsigned id, CRect rect, const CString& title = CString(), int enabled = 1)
    {
        return dynamic_cast<T*>(CreateControl(QString::fromUtf16(cls), id, rect, title, 1, enabled));
    }
    // Forgets the repaint requests so far; true when one came since.
    void ForgetRepaints() { GetSafeHwnd()->TakeUpdateRect(); }
    bool RepaintPending() { return GetSafeHwnd()->HasUpdate(); }
};

}  // namespace oxatest
