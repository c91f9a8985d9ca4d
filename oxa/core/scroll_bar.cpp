#include "oxa/core/scroll_bar.h"

#include <QPainter>
#include <algorithm>

#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"

namespace OXA {

namespace {
constexpr int kEndCap = 6;
}

MScroll::MScroll(MObject* parent, unsigned id, CRect rect, bool vertical, int visible, int enabled)
    : MControlFont(parent, id, rect, CString(), visible, enabled, 1), m_vertical(vertical)
{
}

void MScroll::InitControl(PaintManager* manager)
{
    if (!manager)
        return;
    const unsigned res = m_vertical ? manager->GetScrollVID() : manager->GetScrollHID();
    ImgResInfo* info = res ? manager->AddImgResInfo(res, u"PNG"_qs, 3, 0)
                           : manager->AddImgResInfo(m_vertical ? u"img_scroll_v.png"_qs : u"img_scroll_h.png"_qs, 3);
    if (info) {
        m_image = info->image;
        m_frameWidth = info->frameWidth;
        m_frameHeight = info->frameHeight;
        m_frameCount = 3;
    }
}

void MScroll::SetScrollRange(int maximum)
{
    m_max = std::max(0, maximum);
    m_pos = std::clamp(m_pos, 0, m_max);
}

int MScroll::GetPage() const
{
    if (m_page > 0)
        return m_page;
    const int length = TrackLength();
    if (length < m_max / 10)
        return m_max / 10;
    return length;
}

void MScroll::SetScrollPos(int pos) { m_pos = std::clamp(pos, 0, m_max); }

bool MScroll::ScrollRow(int rows)
{
    const int old = m_pos;
    SetScrollPos(m_pos + rows * m_rowStep);
    return old != m_pos;
}

int MScroll::TrackLength() const { return m_vertical ? m_rect.Height() : m_rect.Width(); }

int MScroll::ThumbLength() const
{
    const int track = TrackLength();
    if (m_max <= 0 || track <= 0)
        return track;
    int thumb = int(double(GetPage()) / m_max * track);
    thumb = std::max(thumb, kEndCap / 2);
    if (thumb < 100)
        thumb = (track - 50 < 100) ? track - 50 : 100;
    return std::clamp(thumb, std::min(kEndCap / 2, track), track);
}

int MScroll::ThumbOffset() const
{
    if (m_max <= 0)
        return 0;
    const int room = TrackLength() - ThumbLength();
    return room > 0 ? int(double(m_pos) / m_max * room) : 0;
}

CRect MScroll::ThumbRect() const
{
    const int off = ThumbOffset(), len = ThumbLength();
    if (m_vertical)
        return CRect(m_rect.left, m_rect.top + off, m_rect.right, m_rect.top + off + len);
    return CRect(m_rect.left + off, m_rect.top, m_rect.left + off + len, m_rect.bottom);
}

void MScroll::DrawControl(HDC& hdc, CRect)
{
    if (!hdc.painter || GetPage() >= m_max)
        return;
    QPainter& p = *hdc.painter;
    const CRect thumb = ThumbRect();
    const int thumbPart = (m_hoverThumb || m_dragging) ? 1 : 2;
    if (m_image) {
        if (m_vertical) {
            const int cw = m_image->width() / 3, ch = m_image->height();
            MRender::DrawImageFrameMID(p, m_image, m_rect, 0, 0, cw, ch, 0, kEndCap, 0, kEndCap);
            MRender::DrawImageFrameMID(p, m_image, thumb, thumbPart * cw, 0, cw, ch, 0, kEndCap, 0, kEndCap);
        } else {
            const int cw = m_image->width(), ch = m_image->height() / 3;
            MRender::DrawImageFrameMID(p, m_image, m_rect, 0, 0, cw, ch, kEndCap, 0, kEndCap, 0);
            MRender::DrawImageFrameMID(p, m_image, thumb, 0, thumbPart * ch, cw, ch, kEndCap, 0, kEndCap, 0);
        }
        return;
    }
    MRender::DrawColor(p, m_rect, 0x1CFFFFFFu);
    MRender::DrawColor(p, thumb, thumbPart == 1 ? 0xFFEE6E01u : 0xE68A8A8Au);
}

void MScroll::MoveThumbTo(int offset)
{
    const int room = TrackLength() - ThumbLength();
    offset = std::clamp(offset, 0, std::max(0, room));
    const int pos = room > 0 ? int((long long)offset * m_max / room) : 0;
    if (pos == m_pos)
        return;
    m_pos = pos;
    if (m_parent)
        m_parent->OnControlUpdate(m_rect, 1, this);
    SendMessageW(8, unsigned(m_pos), 0);
}

int MScroll::OnControlMouseMove(unsigned, CPoint pt)
{
    if (m_dragging) {
        MoveThumbTo(Along(pt) - m_dragGrab);
        return 1;
    }
    const bool hover = ThumbRect().PtInRect(pt);
    if (hover != m_hoverThumb) {
        m_hoverThumb = hover;
        UpdateControl(1, 0);
    }
    return m_rect.PtInRect(pt) ? 1 : 0;
}

int MScroll::OnControlLButtonDown(unsigned, CPoint pt)
{
    if (!m_enabled || !m_rect.PtInRect(pt))
        return 0;
    const CRect thumb = ThumbRect();
    if (thumb.PtInRect(pt)) {
        m_dragging = true;
        m_dragGrab = Along(pt) - ThumbOffset();
        return 1;
    }
    // One page towards the mouse.
    const int along = Along(pt);
    const int page = GetPage();
    const int old = m_pos;
    SetScrollPos(along < ThumbOffset() ? m_pos - page : m_pos + page);
    if (old != m_pos) {
        if (m_parent)
            m_parent->OnControlUpdate(m_rect, 1, this);
        SendMessageW(8, unsigned(m_pos), 0);
    }
    return 1;
}

int MScroll::OnControlLButtonUp(unsigned, CPoint)
{
    const bool was = m_dragging;
    m_dragging = false;
    if (was)
        UpdateControl(1, 0);
    return was ? 1 : 0;
}

}  // namespace OXA
