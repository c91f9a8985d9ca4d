#include "link/live_command.h"

#include "link/framing.h"

namespace {

constexpr size_t kLiveFrameRgb = 512;
constexpr size_t kLiveFrameSingle = 192;

std::vector<uint8_t> Bytes(const Payload& p)
{
    return std::vector<uint8_t>(p.begin(), p.end());
}

}  // namespace

Payload ColourReadRequest(bool rgb)
{
    return DataAnnounce(kBlockColourRead, ColourReadAckLength(rgb));
}

int ColourReadAckLength(bool rgb)
{
    return rgb ? 9 : 3;
}

std::map<int, uint32_t> DecodeKeyColours(const uint8_t* blocks, const KeyTables& tables, bool rgb)
{
    std::map<int, uint32_t> colours;
    for (const auto& [code, p] : tables.lightPositions) {
        if (rgb) {
            if (p <= 0 || p > kMaxRgbLightPosition) continue;
            const uint32_t r = blocks[4 * p + 1], g = blocks[4 * p + 2], b = blocks[4 * p + 3];
            colours[code] = r | (g << 8) | (b << 16);
        } else {
            if (p <= 0 || p > kMaxSingleLightPosition) continue;
            const uint32_t grey = uint32_t(blocks[p]) * 255 / 256;
            colours[code] = grey | (grey << 8) | (grey << 16);
        }
    }
    return colours;
}

std::vector<uint8_t> LiveFrameRgb(const std::vector<LiveKeyColour>& keys)
{
    std::vector<uint8_t> frame(kLiveFrameRgb, 0);
    for (size_t k = 0; k < keys.size() && 4 * k + 3 < frame.size(); ++k) {
        const LiveKeyColour& c = keys[k];
        if (c.lightPosition <= 0 || c.lightPosition > 0xFF) continue;
        frame[4 * k] = uint8_t(c.lightPosition);
        frame[4 * k + 1] = c.red;
        frame[4 * k + 2] = c.green;
        frame[4 * k + 3] = c.blue;
    }
    return frame;
}

std::vector<uint8_t> LiveFrameSingle(const std::map<int, uint8_t>& levelByPosition)
{
    std::vector<uint8_t> frame(kLiveFrameSingle, 0);
    for (const auto& [p, level] : levelByPosition)
        if (p > 0 && size_t(p) < frame.size()) frame[size_t(p)] = level;
    return frame;
}

Transaction LiveFrame(const std::vector<uint8_t>& frame, bool rgb)
{
    Transaction t;
    t.Add(BurstStep(Bytes(DataAnnounce(kBlockLiveFrame, rgb ? 8 : 3)), true));
    t.Add(BurstStep(frame, true));
    t.Add(BurstStep(Bytes(ConfigEnd()), true));
    return t;
}

std::optional<Transaction> MusicFrame(const MusicFrameValues& v)
{
    bool any = false;
    for (uint8_t h : v.heights) any = any || h > 1;
    if (!any) return std::nullopt;
    uint8_t data[kReceiverChunk] = {uint8_t(v.effect), uint8_t(v.background), uint8_t(v.level)};
    std::copy(v.heights.begin(), v.heights.end(), data + 3);
    Transaction t;
    t.Add(ExchangeStep(ReceiverRequest(0x0B, 0x1C, 0, data, 3 + v.heights.size()), 33));
    return t;
}
