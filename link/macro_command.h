#pragma once
// WriteMacros: the MacroBlock (100 slots, then the macro bodies) and its
// transfer. A set that does not fit is refused whole: the size limit of the
// form (8 x (records + macros) at most 2700 by cable, 3600 by receiver), more
// than 100 macros, or an end offset beyond the form's block.
#include <string>

#include "link/link_transaction.h"

struct MacroStep {
    int type = 0;       // 2 key down, 3 key up, 4 mouse button down, 5 mouse button up
    int value = 0;      // virtual-key code, or mouse button 1 left, 2 right, 3 middle
    int delayTime = 0;  // milliseconds after the event
};

struct Macro {
    int id = 0;
    std::vector<MacroStep> records;  // in record_index order
};

enum class LinkForm { kCable, kReceiver };

struct MacroBlock {
    bool accepted = false;
    std::string refusal;         // why the set was refused
    std::vector<uint8_t> bytes;  // the packets' bytes: 64m (cable) or 28m (receiver)
    int endOffset = 400;         // E: end of the last body
    int packets = 0;             // m
};

constexpr int kMacroSlots = 100;
constexpr int kMacroBlockCable = 3584;     // 56 x 64
constexpr int kMacroBlockReceiver = 4032;  // an end offset of 4000 and the trailer's chunk
constexpr int kMacroLimitCable = 2700;
constexpr int kMacroLimitReceiver = 3600;

MacroBlock BuildMacroBlock(const std::vector<Macro>& macros, LinkForm form);

// MacroConfigBegin (ack), DataAnnounce 0x15 with m packets (ack), 30 ms, the
// m packets, 30 ms, ConfigEnd (ack). Empty when the block was refused.
Transaction WriteMacrosCable(const MacroBlock& block);
// m chunks with command 0x09, length 28 except the last (E modulo 28).
Transaction WriteMacrosReceiver(const MacroBlock& block);
