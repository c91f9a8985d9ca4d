#pragma once
// The key map: KeyMapBlock (576 bytes, one KeyEntry per key position),
// WriteKeyMap of one layer, and the receiver's WriteKeyEntry and ResetKeyMap.
#include <optional>

#include "device/key_tables.h"
#include "device/layout_file.h"
#include "link/key_entry.h"
#include "link/link_transaction.h"

// Where a key goes in the key map block: its key position when the layout
// defines key positions (keys the layout reader left out have none and are
// skipped), else position 0 for every key.
class KeyPlacement {
public:
    KeyPlacement(const LayoutFile& layout, const KeyTables& tables);
    std::optional<int> PositionOf(int keyCode) const;
    bool FnDisabled(int keyCode) const { return m_tables.fnDisabled.count(keyCode) != 0; }

private:
    bool m_hasPositions = false;
    const KeyTables& m_tables;
};

// Layer 0 (base) or 1 (Fn). Assignments of type 0 are skipped, and in the Fn
// layer the keys the layout marks fnlayer_disable.
std::vector<uint8_t> KeyMapBlock(const std::vector<KeyAssignment>& assignments, int layer,
                                 const KeyPlacement& placement, const std::vector<int>& macroIds);

// ConfigBegin (ack), DataAnnounce 0x11 or 0x27 with 9 packets (ack), the
// block as 9 reports, ConfigEnd (ack), ConfigFinal (ack).
Transaction WriteKeyMapCable(const std::vector<uint8_t>& block, int layer);
// A 10 ms pause, then 21 chunks with command 0x10 (base) or 0x12 (Fn).
Transaction WriteKeyMapReceiver(const std::vector<uint8_t>& block, int layer);

// Request 0x03 (base) or 0x0D (Fn) for one key: its entry, or 02 00 k 00
// (its own function) when it has no assignment. Nothing when the key has no
// key position.
std::optional<Transaction> WriteKeyEntryReceiver(int keyCode, const std::optional<KeyAssignment>& assignment,
                                                 int layer, const KeyPlacement& placement,
                                                 const std::vector<int>& macroIds);
Transaction ResetKeyMapReceiver();
