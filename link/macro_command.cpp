#include "link/macro_command.h"

#include <algorithm>

#include "device/key_codes.h"
#include "link/framing.h"

namespace {

constexpr int kSlotsEnd = 4 * kMacroSlots;  // bodies start here
constexpr int kMinDelay = 10;
constexpr int kMacroPause = 30;

void Put16(std::vector<uint8_t>& b, size_t at, int v)
{
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

int MouseButtonBit(int value)
{
    switch (value) {
    case 1: return 0x01;
    case 2: return 0x04;
    case 3: return 0x02;
    default: return 0;
    }
}

// Entries of one record: an event when the type has one, then its delay.
int EntriesOf(const MacroStep& r, uint8_t out[8])
{
    int n = 0;
    auto add = [&](int b2, int b3) {
        out[4 * n] = 0;
        out[4 * n + 1] = 0;
        out[4 * n + 2] = uint8_t(b2);
        out[4 * n + 3] = uint8_t(b3);
        ++n;
    };
    if (r.type == 2) add(VirtualKeyToUsage(r.value), 0xB0);
    else if (r.type == 3) add(VirtualKeyToUsage(r.value), 0x30);
    else if (r.type == 4 && MouseButtonBit(r.value)) add(MouseButtonBit(r.value), 0x90);
    else if (r.type == 5 && MouseButtonBit(r.value)) add(MouseButtonBit(r.value), 0x10);
    // The delay is 16 bits: longer delays are held at the longest one, not wrapped.
    const int d = std::clamp(r.delayTime, kMinDelay, 0xFFFF);
    out[4 * n] = uint8_t(d);
    out[4 * n + 1] = uint8_t(d >> 8);
    out[4 * n + 2] = 0;
    out[4 * n + 3] = 0x50;
    return n + 1;
}

MacroBlock Refuse(std::string why)
{
    MacroBlock b;
    b.refusal = std::move(why);
    return b;
}

}  // namespace

MacroBlock BuildMacroBlock(const std::vector<Macro>& macros, LinkForm form)
{
    const bool cable = form == LinkForm::kCable;
    const int unit = cable ? 64 : kReceiverChunk;
    const int capacity = cable ? kMacroBlockCable : kMacroBlockReceiver;
    const int limit = cable ? kMacroLimitCable : kMacroLimitReceiver;

    if (int(macros.size()) > kMacroSlots)
        return Refuse(std::to_string(macros.size()) + " macros; the keyboard has " + std::to_string(kMacroSlots) + " slots");
    size_t records = 0;
    for (const Macro& m : macros) records += m.records.size();
    const size_t size = 8 * (records + macros.size());
    if (size > size_t(limit))
        return Refuse("macro size " + std::to_string(size) + " above the limit of " + std::to_string(limit));

    std::vector<uint8_t> b(size_t(capacity), 0);
    int end = kSlotsEnd;
    for (size_t i = 0; i < macros.size(); ++i) {
        const Macro& m = macros[i];
        if (m.records.empty()) {
            std::fill_n(b.begin() + long(4 * i), 4, 0xFF);
            continue;
        }
        const int body = end;
        int entries = 0;
        for (const MacroStep& r : m.records) {
            uint8_t e[8];
            const int n = EntriesOf(r, e);
            // Bounds are guaranteed by the size limit; checked all the same.
            if (body + 8 + 4 * (entries + n) > capacity) return Refuse("macro bodies beyond the block");
            std::copy(e, e + 4 * n, b.begin() + long(body + 8 + 4 * entries));
            entries += n;
        }
        Put16(b, 4 * i, body);
        Put16(b, size_t(body), entries);
        end = body + 8 + 4 * entries;
    }

    const int packets = end / unit + (end % unit == 0 ? 1 : 2);
    if (packets * unit > capacity) return Refuse("end offset " + std::to_string(end) + " does not fit the block");
    MacroBlock result;
    result.accepted = true;
    result.endOffset = end;
    result.packets = packets;
    b.resize(size_t(packets * unit));
    b[b.size() - 2] = kTrailer0;
    b[b.size() - 1] = kTrailer1;
    result.bytes = std::move(b);
    return result;
}

Transaction WriteMacrosCable(const MacroBlock& block)
{
    Transaction t;
    if (!block.accepted) return t;
    t.Add(FeatureStep(MacroConfigBegin(), true));
    t.Add(FeatureStep(DataAnnounce(kBlockMacros, block.packets), true));
    t.Add(PauseStep(kMacroPause));
    t.Add(FeatureBlockStep(block.bytes));
    t.Add(PauseStep(kMacroPause));
    t.Add(FeatureStep(ConfigEnd(), true));
    return t;
}

Transaction WriteMacrosReceiver(const MacroBlock& block)
{
    if (!block.accepted) return {};
    return ReceiverChunks(0x09, block.bytes, block.endOffset % kReceiverChunk);
}
