#pragma once
// A dialog that records notifications, a skin folder of plain-coloured
// strips, and helpers that drive the window with synthetic input.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <vector>

#include "oxa/core/dialog.h"
#include "oxa/core/manager.h"
#include "oxa/core/native_window.h"
#include "oxa/core/window_messages.h"

namespace ctltest {

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
};

// A program folder whose skin holds strips of solid colours, one per frame.
class ColourSkin {
public:
    ColourSkin() : m_old(Manager::GetProgramFolder())
    {
        QDir(m_dir.path()).mkpath(u"skins/theme1"_qs);
        Manager::SetProgramFolder(m_dir.path() + u"/"_qs);
    }
    ~ColourSkin() { Manager::SetProgramFolder(m_old); }
    ColourSkin(const ColourSkin&) = delete;
    ColourSkin& operator=(const ColourSkin&) = delete;

    // Writes name with one frameWidth x height frame per colour.
    void Strip(const QString& name, int frameWidth, int height, const std::vector<QRgb>& colours)
    {
        QImage image(frameWidth * int(colours.size()), height, QImage::Format_ARGB32);
        QPainter p(&image);
        for (size_t i = 0; i < colours.size(); ++i)
            p.fillRect(int(i) * frameWidth, 0, frameWidth, height, QColor::fromRgba(colours[i]));
        p.end();
        image.save(m_dir.path() + u"/skins/theme1/"_qs + name);
    }

private:
    QTemporaryDir m_dir;
    CString m_old;
};

inline QRgb At(const QImage& image, int x, int y)
{
    return image.convertToFormat(QImage::Format_ARGB32).pixel(x, y) | 0xFF000000u;
}

}  // namespace ctltest
