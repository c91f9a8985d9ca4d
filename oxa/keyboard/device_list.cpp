#include "oxa/keyboard/device_list.h"

#include <QPainter>
#include <algorithm>

#include "oxa/core/manager.h"
#include "oxa/core/render.h"
#include "oxa/keyboard/repaint_request.h"

namespace OXA {

CDeviceList::CDeviceList(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}

CDeviceList::~CDeviceList() = default;

int CDeviceList::AddDevice(const CString& name, int deviceType, const CString& normalPicture,
                           const CString& selectedPicture)
{
    Record record;
    record.name = name;
    record.deviceType = deviceType;
    // Decoded before the lock is taken: the painting thread never waits on a file.
    record.normal = MRender::LoadImage(Manager::NormalizePath(normalPicture));
    record.selected = MRender::LoadImage(Manager::NormalizePath(selectedPicture));
    int index = 0;
    {
        std::lock_guard<std::recursive_mutex> lock(m_recordLock);
        m_records.push_back(std::move(record));
        index = int(m_records.size()) - 1;
    }
    RequestRepaint(this, 1);
    return index;
}

void CDeviceList::ClearList()
{
    {
        std::lock_guard<std::recursive_mutex> lock(m_recordLock);
        m_records.clear();
        m_hover = -1;
        m_select = 0;
    }
    RequestRepaint(this, 1);
}

void CDeviceList::SetDeviceState(int deviceType, int state)
{
    {
        std::lock_guard<std::recursive_mutex> lock(m_recordLock);
        auto it = std::find_if(m_records.begin(), m_records.end(),
                               [deviceType](const Record& r) { return r.deviceType == deviceType; });
        if (it == m_records.end())
            return;
        it->state = state;
    }
    RequestRepaint(this, 1);
}

void CDeviceList::SetAllDeviceState(int state)
{
    {
        std::lock_guard<std::recursive_mutex> lock(m_recordLock);
        for (Record& r : m_records)
            r.state = state;
    }
    RequestRepaint(this, 1);
}

int CDeviceList::GetDeviceState(int deviceType)
{
    std::lock_guard<std::recursive_mutex> lock(m_recordLock);
    for (const Record& r : m_records)
        if (r.deviceType == deviceType)
            return r.state;
    return 0;
}

void CDeviceList::SetSelectDevice(int deviceType)
{
    {
        std::lock_guard<std::recursive_mutex> lock(m_recordLock);
        int firstPresent = -1;
        int match = -1;
        for (int i = 0; i < int(m_records.size()) && match < 0; ++i) {
            if (m_records[i].state <= 0)
                continue;
            if (firstPresent < 0)
                firstPresent = i;
            if (m_records[i].deviceType == deviceType)
                match = i;
        }
        m_select = match >= 0 ? match : firstPresent;
    }
    RequestRepaint(this, 1);
}

int CDeviceList::GetSelectDevice()
{
    std::lock_guard<std::recursive_mutex> lock(m_recordLock);
    if (m_records.empty())
        return 0;
    if (m_select < 0 || m_select >= int(m_records.size()))
        m_select = 0;
    return m_records[m_select].deviceType;
}

int CDeviceList::GetItemCount()
{
    std::lock_guard<std::recursive_mutex> lock(m_recordLock);
    return int(m_records.size());
}

int CDeviceList::GetHoverIndex()
{
    std::lock_guard<std::recursive_mutex> lock(m_recordLock);
    return m_hover;
}

int CDeviceList::GetSelectIndex()
{
    std::lock_guard<std::recursive_mutex> lock(m_recordLock);
    return m_select;
}

CRect CDeviceList::GetItemRect(int index)
{
    std::lock_guard<std::recursive_mutex> lock(m_recordLock);
    LayoutLocked();
    if (index < 0 || index >= int(m_records.size()))
        return CRect();
    return m_records[index].rect;
}

int CDeviceList::LayoutLocked()
{
    const int height = std::max(0, m_rect.Height() - m_fontSize);
    int shown = 0;
    for (Record& r : m_records) {
        if (r.state > 0) {
            const int left = shown * (kTileWidth + kTileGap);
            r.rect = CRect(left, 0, left + kTileWidth, height);
            ++shown;
        } else {
            r.rect = CRect();
        }
    }
    return shown;
}

int CDeviceList::HitLocked(CPoint pt) const
{
    for (int i = 0; i < int(m_records.size()); ++i)
        if (m_records[i].state > 0 && m_records[i].rect.PtInRect(pt))
            return i;
    return -1;
}

void CDeviceList::DrawControl(HDC& hdc, CRect)
{
    const int w = m_rect.Width(), h = m_rect.Height();
    if (w <= 0 || h <= 0 || !hdc.surface)
        return;
    // Rendered afresh on every paint: the worker may have changed the
    // records since the last one.
    UpdateMemDC(hdc, w, h);
    CopyBackgroundToFrame(hdc, 0);
    {
        QPainter p(&m_memImage);
        p.setClipRect(0, 0, w, h);  // tiles beyond the right edge are cut off
        std::lock_guard<std::recursive_mutex> lock(m_recordLock);
        LayoutLocked();
        for (int i = 0; i < int(m_records.size()); ++i)
            if (m_records[i].state > 0)
                DrawTile(p, m_records[i], i == m_select || i == m_hover);
    }
    DrawFrameFromCache(hdc, 0);
}

void CDeviceList::DrawTile(QPainter& p, const Record& record, bool highlighted)
{
    const CRect tile = record.rect;
    if (tile.IsRectEmpty())
        return;
    const QImage& picture = highlighted ? record.selected : record.normal;
    // Both pictures are fitted by the selected picture's size, so a tile does
    // not jump when it is highlighted.
    const QSize reference = record.selected.isNull() ? picture.size() : record.selected.size();
    if (!picture.isNull() && reference.width() > 0 && reference.height() > 0) {
        const double scale = std::min({1.0, double(tile.Width()) / reference.width(),
                                       double(tile.Height()) / reference.height()});
        const int dw = std::max(1, int(reference.width() * scale));
        const int dh = std::max(1, int(reference.height() * scale));
        const QRect dst(tile.left + (tile.Width() - dw) / 2, tile.top + (tile.Height() - dh) / 2, dw, dh);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(dst, picture);
    }
    if (tile.Width() > 2 && tile.Height() > 2) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor::fromRgba(Manager::GetSelectColor()), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(tile.left + 1, tile.top + 1, tile.Width() - 3, tile.Height() - 3));
    }
    const CRect name(tile.left, tile.bottom - kNameHeight, tile.right, tile.bottom);
    MRender::DrawText(p, name, record.name, m_textColor, GetGDIFont(), 1, 4);
}

