#include "oxa/core/image_list.h"

#include <QPainter>

#include "oxa/core/render.h"

namespace OXA {

MImageList::MImageList() = default;
MImageList::~MImageList() = default;

int MImageList::AddImage(const CString& path, int id, int frames) { return InsertImage(-1, path, id, frames); }

int MImageList::InsertImage(int index, const CString& path, int id, int frames)
{
    if (path.isNull())
        return -1;
    if (index < -1 || index >= int(m_items.size()))
        return -1;
    QImage image = MRender::LoadImage(path);
    if (image.isNull())
        return -1;
    auto item = std::make_unique<Item>();
    frames = std::max(1, frames);
    item->image = std::make_unique<QImage>(std::move(image));
    item->data.image = item->image.get();
    item->data.frames = frames;
    item->data.frameWidth = item->image->width() / frames;
    item->data.frameHeight = item->image->height();
    item->data.id = id;
    item->data.path = path;
    if (index == -1) {
        m_items.push_back(std::move(item));
        return int(m_items.size()) - 1;
    }
    m_items.insert(m_items.begin() + index, std::move(item));
    return -1;
}

void MImageList::DelAllImages() { m_items.clear(); }

_M_IAMGELIST* MImageList::GetItemImageData(int index)
{
    if (index < 0 || index >= int(m_items.size()))
        return nullptr;
    return &m_items[size_t(index)]->data;
}

_M_IAMGELIST* MImageList::GetImageDataByID(int id)
{
    for (auto& item : m_items)
        if (item->data.id == id)
            return &item->data;
    return nullptr;
}

CString MImageList::GetImagePath(int index) const
{
    if (index < 0 || index >= int(m_items.size()))
        return CString();
    return m_items[size_t(index)]->data.path;
}

CString MImageList::GetImagePathByID(int id) const
{
    for (const auto& item : m_items)
        if (item->data.id == id)
            return item->data.path;
    return CString();
}

void MImageList::SetDrawImgSize(int width, int height) { m_drawSize = CSize(width, height); }

void MImageList::DrawItemIcon(QPainter& g, CRect rect, int index) { DrawItemIcon(g, rect, index, 0); }

void MImageList::DrawItemIcon(QPainter& g, CRect rect, int index, int frame)
{
    const _M_IAMGELIST* data = GetItemImageData(index);
    if (!data || !data->image || rect.IsRectEmpty())
        return;
    frame = std::clamp(frame, 0, data->frames - 1);
    g.drawImage(rect.ToQRect(), *data->image, QRect(frame * data->frameWidth, 0, data->frameWidth, data->frameHeight));
}

}  // namespace OXA
