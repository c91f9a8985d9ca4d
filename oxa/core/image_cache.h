#pragma once
// A window's image cache: each picture is decoded once and shared by every
// control that names the same path (or resource id).
#include <QImage>
#include <map>
#include <memory>
#include <mutex>

#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"

namespace OXA {

struct ImgResInfo {
    QImage* image = nullptr;  // owned by the cache
    int frameWidth = 0;       // image width / frame count
    int frameHeight = 0;
    int frames = 1;
    CString path;
    unsigned resourceId = 0;
};

class OXA_API ImageCache {
public:
    ImageCache();
    ~ImageCache();
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;

    // The entry for path (relative to the skin folder); the frame count of
    // the first request wins. Null when the picture cannot be loaded.
    ImgResInfo* Add(const CString& path, int frames);
    // The entry for a resource of the program (module != 0) or the library.
    ImgResInfo* Add(unsigned id, const CString& type, int frames, int module);
    void Clear();
    int Count() const;

private:
    struct Entry {
        ImgResInfo info;
        std::unique_ptr<QImage> image;
    };
    static ImgResInfo* Store(std::unique_ptr<Entry>& slot, QImage image, int frames);

    mutable std::mutex m_mutex;
    std::map<CString, std::unique_ptr<Entry>> m_byPath;
    std::map<unsigned, std::unique_ptr<Entry>> m_programResources;
    std::map<unsigned, std::unique_ptr<Entry>> m_libraryResources;
};

}  // namespace OXA
