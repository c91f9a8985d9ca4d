#pragma once
// A control with a title, a font, a text colour, an alignment and an image
// strip: the base of every visible control.
#include <QFont>

#include "oxa/core/control.h"

namespace OXA {

struct FontFamily;

// Font style bits.
constexpr int FontStyleRegular = 0;
constexpr int FontStyleBold = 1;
constexpr int FontStyleItalic = 2;
constexpr int FontStyleUnderline = 4;

class OXA_API MControlFont : public MControl {
public:
    MControlFont(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
                 int enabled = 1, int mouseResponse = 1);
    ~MControlFont() override;

    virtual void SetTextFont(const CString& face);
    virtual void SetTextColor(ARGB color);
    // Picture resource of the program; 0 when not attached or not loadable.
    virtual int SetImage(unsigned resourceId, const CString& type, int frames);
    // Picture relative to the skin folder; 0 when not attached or not
    // loadable (the previous picture stays).
    virtual int SetImage(const CString& path, int frames);
    virtual void SetControlTitle(const CString& title);
    virtual CString GetControlTitle();

    void SetTitle(const CString& title);
    CString GetTitle() { return GetControlTitle(); }
    void SetFont(const CString& face, int size, int style);
    void SetAlignment(unsigned h);
    void SetAlignment(unsigned h, unsigned v);
    void SetVAlignment(unsigned v);
    void GetAlignment(unsigned* h, unsigned* v) const;
    void SetTextRenderingHint(int hint) { m_renderHint = hint; }
    int GetTextRenderingHint() const { return m_renderHint; }
    const FontFamily* GetFontFamily();
    // The font text of this control is drawn with: the library-wide family,
    // this control's size and style.
    QFont GetGDIFont();
    void ClearGDIFont();

    CString GetFontFace() const { return m_fontFace; }
    int GetFontSize() const { return m_fontSize; }
    int GetFontStyle() const { return m_fontStyle; }
    ARGB GetTextColor() const { return m_textColor; }
    unsigned GetHAlign() const { return m_hAlign; }
    unsigned GetVAlign() const { return m_vAlign; }
    CString GetImagePath() const { return m_imagePath; }
    const QImage* GetImage() const { return m_image; }
    int GetImageFrameWidth() const { return m_frameWidth; }
    int GetImageFrameHeight() const { return m_frameHeight; }
    int GetImageFrameCount() const { return m_frameCount; }

protected:
    // Draws frame `frame` of the image strip into dst (border 0 stretches).
    void DrawImageStrip(QPainter& p, int frame, CRect dst, int border) const;
    // Draws the title into rect with the control's font and alignment.
    void DrawTitle(QPainter& p, CRect rect, ARGB color) const;

    CString m_title;
    CString m_fontFace;
    CString m_imagePath;
    int m_fontSize;
    ARGB m_textColor = 0xFFFFFFFFu;
    int m_fontStyle = FontStyleRegular;
    const FontFamily* m_fontFamily = nullptr;
    unsigned m_hAlign = 0;
    unsigned m_vAlign = 4;
    int m_renderHint = 5;
    QFont m_gdiFont;
    bool m_hasGdiFont = false;
    const QImage* m_image = nullptr;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    int m_frameCount = 4;
};

}  // namespace OXA
