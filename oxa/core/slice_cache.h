#pragma once
// Nine-slice drawings composed once into a transparent image of the target
// size and reused: a control re-rendering its frames draws one image per frame
// instead of nine scaled pieces. Bounded; the least recently used go first.
#include <QImage>
#include <QPainter>
#include <cstdint>

namespace OXA {

struct SliceKey {
    qint64 image = 0;  // QImage::cacheKey(): changes whenever the pixels do
    int sx = 0, sy = 0, sw = 0, sh = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
    int width = 0, height = 0;
    int hints = 0;  // the painter's render hints the pieces were drawn with
    bool operator==(const SliceKey&) const = default;
};

class SliceCache {
public:
    // The composition of key, or a null image when it is not cached.
    static QImage Find(const SliceKey& key);
    static void Insert(const SliceKey& key, const QImage& composed);
    static void Clear();
    // Largest composition kept (pixels) and the bytes kept in all.
    static constexpr qint64 kMaxPixels = 1 << 20;
    static constexpr qint64 kMaxBytes = 24 << 20;
};

}  // namespace OXA
