#include "link/light_command.h"

#include "link/framing.h"

namespace {

constexpr int kUserLightMode = 0x80;

Payload PacketOf(const LightBlock& block)
{
    Payload p{};
    std::copy(block.begin(), block.end(), p.begin());
    return p;
}

LightBlock UserLightBlock(int defaultBrightness)
{
    LightBlock b{};
    b[0] = kUserLightMode;
    b[9] = uint8_t(defaultBrightness);
    b[14] = kTrailer0;
    b[15] = kTrailer1;
    return b;
}

}  // namespace

LightBlock LightModeBlock(const LightModeValues& v)
{
    LightBlock b{};
    b[0] = uint8_t(v.mode);
    if (v.mode != 0) {
        b[1] = uint8_t(v.colour);
        b[2] = uint8_t(v.colour >> 8);
        b[3] = uint8_t(v.colour >> 16);
        b[8] = uint8_t(v.colorful);
        b[9] = uint8_t(v.brightness);
        b[10] = uint8_t(v.speed);
        b[11] = uint8_t(v.direction);
    }
    b[14] = kTrailer0;
    b[15] = kTrailer1;
    return b;
}

LightBlock SideLightBlock(int value)
{
    LightBlock b{};
    b[0] = uint8_t(value);
    b[14] = kTrailer0;
    b[15] = kTrailer1;
    return b;
}

Transaction WriteLightBlockCable(const LightBlock& block)
{
    Transaction t;
    t.Add(FeatureStep(ConfigBegin(), true));
    t.Add(FeatureStep(DataAnnounce(kBlockLightMode, 1), true));
    t.Add(FeatureStep(PacketOf(block), false));
    t.Add(FeatureStep(ConfigEnd(), true));
    t.Add(FeatureStep(ConfigFinal(), false));
    return t;
}

Transaction WriteLightModeReceiver(const LightBlock& block)
{
    Transaction t;
    t.Add(ExchangeStep(ReceiverRequest(0x05, 0x10, 0, block.data(), block.size())));
    return t;
}

Transaction WriteSideLightReceiver(int value)
{
    const uint8_t data = uint8_t(value);
    return TrailedReceiverExchange(0x05, 0x01, &data, 1);
}

std::vector<uint8_t> ColourBlock(const std::map<int, uint32_t>& colours, const KeyTables& tables, bool rgb)
{
    std::vector<uint8_t> b(rgb ? kKeyMapBlockSize : kSingleColourBlockSize, 0);
    const int maxPosition = rgb ? kMaxRgbLightPosition : kMaxSingleLightPosition;
    for (const auto& [code, colour] : colours) {
        const auto it = tables.lightPositions.find(code);
        if (it == tables.lightPositions.end()) continue;
        const int p = it->second;
        if (p <= 0 || p > maxPosition) continue;
        if (rgb) {
            b[size_t(4 * p)] = uint8_t(p);
            b[size_t(4 * p + 1)] = uint8_t(colour);
            b[size_t(4 * p + 2)] = uint8_t(colour >> 8);
            b[size_t(4 * p + 3)] = uint8_t(colour >> 16);
        } else {
            b[size_t(p)] = colour != 0 ? 0xFF : 0;
        }
    }
    b[b.size() - 2] = kTrailer0;
    b[b.size() - 1] = kTrailer1;
    return b;
}

Transaction WriteUserLightCable(const std::vector<uint8_t>& colourBlock, int defaultBrightness)
{
    Transaction t = WriteLightBlockCable(UserLightBlock(defaultBrightness));
    t.Add(FeatureStep(ConfigBegin(), true));
    t.Add(FeatureStep(DataAnnounce(kBlockColours, int(colourBlock.size() / 64)), true));
    t.Add(FeatureBlockStep(colourBlock));
    t.Add(FeatureStep(ConfigEnd(), true));
    t.Add(FeatureStep(ConfigFinal(), true));
    return t;
}

Transaction WriteUserLightReceiver(const std::vector<uint8_t>& colourBlock, int defaultBrightness)
{
    Transaction t = WriteLightModeReceiver(UserLightBlock(defaultBrightness));
    t.Append(ReceiverChunks(0x14, colourBlock));
    return t;
}
