#include "oxa/core/control_font.h"

#include <QPainter>

#include "oxa/core/font_collection.h"
#include "oxa/core/manager.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"

namespace OXA {

MControlFont::MControlFont(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled,
                           int mouseResponse)
    : MControl(parent, id, rect, visible, enabled, mouseResponse), m_title(title), m_fontFace(Manager::GetFontName()),
      m_fontSize(Manager::GetFontWidth())
{
}

MControlFont::~MControlFont() = default;

void MControlFont::SetTextFont(const CString& face) { m_fontFace = face; }
void MControlFont::SetTextColor(ARGB color) { m_textColor = color; }

int MControlFont::SetImage(unsigned resourceId, const CString& type, int frames)
{
    if (!m_manager)
        return 0;
    frames = std::max(1, frames);
    ImgResInfo* info = m_manager->AddImgResInfo(resourceId, type, frames, 1);
    if (!info)
        return 0;
    m_image = info->image;
    m_frameWidth = info->frameWidth;
    m_frameHeight = info->frameHeight;
    m_frameCount = frames;
    UpdateControl(1, 0);
    return 1;
}

int MControlFont::SetImage(const CString& path, int frames)
{
    if (!m_manager)
        return 0;
    frames = std::max(1, frames);
    ImgResInfo* info = m_manager->AddImgResInfo(path, frames);
    if (!info)
        return 0;
    m_image = info->image;
    m_frameWidth = info->frameWidth;
    m_frameHeight = info->frameHeight;
    m_frameCount = frames;
    m_imagePath = path;
    UpdateControl(1, 0);
    return 1;
}

void MControlFont::SetControlTitle(const CString& title) { m_title = title; }
CString MControlFont::GetControlTitle() { return m_title; }

void MControlFont::SetTitle(const CString& title)
{
    ClearGDIFont();
    SetControlTitle(title);
    if (m_visible)
        UpdateControl(1, 0);
}

void MControlFont::SetFont(const CString& face, int size, int style)
{
    m_fontFace = face;
    m_fontSize = size;
    m_fontStyle = style;
    ClearGDIFont();
}

void MControlFont::SetAlignment(unsigned h)
{
    if (h == m_hAlign)
        return;
    m_hAlign = h;
    if (m_visible)
        UpdateControl(1, 0);
}

void MControlFont::SetAlignment(unsigned h, unsigned v)
{
    if (h == m_hAlign && v == m_vAlign)
        return;
    m_hAlign = h;
    m_vAlign = v;
    if (m_visible)
        UpdateControl(1, 0);
}

void MControlFont::SetVAlignment(unsigned v)
{
    if (v == m_vAlign)
        return;
    m_vAlign = v;
    if (m_visible)
        UpdateControl(1, 0);
}

void MControlFont::GetAlignment(unsigned* h, unsigned* v) const
{
    if (h)
        *h = m_hAlign;
    if (v)
        *v = m_vAlign;
}

const FontFamily* MControlFont::GetFontFamily()
{
    if (!m_fontFamily && m_manager)
        m_fontFamily = m_manager->FindTempFont(m_fontFace);
    return m_fontFamily;
}

QFont MControlFont::GetGDIFont()
{
    if (!m_hasGdiFont) {
        m_gdiFont = MakeFont(GetFontFamily(), m_fontSize, m_fontStyle);
        m_hasGdiFont = true;
    }
    return m_gdiFont;
}

void MControlFont::ClearGDIFont() { m_hasGdiFont = false; }

void MControlFont::DrawImageStrip(QPainter& p, int frame, CRect dst, int border) const
{
    if (!m_image)
        return;
    const int fw = m_frameWidth > 0 ? m_frameWidth : m_image->width();
    frame = std::clamp(frame, 0, std::max(0, m_frameCount - 1));
    if (border > 0)
        MRender::DrawImageFrame(p, m_image, dst, frame * fw, 0, fw, m_frameHeight, border);
    else
        p.drawImage(dst.ToQRect(), *m_image, QRect(frame * fw, 0, fw, m_frameHeight));
}

void MControlFont::DrawTitle(QPainter& p, CRect rect, ARGB color) const
{
    MControlFont* self = const_cast<MControlFont*>(this);
    MRender::DrawText(p, rect, m_title, color, self->GetGDIFont(), m_hAlign, m_vAlign);
}

}  // namespace OXA
