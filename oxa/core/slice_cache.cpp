#include "oxa/core/slice_cache.h"

#include <mutex>
#include <unordered_map>

namespace OXA {
namespace {

struct KeyHash {
    size_t operator()(const SliceKey& k) const
    {
        size_t h = std::hash<qint64>()(k.image);
        for (int v : {k.sx, k.sy, k.sw, k.sh, k.left, k.top, k.right, k.bottom, k.width, k.height, k.hints})
            h = h * 1000003u ^ std::hash<int>()(v);
        return h;
    }
};

struct Slot {
    QImage image;
    uint64_t lastUse = 0;
};

struct Store {
    std::mutex mutex;
    std::unordered_map<SliceKey, Slot, KeyHash> entries;
    qint64 bytes = 0;
    uint64_t clock = 0;
};

Store& Shared()
{
    static Store store;
    return store;
}

}  // namespace

QImage SliceCache::Find(const SliceKey& key)
{
    Store& s = Shared();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto it = s.entries.find(key);
    if (it == s.entries.end())
        return QImage();
    it->second.lastUse = ++s.clock;
    return it->second.image;
}

void SliceCache::Insert(const SliceKey& key, const QImage& composed)
{
    if (composed.isNull() || qint64(composed.width()) * composed.height() > kMaxPixels)
        return;
    const qint64 size = composed.sizeInBytes();
    Store& s = Shared();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.entries.count(key))
        return;  // composed meanwhile by another painter
    // Over budget: drop the least recently used (a scan, only on insertion).
    while (!s.entries.empty() && s.bytes + size > kMaxBytes) {
        auto oldest = s.entries.begin();
        for (auto it = s.entries.begin(); it != s.entries.end(); ++it)
            if (it->second.lastUse < oldest->second.lastUse)
                oldest = it;
        s.bytes -= oldest->second.image.sizeInBytes();
        s.entries.erase(oldest);
    }
    s.entries.emplace(key, Slot{composed, ++s.clock});
    s.bytes += size;
}

void SliceCache::Clear()
{
    Store& s = Shared();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.entries.clear();
    s.bytes = 0;
}

}  // namespace OXA
