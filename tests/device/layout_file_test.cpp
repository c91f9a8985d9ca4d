#include <gtest/gtest.h>

#include "device/layout_file.h"
#include "test_files.h"

namespace {

// A layout file from its children's text.
CString LayoutText(const char* children)
{
    return u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<device.info>\r\n"_qs + QString::fromUtf8(children) +
           u"</device.info>\r\n"_qs;
}

class LayoutFileTest : public ::testing::Test {
protected:
    bool Read(const char* children, LayoutFile& out, const LayoutFile& previous = LayoutFile())
    {
        const CString path = dir.path() + u"/l.xml"_qs;
        WriteTextFile(path, LayoutText(children));
        return ReadLayoutFile(path, previous, out);
    }
    QTemporaryDir dir;
};

TEST_F(LayoutFileTest, PageFlagsFromMenuAttributes)
{
    const struct {
        const char* menu;
        int flags;
    } cases[] = {
        {"<menu/>", 0x41},
        {"<menu macro=\"1\"/>", 0x43},
        {"<menu light_mode=\"1\" custom_light=\"1\"/>", 0x4D},
        {"<menu user_light=\"1\" music=\"1\"/>", 0x71},
        {"<menu screen=\"1\" sidelight=\"1\"/>", 0x1C1},
        {"<menu macro=\"1\" light_mode=\"1\" custom_light=\"1\" user_light=\"1\" music=\"1\" screen=\"1\" sidelight=\"1\"/>", 0x1FF},
        {"<menu macro=\"0\" music=\"x\"/>", 0x41},
    };
    for (const auto& c : cases) {
        LayoutFile l;
        ASSERT_TRUE(Read(c.menu, l)) << c.menu;
        EXPECT_EQ(l.pageFlagsCable, c.flags) << c.menu;
        EXPECT_EQ(l.pageFlagsReceiver, kPageFlagsInitial) << c.menu;  // no menu_wireless: as before
    }
}

TEST_F(LayoutFileTest, ChildrenAreSearchedInOrderOnlyForward)
{
    // `menu` after `function`: menu is still found (its search starts at the
    // first child), and function, searched after it, is then missed.
    LayoutFile l;
    ASSERT_TRUE(Read("<function fn_layer=\"1\" sleep_time=\"1\"/>\r\n<menu macro=\"1\"/>\r\n"
                     "<cmd_delaytime value=\"25\"/>\r\n",
                     l));
    EXPECT_TRUE(l.hasMenu);
    EXPECT_EQ(l.pageFlagsCable, 0x43);
    EXPECT_FALSE(l.hasFunction);
    EXPECT_EQ(l.fnLayer, 0);
    EXPECT_EQ(l.sleepTime, 0);
    EXPECT_EQ(l.commandDelay, 25);  // after menu: still found

    // `light` before `menu_wireless` is missed; the rest is read.
    ASSERT_TRUE(Read("<light rgb_keyboard=\"1\"/>\r\n<menu_wireless music=\"1\"/>\r\n<Keyboard width=\"10\"/>\r\n", l));
    EXPECT_FALSE(l.hasLight);
    EXPECT_EQ(l.light.rgbKeyboard, 0);
    EXPECT_EQ(l.pageFlagsReceiver, 0x61);
    EXPECT_TRUE(l.hasKeyboard);
    EXPECT_EQ(l.picture.width, 10);
}

TEST_F(LayoutFileTest, AbsentMenuAndDelayKeepPreviousValuesOthersReset)
{
    LayoutFile first;
    ASSERT_TRUE(Read("<menu macro=\"1\"/><menu_wireless/><function fn_layer=\"1\"/><cmd_delaytime value=\"30\"/>"
                     "<light rgb_keyboard=\"1\" brightness_max=\"4\"/>",
                     first));
    LayoutFile second;
    ASSERT_TRUE(Read("<light rgb_keyboard=\"0\"/>", second, first));
    EXPECT_EQ(second.pageFlagsCable, 0x43);
    EXPECT_EQ(second.pageFlagsReceiver, 0x41);
    EXPECT_EQ(second.commandDelay, 30);
    EXPECT_EQ(second.fnLayer, 0);
    EXPECT_EQ(second.light.brightnessMax, 0);

    LayoutFile fresh;
    ASSERT_TRUE(Read("<light/>", fresh));
    EXPECT_EQ(fresh.pageFlagsCable, 0x7F);
    EXPECT_EQ(fresh.commandDelay, 10);
}

TEST_F(LayoutFileTest, EveryValueIsRead)
{
    LayoutFile l;
    ASSERT_TRUE(Read("<function fn_layer=\"1\" sleep_time=\"1\" key_respondtime=\"1\"/>"
                     "<firmware version=\"0105\" file=\"upd.sh\" url=\"https://f.example/x\"/>"
                     "<screen gif_headlength=\"256\" gif_maxframes=\"30\" gif_count=\"3\" width=\"320\" height=\"172\"/>"
                     "<light rgb_keyboard=\"1\" default_mode=\"3\" default_brightness=\"4\" default_speed=\"2\" "
                     "brightness_max=\"5\" speed_max=\"6\"/>"
                     "<Keyboard bk_color=\"0x00112233\" xpos=\"7\" ypos=\"8\" width=\"900\" height=\"300\" "
                     "image=\"k.png\" row_count=\"6\" col_count=\"21\">\r\n<KeyItems>\r\n"
                     "<key code=\"E0\" name=\"Ctrl &amp; co\" desc=\"left\" key_index=\"3\" light_index=\"4\" icon=\"i.png\" "
                     "fnlayer_disable=\"1\" rect_left=\"10\" rect_top=\"20\" rect_width=\"30\" rect_height=\"40\" row_col=\"5,0\"/>\r\n"
                     "<key code=\"4\" name=\"A\" fnlayer_disable=\"yes\" row_col=\"2,13\"/>\r\n"
                     "</KeyItems>\r\n</Keyboard>\r\n",
                     l));
    EXPECT_EQ(l.fnLayer, 1);
    EXPECT_EQ(l.sleepTime, 1);
    EXPECT_EQ(l.keyRespondTime, 1);
    EXPECT_EQ(l.firmware.version, u"0105");
    EXPECT_TRUE(l.firmware.Offered());
    EXPECT_EQ(l.firmware.url, u"https://f.example/x");
    EXPECT_EQ(l.screen.headLength, 256);
    EXPECT_EQ(l.screen.maxFrames, 30);
    EXPECT_EQ(l.screen.count, 3);
    EXPECT_EQ(l.screen.width, 320);
    EXPECT_EQ(l.screen.height, 172);
    EXPECT_TRUE(l.IsRgb());
    EXPECT_EQ(l.light.defaultMode, 3);
    EXPECT_EQ(l.light.defaultBrightness, 4);
    EXPECT_EQ(l.light.defaultSpeed, 2);
    EXPECT_EQ(l.light.brightnessMax, 5);
    EXPECT_EQ(l.light.speedMax, 6);
    EXPECT_EQ(l.picture.bkColor, 0x00112233u);
    EXPECT_EQ(l.picture.xpos, 7);
    EXPECT_EQ(l.picture.ypos, 8);
    EXPECT_EQ(l.picture.image, u"k.png");
    EXPECT_EQ(l.picture.rowCount, 6);
    EXPECT_EQ(l.picture.colCount, 21);
    ASSERT_EQ(l.keys.size(), 2u);
    const LayoutKey& ctrl = l.keys[0];
    EXPECT_EQ(ctrl.code, 0xE0);
    EXPECT_EQ(ctrl.name, u"Ctrl & co");
    EXPECT_EQ(ctrl.desc, u"left");
    EXPECT_EQ(ctrl.keyIndex, 3);
    EXPECT_EQ(ctrl.lightIndex, 4);
    EXPECT_EQ(ctrl.icon, u"i.png");
    EXPECT_TRUE(ctrl.fnDisabled);
    EXPECT_EQ(ctrl.rect.left, 10);
    EXPECT_EQ(ctrl.rect.top, 20);
    EXPECT_EQ(ctrl.rect.right, 40);
    EXPECT_EQ(ctrl.rect.bottom, 60);
    EXPECT_EQ(ctrl.row, 5);
    EXPECT_EQ(ctrl.col, 0);
    EXPECT_EQ(ctrl.line, 5);
    EXPECT_EQ(l.keys[1].code, 0x04);
    EXPECT_FALSE(l.keys[1].fnDisabled);  // only "1" disables
    EXPECT_EQ(l.keys[1].row, 2);
    EXPECT_EQ(l.keys[1].col, 13);
    EXPECT_EQ(l.keys[1].line, 6);

    FirmwareInfo versionOnly;
    versionOnly.version = u"1"_qs;
    EXPECT_FALSE(versionOnly.Offered());  // no updater named: no update button
}

TEST(RowCol, ParsesRowDigitAndOneOrTwoColumnDigits)
{
    const struct {
        const char16_t* text;
        int row, col;
    } cases[] = {
        {u"2,7", 2, 7},   {u"2,13", 2, 13}, {u"0,0", 0, 0},  {u"5;20", 5, 20}, {u"27", 2, 27},
        {u"3", 3, 0},     {u"", 0, 0},      {u"x,y", 0, 0},  {u"9,31", 9, 31},
    };
    for (const auto& c : cases) {
        int row = -1, col = -1;
        ParseRowCol(CString::fromUtf16(c.text), row, col);
        EXPECT_EQ(row, c.row) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(col, c.col) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST_F(LayoutFileTest, ShortScreenHeadLimitsTheFrames)
{
    LayoutFile l;
    ASSERT_TRUE(Read("<screen gif_headlength=\"16\" gif_maxframes=\"30\" gif_count=\"3\" width=\"8\" height=\"8\"/>", l));
    EXPECT_EQ(l.screen.maxFrames, 15);  // head: frame count + one delay byte per frame
    ASSERT_TRUE(Read("<screen gif_headlength=\"31\" gif_maxframes=\"30\" gif_count=\"3\" width=\"8\" height=\"8\"/>", l));
    EXPECT_EQ(l.screen.maxFrames, 30);
}

TEST_F(LayoutFileTest, UnreadableFileLeavesResultUnchanged)
{
    LayoutFile l;
    l.commandDelay = 77;
    EXPECT_FALSE(ReadLayoutFile(dir.path() + u"/missing.xml"_qs, LayoutFile(), l));
    EXPECT_EQ(l.commandDelay, 77);
    EXPECT_FALSE(Read("<menu macro=\"1\">", l));
    EXPECT_EQ(l.commandDelay, 77);
}

}  // namespace
