#include <gtest/gtest.h>

#include <QRegularExpression>

#include "device/catalogue.h"
#include "device/layout_check.h"
#include "test_files.h"
#include "xml/xml_document.h"

namespace {

std::string Describe(const LayoutIssues& issues)
{
    std::string s;
    for (const LayoutIssue& i : issues) s += std::to_string(i.line) + ": " + i.message.toStdString() + "\n";
    return s;
}

std::vector<CString> ShippedLayoutPaths()
{
    Catalogue c;
    const CString folder = BuiltProgramFolder();
    ReadCatalogue(folder + u"/config.xml"_qs, folder, c);
    std::vector<CString> paths;
    for (const DeviceEntry& k : c.keyboards) paths.push_back(folder + u"/layouts/"_qs + k.deviceInfo + u".xml"_qs);
    return paths;
}

TEST(ShippedLayouts, PassTheCheckAndDescribeTheThreeModels)
{
    const std::vector<CString> paths = ShippedLayoutPaths();
    ASSERT_EQ(paths.size(), 3u);
    std::vector<LayoutCheck> checks;
    for (const CString& path : paths) {
        checks.push_back(CheckLayout(path));
        EXPECT_TRUE(checks.back().loaded) << path.toStdString();
        EXPECT_TRUE(checks.back().issues.empty()) << path.toStdString() << "\n" << Describe(checks.back().issues);
    }
    const LayoutFile& full = checks[0].layout;
    EXPECT_TRUE(full.IsRgb());
    EXPECT_GE(full.keys.size(), 104u);
    EXPECT_EQ(full.fnLayer, 1);
    EXPECT_TRUE(full.pageFlagsCable & kPageSideLight);
    EXPECT_FALSE(full.pageFlagsCable & kPageScreen);
    EXPECT_EQ(full.pageFlagsCable & 0x7F, 0x7F);
    bool anyFnDisabled = false;
    for (const LayoutKey& k : full.keys) anyFnDisabled |= k.fnDisabled;
    EXPECT_TRUE(anyFnDisabled);

    const LayoutFile& compact = checks[1].layout;
    EXPECT_TRUE(compact.IsRgb());
    EXPECT_TRUE(compact.pageFlagsCable & kPageScreen);
    EXPECT_TRUE(compact.hasScreen);
    EXPECT_EQ(compact.screen.width, 320);
    EXPECT_EQ(compact.screen.height, 172);
    EXPECT_EQ(compact.screen.headLength, 256);
    EXPECT_EQ(compact.screen.maxFrames, 30);
    EXPECT_EQ(compact.screen.count, 3);
    EXPECT_NEAR(double(compact.keys.size()), 82.0, 4.0);

    const LayoutFile& single = checks[2].layout;
    EXPECT_FALSE(single.IsRgb());
    EXPECT_EQ(single.keys.size(), 87u);
    EXPECT_FALSE(single.pageFlagsCable & kPageMusic);
    EXPECT_FALSE(single.pageFlagsCable & kPageCustomLight);
}

// A copy of a shipped layout with one fault put in; each fault must be
// reported on the line of the key that carries it.
class BrokenLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::vector<CString> paths = ShippedLayoutPaths();
        ASSERT_FALSE(paths.empty());
        original = paths[0];
        const LayoutCheck check = CheckLayout(original);
        ASSERT_GE(check.layout.keys.size(), 10u);
        keys = check.layout.keys;
    }

    // Sets attributes of key number `index` and saves the copy.
    CString WithAttributes(int index, const std::vector<std::pair<CString, CString>>& values)
    {
        XmlDocument doc;
        EXPECT_TRUE(doc.LoadFile(original));
        doc.FindElement(u"device.info"_qs);
        doc.EnterElement();
        doc.FindElement(u"Keyboard"_qs);
        doc.EnterElement();
        doc.FindElement(u"KeyItems"_qs);
        doc.EnterElement();
        for (int i = 0; i <= index; ++i) EXPECT_TRUE(doc.FindElement(u"key"_qs));
        for (const auto& [name, value] : values) EXPECT_TRUE(doc.SetAttribute(name, value));
        const CString copy = dir.path() + u"/broken.xml"_qs;
        EXPECT_TRUE(doc.SaveFile(copy));
        return copy;
    }

    CString original;
    std::vector<LayoutKey> keys;
    QTemporaryDir dir;
};

