#pragma once
// A dialog that records notifications and drives itself with synthetic
// input, and a temporary program folder for the pictures the tests draw.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <vector>

#include "oxa/core/dialog.h"
#include "oxa/core/manager.h"
#include "oxa/core/native_window.h"
#include "oxa/core/window_messages.h"

namespace kbtest {

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
    void Move(int x, int y) { Send(WM_MOUSEMOVE, 0, x, y); }
    void Down(int x, int y) { Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y); }
    void Up(int x, int y) { Send(WM_LBUTTONUP, 0, x, y); }
    void Click(int x, int y)
    {
        Move(x, y);
        Down(x, y);
        Up(x, y);
    }
    template <typename T>
    T* Make(const char16_t* cls, unsigned id, CRect rect)
    {
        return dynamic_cast<T*>(CreateControl(QString::fromUtf16(cls), id, rect, CString(), 1, 1));
    }
    // Forgets the repaint requests so far; true when one came since.
    void ForgetRepaints() { GetSafeHwnd()->TakeUpdateRect(); }
    bool RepaintPending() { return GetSafeHwnd()->HasUpdate(); }
};

// A program folder in a temporary directory, with its skin folder; pictures
// are solid colours (or strips of them) written as PNG files.
class PictureFolder {
public:
    PictureFolder() : m_old(Manager::GetProgramFolder())
    {
        QDir(m_dir.path()).mkpath(u"skins/theme1/icon"_qs);
        Manager::SetProgramFolder(m_dir.path() + u"/"_qs);
    }
    ~PictureFolder() { Manager::SetProgramFolder(m_old); }
    PictureFolder(const PictureFolder&) = delete;
    PictureFolder& operator=(const PictureFolder&) = delete;

    // Writes a strip of frameWidth x height frames, one colour each, at a
    // path relative to the program folder; returns the full path.
    QString Strip(const QString& relative, int frameWidth, int height, const std::vector<QRgb>& colours)
    {
        QImage image(frameWidth * int(colours.size()), height, QImage::Format_ARGB32);
        QPainter p(&image);
        for (size_t i = 0; i < colours.size(); ++i)
            p.fillRect(int(i) * frameWidth, 0, frameWidth, height, QColor::fromRgba(colours[i]));
        p.end();
        const QString path = m_dir.path() + u"/"_qs + relative;
        image.save(path);
        return path;
    }
    QString Solid(const QString& relative, int width, int height, QRgb colour)
    {
        return Strip(relative, width, height, {colour});
    }
    // The same inside the skin folder; returns the path relative to it.
    QString Skin(const QString& relative, int width, int height, QRgb colour)
    {
        Solid(u"skins/theme1/"_qs + relative, width, height, colour);
        return relative;
    }
    QString Missing() const { return m_dir.path() + u"/missing.png"_qs; }

private:
    QTemporaryDir m_dir;
    CString m_old;
};

inline QRgb At(const QImage& image, int x, int y)
{
    return image.convertToFormat(QImage::Format_ARGB32).pixel(x, y) | 0xFF000000u;
}

// The brightest pixel (largest green channel) in rect.
inline QRgb Brightest(const QImage& image, QRect rect)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QRgb best = 0xFF000000u;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (qGreen(argb.pixel(x, y)) > qGreen(best))
                best = argb.pixel(x, y) | 0xFF000000u;
    return best;
}

// How many pixels of rect have the colour.
inline int Count(const QImage& image, QRect rect, QRgb colour)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += (argb.pixel(x, y) | 0xFF000000u) == (colour | 0xFF000000u) ? 1 : 0;
    return n;
}

}  // namespace kbtest
