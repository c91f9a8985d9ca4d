#include "link/screen_command.h"

#include <algorithm>

#include "link/framing.h"
#include "link/report_sizes.h"

namespace {

// Larger images are not real: a screen of 320 x 172 with 30 frames is 3.3 MB.
constexpr size_t kMaxImageSize = size_t(32) << 20;
constexpr int kChunkPause = 2;

}  // namespace

uint8_t ScreenDelayByte(int delayMs)
{
    return uint8_t(std::clamp(delayMs / 2, 1, 255));
}

std::vector<uint8_t> ScreenImage(const std::vector<ScreenFrame>& frames, const ScreenInfo& s)
{
    if (s.width <= 0 || s.height <= 0 || s.headLength < 1 || s.maxFrames <= 0) return {};
    const size_t count = std::min(size_t(s.maxFrames), frames.size());
    if (count == 0 || count > 255) return {};
    const size_t frameSize = size_t(s.width) * size_t(s.height) * 2;
    if (frameSize > kMaxImageSize) return {};
    const size_t size = size_t(s.headLength) + frameSize * count;
    if (size > kMaxImageSize) return {};

    std::vector<uint8_t> image(size, 0xFF);
    image[0] = uint8_t(count);
    // The delay bytes stay inside the head.
    for (size_t i = 0; i < count && 1 + i < size_t(s.headLength); ++i) image[1 + i] = ScreenDelayByte(frames[i].delayMs);
    for (size_t i = 0; i < count; ++i) {
        const std::vector<uint8_t>& px = frames[i].pixels;
        std::copy_n(px.begin(), std::min(px.size(), frameSize), image.begin() + long(size_t(s.headLength) + i * frameSize));
    }
    return image;
}

Transaction UploadScreenCable(const std::vector<uint8_t>& image, int slot)
{
    Transaction t;
    if (image.empty()) return t;
    const size_t blocks = (image.size() + kScreenBlockSize - 1) / kScreenBlockSize;
    if (blocks > 0xFFFF) return t;
    Payload announce = DataAnnounce(kBlockScreenImage, int(blocks & 0xFF));
    announce[2] = uint8_t(slot);
    announce[9] = uint8_t(blocks >> 8);
    t.Add(FeatureStep(ConfigBegin(), true));
    t.Add(FeatureStep(announce, true));
    for (size_t i = 0; i < blocks; ++i) {
        std::vector<uint8_t> block(kScreenBlockSize, 0xFF);
        const size_t start = i * kScreenBlockSize;
        std::copy_n(image.begin() + long(start), std::min<size_t>(kScreenBlockSize, image.size() - start), block.begin());
        t.Add(ScreenBlockStep(std::move(block), int(100 * i / blocks)));
    }
    LinkStep end = FeatureStep(ConfigEnd(), true);
    end.progress = 100;
    t.Add(std::move(end));
    return t;
}

Transaction UploadScreenReceiver(const std::vector<uint8_t>& image, int slot)
{
    Transaction t;
    if (image.empty()) return t;
    const size_t chunks = (image.size() + kReceiverChunk - 1) / kReceiverChunk;
    if (chunks >= (size_t(1) << 23)) return t;
    const uint8_t start[4] = {uint8_t(slot), uint8_t(chunks), uint8_t(chunks >> 8), uint8_t(chunks >> 16)};
    std::vector<uint8_t> first = ReceiverRequest(0x7F, 0x03, 0);
    std::copy(start, start + 4, first.begin() + 4);
    t.Add(ExchangeStep(std::move(first)));
    t.steps.reserve(1 + 2 * chunks);
    for (size_t j = 0; j < chunks; ++j) {
        uint8_t data[kReceiverChunk];
        std::fill_n(data, kReceiverChunk, 0xFF);
        const size_t at = j * kReceiverChunk;
        std::copy_n(image.begin() + long(at), std::min<size_t>(kReceiverChunk, image.size() - at), data);
        t.Add(ExchangeStep(ReceiverRequest(0x80 | int(j >> 16), int(j & 0xFF), int((j >> 8) & 0xFF), data,
                                           kReceiverChunk)));
        LinkStep pause = PauseStep(kChunkPause);
        pause.progress = j + 1 == chunks ? 100 : int(100 * j / chunks);
        t.Add(std::move(pause));
    }
    return t;
}
