#pragma once
// The small popup shown over a key of the keyboard picture or over an icon
// button: up to three centred white lines on a dark plate with a grey
// border. Its user creates it (CreateTipWindow), places it with
// SetAirBladderMsg and shows or hides it with ShowWindow. It hides itself
// when it loses the focus and when window timer 10 fires; it takes no mouse
// or key input.
#include <QImage>
#include <QRegion>

#include "oxa/core/font_collection.h"
#include "oxa/core/window.h"

namespace OXA {

class OXA_API CKeyboardTips : public MWindow {
public:
    static constexpr int kWidth = 190;
    static constexpr int kHeight = 100;
    static constexpr unsigned kHideTimerId = 10;

    CKeyboardTips();
    ~CKeyboardTips() override;

    const char16_t* GetWindowClassName() const override;
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
    int OnInitDialog() override;

    // Creates the tip as a tool popup owned by owner, titled
    // "KeyboardTip Window"; it stays hidden until its user shows it.
    HWND CreateTipWindow(HWND owner);
    // Returns 1 at once when all four equal the stored ones, else stores
    // them and returns 0; with a title the window is moved centred above the
    // anchor (screen coordinates), sized 190 x 100 and painted at once.
    int SetAirBladderMsg(const CString& title, const CString& line2, const CString& line3, CPoint anchor);
    // A background picture relative to the skin folder, or a picture
    // resource of the program; kept with its size (the painting does not use
    // it). 1 when loaded.
    int LoadBKImage(const CString& relativePath);
    int LoadBKImage(unsigned resourceId, const CString& type);
    void SetBackMode(int mode, int border);
    // Asks the window to close (posted; the window is destroyed when the
    // request is handled).
    void CloseWindow();

    // What the window shows now, painted into an image of its client size.
    QImage RenderImage();
    // The window's shape for a client size: a rectangle with 3-pixel rounded
    // corners.
    static QRegion ShapeRegion(int width, int height);

    CString GetTitle() const { return m_title; }
    CString GetLine2() const { return m_line2; }
    CString GetLine3() const { return m_line3; }
    CPoint GetAnchor() const { return m_anchor; }
    CSize GetBKImageSize() const { return CSize(m_bkImage.width(), m_bkImage.height()); }
    int GetBackMode() const { return m_backMode; }
    int GetBackBorder() const { return m_backBorder; }

private:
    void PaintNow();
    void ApplyShape();
    QFont LineFont(int pixelSize);

    CString m_title;
    CString m_line2;
    CString m_line3;
    CPoint m_anchor;
    QImage m_bkImage;
    int m_backMode = 0;
    int m_backBorder = 0;
    FontFamily m_family;
    bool m_familyLoaded = false;
};

}  // namespace OXA