long CDeviceList::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam)
{
    if ((id == 1 || id == 2) && code == 8)
        UpdateControl(1, 0);
    return MPanel::OnMessage(id, code, wParam, lParam);
}

void CDeviceList::SetControlRect(CRect rect) { m_rect = rect; }

int CDeviceList::OnControlMouseMove(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    const bool inside = m_rect.PtInRect(pt);
    bool changed = false;
    {
        std::lock_guard<std::recursive_mutex> lock(m_recordLock);
        LayoutLocked();
        const CPoint local(pt.x - m_rect.left, pt.y - m_rect.top);
        int hover = -1;
        if (inside) {
            const bool stays = m_hover >= 0 && m_hover < int(m_records.size()) &&
                               m_records[m_hover].state > 0 && m_records[m_hover].rect.PtInRect(local);
            hover = stays ? m_hover : HitLocked(local);
        }
        changed = hover != m_hover;
        m_hover = hover;
    }
    if (changed)
        UpdateControl(1, 0);
    return inside ? 1 : 0;
}

int CDeviceList::OnControlLButtonDown(unsigned, CPoint) { return m_enabled ? 1 : 0; }

int CDeviceList::OnControlLButtonUp(unsigned, CPoint)
{
    if (!m_enabled)
        return 0;
    bool present = false;
    {
        std::lock_guard<std::recursive_mutex> lock(m_recordLock);
        if (m_hover < 0 || m_hover >= int(m_records.size()))
            return 1;
        m_select = m_hover;
        present = m_records[m_select].state > 0;
    }
    // The tile that was selected before shows its normal picture again.
    UpdateControl(1, 0);
    if (present)
        SendMessageW(2, 0, 0);
    return 1;
}

int CDeviceList::OnControlScroll(int, unsigned, CPoint)
{
    int shown = 0;
    {
        std::lock_guard<std::recursive_mutex> lock(m_recordLock);
        for (const Record& r : m_records)
            shown += r.state > 0 ? 1 : 0;
    }
    const int extent = shown > 0 ? shown * (kTileWidth + kTileGap) - kTileGap : 0;
    // Taken (so the page behind does not scroll) only when the row overflows;
    // the tiles stay where they are.
    return extent > m_rect.Width() ? 1 : 0;
}

}  // namespace OXA
