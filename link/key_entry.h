#pragma once
// KeyEntry: the 4 bytes that tell the keyboard what a key does, built from a
// stored key assignment (macro_type, macro_value, macro_value2, macro_value3).
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

struct KeyAssignment {
    int keyCode = 0;    // the key (HID usage) the assignment belongs to
    int macroType = 0;  // 0: none
    int value = 0;
    int value2 = 0;
    int value3 = 0;
};

using KeyEntryBytes = std::array<uint8_t, 4>;

// The entry of an assignment; nothing for the types that write no entry (0,
// 4 and types the keyboard does not know). `macroIds` is the stored macro
// list in order: a macro assignment carries the index of its macro there.
std::optional<KeyEntryBytes> KeyEntry(const KeyAssignment& a, const std::vector<int>& macroIds);
