#include "oxa/core/image_cache.h"

#include "oxa/core/manager.h"
#include "oxa/core/render.h"

namespace OXA {

ImageCache::ImageCache() = default;
ImageCache::~ImageCache() = default;

ImgResInfo* ImageCache::Store(std::unique_ptr<Entry>& slot, QImage image, int frames)
{
    if (frames < 1)
        frames = 1;
    slot = std::make_unique<Entry>();
    slot->image = std::make_unique<QImage>(std::move(image));
    slot->info.image = slot->image.get();
    slot->info.frames = frames;
    slot->info.frameWidth = slot->image->width() / frames;
    slot->info.frameHeight = slot->image->height();
    return &slot->info;
}

ImgResInfo* ImageCache::Add(const CString& path, int frames)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_byPath.find(path);
    if (it != m_byPath.end())
        return &it->second->info;
    QImage image = MRender::LoadImage(Manager::GetSkinFolder() + Manager::NormalizePath(path));
    if (image.isNull())
        return nullptr;
    std::unique_ptr<Entry> slot;
    ImgResInfo* info = Store(slot, std::move(image), frames);
    info->path = path;
    m_byPath.emplace(path, std::move(slot));
    return info;
}

ImgResInfo* ImageCache::Add(unsigned id, const CString& type, int frames, int module)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto& map = module ? m_programResources : m_libraryResources;
    auto it = map.find(id);
    if (it != map.end())
        return &it->second->info;
    QImage image = MRender::LoadImageFromIDResource(id, type, module);
    if (image.isNull())
        return nullptr;
    std::unique_ptr<Entry> slot;
    ImgResInfo* info = Store(slot, std::move(image), frames);
    info->resourceId = id;
    map.emplace(id, std::move(slot));
    return info;
}

void ImageCache::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_byPath.clear();
    m_programResources.clear();
    m_libraryResources.clear();
}

int ImageCache::Count() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_byPath.size() + m_programResources.size() + m_libraryResources.size());
}

}  // namespace OXA
