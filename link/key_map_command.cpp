#include "link/key_map_command.h"

#include <cstring>

#include "link/framing.h"

namespace {

constexpr size_t kKeyMapBlockBytes = 576;
constexpr int kKeyMapPackets = 9;
constexpr int kReceiverKeyMapPause = 10;

}  // namespace

KeyPlacement::KeyPlacement(const LayoutFile& layout, const KeyTables& tables) : m_tables(tables)
{
    for (const LayoutKey& k : layout.keys)
        if (k.keyIndex > 0 && k.lightIndex > 0) {
            m_hasPositions = true;
            break;
        }
}

std::optional<int> KeyPlacement::PositionOf(int keyCode) const
{
    if (!m_hasPositions) return 0;
    const auto it = m_tables.keyPositions.find(keyCode);
    if (it == m_tables.keyPositions.end() || it->second < 0 || it->second > kMaxKeyPosition) return std::nullopt;
    return it->second;
}

std::vector<uint8_t> KeyMapBlock(const std::vector<KeyAssignment>& assignments, int layer,
                                 const KeyPlacement& placement, const std::vector<int>& macroIds)
{
    std::vector<uint8_t> block(kKeyMapBlockBytes, 0);
    for (const KeyAssignment& a : assignments) {
        if (a.macroType == 0) continue;
        if (layer == 1 && placement.FnDisabled(a.keyCode)) continue;
        const std::optional<int> p = placement.PositionOf(a.keyCode);
        if (!p) continue;
        const std::optional<KeyEntryBytes> entry = KeyEntry(a, macroIds);
        if (!entry) continue;
        std::memcpy(block.data() + 4 * size_t(*p), entry->data(), 4);
    }
    block[kKeyMapBlockBytes - 2] = kTrailer0;
    block[kKeyMapBlockBytes - 1] = kTrailer1;
    return block;
}

Transaction WriteKeyMapCable(const std::vector<uint8_t>& block, int layer)
{
    Transaction t;
    t.Add(FeatureStep(ConfigBegin(), true));
    t.Add(FeatureStep(DataAnnounce(layer == 1 ? kBlockKeyMapFn : kBlockKeyMapBase, kKeyMapPackets), true));
    t.Add(FeatureBlockStep(block));
    t.Add(FeatureStep(ConfigEnd(), true));
    t.Add(FeatureStep(ConfigFinal(), true));
    return t;
}

Transaction WriteKeyMapReceiver(const std::vector<uint8_t>& block, int layer)
{
    Transaction t;
    t.Add(PauseStep(kReceiverKeyMapPause));
    t.Append(ReceiverChunks(layer == 1 ? 0x12 : 0x10, block));
    return t;
}

std::optional<Transaction> WriteKeyEntryReceiver(int keyCode, const std::optional<KeyAssignment>& assignment,
                                                 int layer, const KeyPlacement& placement,
                                                 const std::vector<int>& macroIds)
{
    const std::optional<int> p = placement.PositionOf(keyCode);
    if (!p) return std::nullopt;
    KeyEntryBytes entry = {0x02, 0x00, uint8_t(keyCode), 0x00};
    if (assignment && assignment->macroType != 0) entry = KeyEntry(*assignment, macroIds).value_or(KeyEntryBytes{});
    Transaction t;
    t.Add(ExchangeStep(ReceiverRequest(layer == 1 ? 0x0D : 0x03, 0x04, *p, entry.data(), entry.size())));
    return t;
}

Transaction ResetKeyMapReceiver()
{
    Transaction t;
    t.Add(ExchangeStep(ReceiverRequest(0x1F, 0, 0)));
    return t;
}
