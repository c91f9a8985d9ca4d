#include <gtest/gtest.h>

#include "device/key_tables.h"

namespace {

LayoutKey Key(int code, int keyIndex, int lightIndex, const char16_t* rowCol, bool fnDisabled = false)
{
    LayoutKey k;
    k.code = code;
    k.keyIndex = keyIndex;
    k.lightIndex = lightIndex;
    k.rowCol = CString::fromUtf16(rowCol);
    ParseRowCol(k.rowCol, k.row, k.col);
    k.fnDisabled = fnDisabled;
    return k;
}

TEST(KeyTables, PositionMapsNeedBothPositions)
{
    LayoutFile l;
    l.light.rgbKeyboard = 1;
    l.keys = {Key(0x04, 1, 2, u"3,1"), Key(0x05, 0, 3, u"3,2"), Key(0x06, 4, 0, u"3,3"), Key(0xE0, 5, 6, u"5,0", true)};
    KeyTables t;
    BuildKeyTables(l, t);
    EXPECT_EQ(t.keyPositions, (std::map<int, int>{{0x04, 1}, {0xE0, 5}}));
    EXPECT_EQ(t.lightPositions, (std::map<int, int>{{0x04, 2}, {0xE0, 6}}));
    EXPECT_EQ(t.fnDisabled, (std::set<int>{0xE0}));
    // Every key is in the matrix and the editor map, placed or not.
    EXPECT_EQ(t.MatrixAt(3, 1), 0x04);
    EXPECT_EQ(t.MatrixAt(3, 2), 0x05);
    EXPECT_EQ(t.MatrixAt(5, 0), 0xE0);
    EXPECT_EQ(t.MatrixAt(0, 0), kNoMatrixKey);
    EXPECT_EQ(t.matrix[3 * 32 + 3], 0x06);
    EXPECT_EQ(t.editorKeyMap[1 * 8 + 3], 0x04);  // column * 8 + row
    EXPECT_EQ(t.editorKeyMap[0 * 8 + 5], 0xE0);
    EXPECT_EQ(t.editorKeyMap[0], 0);
}

TEST(KeyTables, PositionsThatWouldReachTheTrailerAreLeftOut)
{
    // 576-byte blocks: entry p at bytes 4p..4p+3, trailer at 574..575.
    // 192-byte single-colour block: byte p, trailer at 190..191.
    const struct {
        int rgb, keyIndex, lightIndex;
        bool keyPlaced, lightPlaced;
    } cases[] = {
        {1, 142, 142, true, true},  {1, 143, 142, false, true}, {1, 142, 143, true, false},
        {0, 142, 189, true, true},  {0, 142, 190, true, false}, {0, 1000, 1000, false, false},
    };
    for (const auto& c : cases) {
        LayoutFile l;
        l.light.rgbKeyboard = c.rgb;
        l.keys = {Key(0x2C, c.keyIndex, c.lightIndex, u"5,4")};
        KeyTables t;
        LayoutIssues issues;
        BuildKeyTables(l, t, &issues);
        EXPECT_EQ(t.keyPositions.count(0x2C) == 1, c.keyPlaced) << c.keyIndex;
        EXPECT_EQ(t.lightPositions.count(0x2C) == 1, c.lightPlaced) << c.lightIndex;
        EXPECT_EQ(issues.size(), size_t(!c.keyPlaced) + size_t(!c.lightPlaced));
        EXPECT_EQ(t.MatrixAt(5, 4), 0x2C);  // still in the matrix
    }
}

TEST(KeyTables, CellsOutsideTheMatrixAreLeftOut)
{
    LayoutFile l;
    l.keys = {Key(0x04, 1, 1, u"8,0"), Key(0x05, 2, 2, u"0,32"), Key(0x06, 3, 3, u"7,31"), Key(0x107, 4, 4, u"1,1")};
    KeyTables t;
    LayoutIssues issues;
    BuildKeyTables(l, t, &issues);
    EXPECT_EQ(issues.size(), 3u);
    EXPECT_EQ(t.MatrixAt(7, 31), 0x06);
    EXPECT_EQ(t.editorKeyMap[31 * 8 + 7], 0x06);
    EXPECT_EQ(t.MatrixAt(1, 1), kNoMatrixKey);
    int placed = 0;
    for (uint8_t b : t.editorKeyMap) placed += b != 0;
    EXPECT_EQ(placed, 1);
    EXPECT_EQ(t.keyPositions.size(), 4u);  // positions are valid: still placed
}

TEST(KeyTables, RebuildingEmptiesEverything)
{
    LayoutFile l;
    l.keys = {Key(0x04, 1, 1, u"1,1", true)};
    KeyTables t;
    BuildKeyTables(l, t);
    l.keys.clear();
    BuildKeyTables(l, t);
    EXPECT_TRUE(t.keyPositions.empty());
    EXPECT_TRUE(t.lightPositions.empty());
    EXPECT_TRUE(t.fnDisabled.empty());
    EXPECT_EQ(t.MatrixAt(1, 1), kNoMatrixKey);
    EXPECT_EQ(t.editorKeyMap[9], 0);
}

}  // namespace
