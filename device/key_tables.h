#pragma once
// The tables built from a layout's keys, used by the device commands and the
// lighting pages: key and light positions by key code, the keys left out of
// the Fn layer, the 8 x 32 key matrix and the editor's 256-byte key map.
#include <array>
#include <cstdint>
#include <map>
#include <set>

#include "device/layout_file.h"

// Limits of the device blocks a position indexes. Every block ends with a
// two-byte trailer, so a 4-byte entry at position p (bytes 4p..4p+3) must end
// before byte 574 of a 576-byte block; one byte per key must stay before
// byte 190 of the 192-byte single-colour block.
constexpr int kKeyMapBlockSize = 576;
constexpr int kSingleColourBlockSize = 192;
constexpr int kMaxKeyPosition = 142;
constexpr int kMaxRgbLightPosition = 142;
constexpr int kMaxSingleLightPosition = 189;

constexpr int kMatrixRows = 8;
constexpr int kMatrixColumns = 32;
constexpr uint8_t kNoMatrixKey = 0xFF;

struct KeyTables {
    std::map<int, int> keyPositions;    // key code -> key_index
    std::map<int, int> lightPositions;  // key code -> light_index
    std::set<int> fnDisabled;           // key codes not written in the Fn layer
    std::array<uint8_t, kMatrixRows * kMatrixColumns> matrix;  // row-major, 0xFF none
    std::array<uint8_t, 256> editorKeyMap;                     // column * 8 + row, 0 none

    KeyTables() { Clear(); }
    void Clear();
    // Key code at a matrix cell; 0xFF when none or outside the matrix.
    uint8_t MatrixAt(int row, int col) const;
};

// The highest light position the layout's colour block can hold.
int MaxLightPosition(const LayoutFile& layout);

// Fills the tables from the layout's keys. A key whose position or cell would
// index outside its table is left out of that table (it stays in the picture);
// each such key is reported to `issues` when given.
void BuildKeyTables(const LayoutFile& layout, KeyTables& tables, LayoutIssues* issues = nullptr);
