// Keyboard picture: the key records, the operations on single keys and on
// the whole keyboard, the rainbow colouring and the picture placement.
#include <gtest/gtest.h>

#include <set>

#include "keyboard_ctrl_test_support.h"
#include "oxa/core/panel.h"

using namespace kbtest;

namespace {

using KeyboardKeys = KeyboardFixture;

TEST(KeyboardCtrlCreation, BothFactoriesMakeItWithItsDefaults)
{
    NoteDialog dlg;
    ASSERT_TRUE(dlg.Open(300, 200));
    auto* kb = dlg.Make<KeyboardCtrl>(u"KeyboardCtrl", 9, CRect(0, 0, 200, 100));
    ASSERT_NE(kb, nullptr);
    EXPECT_EQ(kb->GetKeyboardCtrlMode(), 100);
    EXPECT_EQ(kb->GetOffsetX(), 6);
    EXPECT_EQ(kb->GetOffsetY(), 6);
    EXPECT_EQ(kb->GetPictureSize(), CSize(0, 0));
    EXPECT_EQ(kb->GetHoverIndex(), -1);
    EXPECT_EQ(kb->GetSelectedIndex(), -1);
    EXPECT_EQ(kb->GetCurrentKeyValue(), 0);
    EXPECT_EQ(kb->GetKeyboardColor(), 0xFFFFFFFFu);
    EXPECT_FALSE(kb->IsKBTipsEnabled());
    EXPECT_EQ(kb->IsFrameSelectEnabled(), 0);
    EXPECT_TRUE(kb->GetKeyItems().empty());
    EXPECT_FALSE(kb->HasKeyboardImage());

    auto* page = dlg.Make<MPanel>(u"MTabLayout", 10, CRect(0, 0, 300, 200));
    ASSERT_NE(page, nullptr);
    EXPECT_NE(dynamic_cast<KeyboardCtrl*>(page->CreateControl(u"KeyboardCtrl"_qs, 11, CRect(0, 0, 200, 100),
                                                              CString(), 1, 1)),
              nullptr);
}

TEST_F(KeyboardKeys, AddKeyItemAppendsRecordsWithTheirDefaults)
{
    const auto items = kb->GetKeyItems();
    ASSERT_EQ(int(items.size()), kKeyCount);
    for (int i = 0; i < kKeyCount; ++i) {
        const KEY_INFO& k = *items[size_t(i)];
        EXPECT_EQ(k.index, i);
        EXPECT_EQ(k.keyValue, kKeys[i].value);
        EXPECT_EQ(k.name, QString::fromUtf16(kKeys[i].name));
        EXPECT_EQ(k.label, QString::fromUtf16(kKeys[i].name) + u"-label"_qs);
        EXPECT_TRUE(k.tipLine1.isEmpty());
        EXPECT_TRUE(k.tipLine2.isEmpty());
        EXPECT_EQ(k.rect, kKeys[i].rect);
        EXPECT_EQ(k.check, 0);
        EXPECT_EQ(k.lockFlag, 0);
        EXPECT_EQ(k.color, 0u);
        EXPECT_EQ(k.icon, nullptr);
    }
    EXPECT_EQ(kb->GetKeysAdded(), kKeyCount);
}

TEST_F(KeyboardKeys, IconsComeFromTheSkinFolderAndAMissingOneIsLeftOut)
{
    pictures.Skin(u"icon/key_icon.png"_qs, 12, 8, 0xFF00FF00u);
    EXPECT_EQ(kb->AddKeyItem(u"I"_qs, u"I"_qs, 50, CRect(0, 0, 40, 40), u"icon/key_icon.png"_qs, 0x123456), kKeyCount);
    EXPECT_EQ(kb->AddKeyItem(u"J"_qs, u"J"_qs, 51, CRect(0, 0, 40, 40), u"icon/none.png"_qs, 0), kKeyCount + 1);
    const auto items = kb->GetKeyItems();
    const KEY_INFO& withIcon = *items[size_t(kKeyCount)];
    ASSERT_NE(withIcon.icon, nullptr);
    EXPECT_EQ(withIcon.iconWidth, 12);
    EXPECT_EQ(withIcon.iconHeight, 8);
    EXPECT_EQ(withIcon.color, 0x123456u);
    const KEY_INFO& without = *items[size_t(kKeyCount + 1)];
    EXPECT_EQ(without.icon, nullptr);
    EXPECT_EQ(without.iconWidth, 0);
}

TEST_F(KeyboardKeys, ClearItemEmptiesTheListButKeepsIndicesAndTheCount)
{
    dlg.Move(KeyPoint(2).x, KeyPoint(2).y);
    dlg.Down(KeyPoint(2).x, KeyPoint(2).y);
    ASSERT_EQ(kb->GetSelectedIndex(), 2);
    kb->ClearItem();
    EXPECT_TRUE(kb->GetKeyItems().empty());
    EXPECT_EQ(kb->GetHoverIndex(), 2);
    EXPECT_EQ(kb->GetSelectedIndex(), 2);
    EXPECT_EQ(kb->GetKeysAdded(), kKeyCount);
    EXPECT_EQ(kb->AddKeyItem(u"Z"_qs, u"Z"_qs, 29, CRect(0, 0, 10, 10), CString(), 0), 0);
    EXPECT_EQ(kb->GetKeysAdded(), kKeyCount + 1);
    // The stale indices draw nothing and do not crash.
    dlg.RenderImage();
}

TEST_F(KeyboardKeys, PerKeySettersChangeTheFirstKeyWithTheValueOnly)
{
    kb->SetKeyColor(5, 0x00FF00);
    kb->SetKeyCheck(5, 1);
    kb->SetKeyDesc(5, u"Bee"_qs);
    kb->SetTipKey(5, u"Macro"_qs, u"copy"_qs);
    kb->SetKeyColor(99, 0xABCDEF);  // no such key
    kb->SetKeyCheck(99, 1);
    const KEY_INFO* first = Key(1);
    const KEY_INFO* second = Key(4);
    EXPECT_EQ(first->color, 0x00FF00u);
    EXPECT_EQ(first->check, 1);
    EXPECT_EQ(first->name, u"Bee"_qs);
    EXPECT_EQ(first->label, u"Bee"_qs);
    EXPECT_EQ(first->tipLine1, u"Macro"_qs);
    EXPECT_EQ(first->tipLine2, u"copy"_qs);
    EXPECT_EQ(second->color, 0u);
    EXPECT_EQ(second->check, 0);
    EXPECT_EQ(second->name, u"B2"_qs);
    EXPECT_TRUE(second->tipLine1.isEmpty());
    for (int i : {0, 2, 3})
        EXPECT_EQ(Key(i)->color, 0u) << i;
    EXPECT_EQ(kb->GetCheckItemCount(), 1);

    kb->SetTipKey(4, u"x"_qs, u"y"_qs);
    kb->ResetTipKey();
    for (KEY_INFO* k : kb->GetKeyItems()) {
        EXPECT_TRUE(k->tipLine1.isEmpty());
        EXPECT_TRUE(k->tipLine2.isEmpty());
    }
}

TEST_F(KeyboardKeys, WholeKeyboardOperationsRepaintAndColourTheRightKeys)
{
    // Key 3 is selected by a click, keys 0 and 2 are checked.
    ClickLeft(KeyPoint(3));
    ASSERT_EQ(kb->GetSelectedIndex(), 3);
    kb->SetKeyCheck(4, 1);
    kb->SetKeyCheck(6, 1);

    dlg.ForgetRepaints();
    kb->SetAllSelectColor(0x0000FF);
    EXPECT_TRUE(dlg.RepaintPending());
    const COLORREF afterSelect[] = {0x0000FF, 0, 0x0000FF, 0x0000FF, 0};
    for (int i = 0; i < kKeyCount; ++i)
        EXPECT_EQ(Key(i)->color, afterSelect[i]) << i;

    dlg.ForgetRepaints();
    kb->ResetAllItemCheck(1);
    EXPECT_TRUE(dlg.RepaintPending());
    EXPECT_EQ(kb->GetCheckItemCount(), kKeyCount);
    EXPECT_EQ(kb->GetSelectedIndex(), -1);
    kb->ResetAllItemCheck();
    EXPECT_EQ(kb->GetCheckItemCount(), 0);

    dlg.ForgetRepaints();
    kb->ResetAllItemsColor(0x445566);
    EXPECT_TRUE(dlg.RepaintPending());
    for (KEY_INFO* k : kb->GetKeyItems())
        EXPECT_EQ(k->color, 0x445566u);

    kb->SetLightModeColor(0, 0x010203);
    for (KEY_INFO* k : kb->GetKeyItems())
        EXPECT_EQ(k->color, 0x010203u);
}

TEST_F(KeyboardKeys, StoringSettersDoNotRepaint)
{
    dlg.RenderImage();
    dlg.ForgetRepaints();
    kb->SetKeyboardCtrlMode(102);
    kb->SetKeyboardColor(0x112233);
    kb->EnableFrameSelect(1);
    kb->EnableKBTips(true);
    kb->SetKeyColor(4, 0xFF);
    kb->SetKeyCheck(4, 1);
    kb->SetTipKey(4, u"a"_qs, u"b"_qs);
    kb->AddKeyItem(u"N"_qs, u"N"_qs, 40, CRect(0, 0, 5, 5), CString(), 0);
    kb->ClearItem();
    EXPECT_FALSE(dlg.RepaintPending());
    EXPECT_EQ(kb->GetKeyboardColor(), 0xFF332211u);  // COLORREF 0x112233: red 0x33, blue 0x11
}

// The rainbow bands: colour (COLORREF) and the key values that take it.
struct Band {
    COLORREF colour;
    std::vector<int> keys;
};
const Band kRainbow[] = {
    {0xFF0045, {41, 211, 212, 86, 87, 88}},
    {0x4E00FF, {58, 209, 30, 84, 43, 96, 57, 93, 90, 98}},
    {0x0000FF, {59, 72, 31, 83, 20, 95, 4, 92, 29, 89, 226, 79}},
    {0x0045FF, {60, 71, 32, 75, 26, 78, 22, 27, 81}},
    {0x00FFFF, {61, 70, 33, 74, 8, 77, 7, 6, 82, 80}},
    {0x00FF00, {62, 67, 35, 42, 23, 49, 10, 40, 5, 229, 175}},
    {0x45FF00, {63, 66, 36, 46, 28, 48, 11, 52, 17, 56, 230}},
    {0xFFFF00, {64, 65, 37, 45, 24, 47, 13, 51, 16, 54, 55}},
    {0x00FF4E, {68, 69, 34, 73, 21, 76, 9, 25, 44, 101, 228}},
    {0xFF00FF, {210, 53, 85, 97, 94, 225, 91, 224, 227, 99}},
    {0xFF4E00, {38, 39, 12, 19, 14, 15}},
    {0xFF0000, {18}},
};

TEST(KeyboardCtrlRainbow, EveryKeyValueOfTheTableTakesItsBandColourAndOthersKeepTheirs)
{
    NoteDialog dlg;
    ASSERT_TRUE(dlg.Open(300, 200));
    auto* kb = dlg.Make<KeyboardCtrl>(u"KeyboardCtrl", 9, CRect(0, 0, 200, 100));
    ASSERT_NE(kb, nullptr);
    std::set<int> inTable;
    for (const Band& band : kRainbow)
        for (int key : band.keys) {
            kb->AddKeyItem(CString(), CString(), key, CRect(0, 0, 10, 10), CString(), 0x0A0B0C);
            inTable.insert(key);
        }
    ASSERT_EQ(inTable.size(), 108u);
    const int outside[] = {0, 1, 2, 3, 100, 102, 213, 231, 255, 256, -1, 100000};
    for (int key : outside)
        kb->AddKeyItem(CString(), CString(), key, CRect(0, 0, 10, 10), CString(), 0x0A0B0C);

    kb->SetLightModeColor(1, 0x777777);
    const auto items = kb->GetKeyItems();
    size_t i = 0;
    for (const Band& band : kRainbow)
        for (int key : band.keys) {
            EXPECT_EQ(items[i]->color, band.colour) << "key " << key;
            ++i;
        }
    for (int key : outside) {
        EXPECT_EQ(items[i]->color, 0x0A0B0Cu) << "key " << key;
        ++i;
    }
}

TEST_F(KeyboardKeys, SizeCentresThePictureAtTheTopAndMovingTheControlCentresItAgain)
{
    EXPECT_EQ(kb->GetOffsetX(), 200);
    EXPECT_EQ(kb->GetOffsetY(), 0);
    EXPECT_EQ(kb->GetRealRect(CRect(10, 10, 50, 50)), CRect(210, 10, 250, 50));
    kb->SetRect(CRect(0, 0, 901, 300));
    EXPECT_EQ(kb->GetOffsetX(), 250);  // (901 - 400) / 2, integer division
    kb->SetWidthAndHeight(1000, 100);
    EXPECT_EQ(kb->GetOffsetX(), -49);  // (901 - 1000) / 2, truncated

    // An empty control keeps the default offsets.
    auto* empty = dlg.Make<KeyboardCtrl>(u"KeyboardCtrl", 12, CRect());
    ASSERT_NE(empty, nullptr);
    empty->SetWidthAndHeight(300, 100);
    EXPECT_EQ(empty->GetOffsetX(), 6);
    EXPECT_EQ(empty->GetOffsetY(), 6);
    EXPECT_EQ(empty->GetPictureSize(), CSize(300, 100));
    empty->SetRect(CRect(0, 0, 500, 200));
    EXPECT_EQ(empty->GetOffsetX(), 100);
    EXPECT_EQ(empty->GetOffsetY(), 0);
}

}  // namespace