TEST_F(BrokenLayoutTest, EachFaultIsReportedOnItsLine)
{
    auto num = [](int v) { return CString::number(v); };
    const struct {
        int key;
        std::vector<std::pair<CString, CString>> values;
        CString expected;
    } cases[] = {
        {1, {{u"rect_left"_qs, num(keys[0].rect.left)}, {u"rect_top"_qs, num(keys[0].rect.top)}}, u"overlaps"_qs},
        {2, {{u"rect_left"_qs, u"5000"_qs}}, u"outside the"_qs},
        {3, {{u"key_index"_qs, num(keys[0].keyIndex)}}, u"key_index "_qs + num(keys[0].keyIndex) + u" is also used"_qs},
        {4, {{u"light_index"_qs, num(keys[0].lightIndex)}}, u"is also used"_qs},
        {4, {{u"light_index"_qs, u"143"_qs}}, u"beyond the colour block"_qs},
        {5, {{u"key_index"_qs, u"150"_qs}}, u"beyond the key map block"_qs},
        {5, {{u"row_col"_qs, u"7,25"_qs}}, u"outside"_qs},
        {6, {{u"row_col"_qs, u"1-"_qs}}, u"not a row digit"_qs},
        {6, {{u"code"_qs, u"1FF"_qs}}, u"unknown key code"_qs},
        {7, {{u"code"_qs, CString::number(keys[0].code, 16)}}, u"the code is also used"_qs},
        {8, {{u"rect_width"_qs, u"abc"_qs}}, u"not a decimal number"_qs},
        {8, {{u"rect_width"_qs, u"0"_qs}}, u"empty"_qs},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.values[0].first + u"="_qs + c.values[0].second).toStdString());
        const CString path = WithAttributes(c.key, c.values);
        const LayoutCheck check = CheckLayout(path);
        const int line = keys[size_t(c.key)].line;
        bool found = false;
        for (const LayoutIssue& i : check.issues) found |= i.line == line && i.message.contains(c.expected);
        EXPECT_TRUE(found) << "line " << line << "\n" << Describe(check.issues);
    }
}

TEST_F(BrokenLayoutTest, MissingAttributeIsReported)
{
    QFile f(original);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    CString text = QString::fromUtf8(f.readAll());
    // Drop the name of the fourth key.
    int at = -1;
    for (int i = 0; i < 4; ++i) at = text.indexOf(u"<key "_qs, at + 1);
    const int nameAt = text.indexOf(u" name=\""_qs, at);
    const int end = text.indexOf(u'"', nameAt + 7);
    text.remove(nameAt, end + 1 - nameAt);
    const CString copy = dir.path() + u"/noname.xml"_qs;
    WriteTextFile(copy, text);
    const LayoutCheck check = CheckLayout(copy);
    bool found = false;
    for (const LayoutIssue& i : check.issues) found |= i.line == keys[3].line && i.message.contains(u"has no name"_qs);
    EXPECT_TRUE(found) << Describe(check.issues);
}

TEST(LayoutCheck, MisplacedElementsAndXmlErrors)
{
    QTemporaryDir dir;
    const CString path = dir.path() + u"/l.xml"_qs;
    WriteTextFile(path, u"<device.info>\n<function fn_layer=\"1\"/>\n<menu macro=\"1\"/>\n<light rgb_keyboard=\"1\"/>\n"
                        "<Keyboard width=\"100\" height=\"50\" xpos=\"0\" ypos=\"0\" image=\"k.png\" row_count=\"1\" col_count=\"1\">"
                        "<KeyItems><key code=\"4\" name=\"A\" key_index=\"1\" light_index=\"1\" rect_left=\"0\" rect_top=\"0\" "
                        "rect_width=\"10\" rect_height=\"10\" row_col=\"0,0\"/></KeyItems></Keyboard>\n</device.info>\n"_qs);
    LayoutCheck check = CheckLayout(path);
    ASSERT_TRUE(check.loaded);
    ASSERT_EQ(check.issues.size(), 1u) << Describe(check.issues);
    EXPECT_EQ(check.issues[0].line, 2);
    EXPECT_TRUE(check.issues[0].message.contains(u"<function>"_qs));

    WriteTextFile(path, u"<device.info>\n<menu>\n<light/>\n</device.info>\n"_qs);
    check = CheckLayout(path);
    EXPECT_FALSE(check.loaded);
    ASSERT_FALSE(check.issues.empty());
    EXPECT_EQ(check.issues[0].line, 2) << Describe(check.issues);
    EXPECT_TRUE(check.issues[0].message.contains(u"unended_start_tag"_qs));

    check = CheckLayout(dir.path() + u"/none.xml"_qs);
    EXPECT_FALSE(check.loaded);
    EXPECT_FALSE(check.issues.empty());
}

}  // namespace
