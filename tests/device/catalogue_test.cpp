#include <gtest/gtest.h>

#include "device/catalogue.h"
#include "test_files.h"

namespace {

const char* kCatalogue = R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
  <device.info>
    <keyboard name="Alpha" device_type="120" device_info="alpha" img_connected="a_on.png" img_disconnected="a_off.png">
      <mode value="0" desc="wired" vid="1A2B" pid="0010" product_name="Alpha USB" hid_interface="VID_1A2B&amp;PID_0010&amp;MI_02"/>
      <mode value="2" desc="dongle" vid="0x1A2B" pid="0011" product_name="Alpha Receiver" hid_interface="VID_1A2B&amp;PID_0011"/>
    </keyboard>
    <keyboard name="Beta" device_type="121" device_info="beta" img_connected="b_on.png" img_disconnected="b_off.png">
      <mode value="1" vid="1a2b" pid="00ff"/>
    </keyboard>
  </device.info>
  <language.info default_lan="1033">
    <lan value="2052"/><lan value="1033"/><lan value="1028"/>
  </language.info>
  <software name="Varnet" version="1.2.3">
    <website url="https://w.example/"/>
    <store url="https://s.example/"/>
    <upgrade url="https://u.example/"/>
    <copyright info="(c) us"/>
  </software>
</config>
)";

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { WriteTextFile(Path(), QString::fromUtf8(kCatalogue)); }
    CString Path() const { return dir.path() + u"/config.xml"_qs; }
    QTemporaryDir dir;
};

TEST_F(CatalogueTest, KeyboardsAndModesInheritFromTheirKeyboard)
{
    Catalogue c;
    ASSERT_TRUE(ReadCatalogue(Path(), u"/opt/v"_qs, c));
    ASSERT_EQ(c.keyboards.size(), 2u);
    ASSERT_EQ(c.modes.size(), 3u);

    const DeviceEntry& alpha = c.keyboards[0];
    EXPECT_EQ(alpha.name, u"Alpha");  // the modes' product strings do not rename it
    EXPECT_EQ(alpha.deviceType, 120);
    EXPECT_EQ(alpha.deviceInfo, u"alpha");
    EXPECT_EQ(alpha.imgConnected, u"/opt/v/device/a_on.png");
    EXPECT_EQ(alpha.imgDisconnected, u"/opt/v/device/a_off.png");
    EXPECT_EQ(alpha.present, 0);
    EXPECT_EQ(alpha.reserved, -1);

    const DeviceEntry& wired = c.modes[0];
    const DeviceEntry& dongle = c.modes[1];
    EXPECT_EQ(wired.name, u"Alpha USB");
    EXPECT_EQ(wired.mode, 0);
    EXPECT_EQ(wired.vendorId, 0x1A2Bu);
    EXPECT_EQ(wired.productId, 0x10u);
    EXPECT_EQ(wired.hidInterface, u"VID_1A2B&PID_0010&MI_02");
    EXPECT_EQ(dongle.name, u"Alpha Receiver");
    EXPECT_EQ(dongle.vendorId, 0x1A2Bu);  // "0x" prefix accepted
    for (const DeviceEntry* m : {&wired, &dongle}) {
        EXPECT_EQ(m->deviceType, 120);
        EXPECT_EQ(m->deviceInfo, u"alpha");
        EXPECT_EQ(m->imgConnected, alpha.imgConnected);
        EXPECT_EQ(m->imgDisconnected, alpha.imgDisconnected);
    }
    // A mode without product_name or desc accepts any product string.
    EXPECT_EQ(c.modes[2].name, u"");
    EXPECT_EQ(c.modes[2].deviceType, 121);
    EXPECT_EQ(c.modes[2].productId, 0xFFu);
    EXPECT_EQ(c.FindKeyboard(121), &c.keyboards[1]);
    EXPECT_EQ(c.FindKeyboard(122), nullptr);
}

TEST_F(CatalogueTest, LanguagesAndSoftware)
{
    Catalogue c;
    ASSERT_TRUE(ReadCatalogue(Path(), dir.path(), c));
    EXPECT_EQ(c.defaultLanguage, 1033);
    EXPECT_EQ(c.languages, (std::vector<int>{2052, 1033, 1028}));
    EXPECT_EQ(c.software.name, u"Varnet");
    EXPECT_EQ(c.software.version, u"1.2.3");
    EXPECT_EQ(c.software.website, u"https://w.example/");
    EXPECT_EQ(c.software.store, u"https://s.example/");
    EXPECT_EQ(c.software.upgrade, u"https://u.example/");
    EXPECT_EQ(c.software.copyright, u"(c) us");

    Catalogue early;
    ASSERT_TRUE(ReadSoftwareName(Path(), early));
    EXPECT_EQ(early.software.name, u"Varnet");
    EXPECT_EQ(early.languages.size(), 3u);
    EXPECT_TRUE(early.keyboards.empty());
    EXPECT_TRUE(early.software.version.isEmpty());
}

TEST_F(CatalogueTest, MissingOrMalformedCatalogueGivesEmptyLists)
{
    Catalogue c;
    EXPECT_FALSE(ReadCatalogue(dir.path() + u"/none.xml"_qs, dir.path(), c));
    EXPECT_TRUE(c.keyboards.empty());

    WriteTextFile(Path(), u"<config><device.info><keyboard name=\"x\" device_type=\"101\"></config>"_qs);
    EXPECT_FALSE(ReadCatalogue(Path(), dir.path(), c));
    EXPECT_TRUE(c.keyboards.empty());
    EXPECT_TRUE(c.modes.empty());
}

TEST(ShippedCatalogue, OffersThreeKeyboardsAndThreeLanguages)
{
    Catalogue c;
    const CString folder = BuiltProgramFolder();
    ASSERT_TRUE(ReadCatalogue(folder + u"/config.xml"_qs, folder, c));
    EXPECT_EQ(c.software.name, u"Varnet");
    EXPECT_EQ(c.defaultLanguage, 1033);
    EXPECT_EQ(c.languages, (std::vector<int>{2052, 1033, 1028}));
    ASSERT_EQ(c.keyboards.size(), 3u);
    for (const DeviceEntry& k : c.keyboards) {
        EXPECT_GE(k.deviceType, 100);
        EXPECT_TRUE(QFile::exists(folder + u"/layouts/"_qs + k.deviceInfo + u".xml"_qs)) << k.deviceInfo.toStdString();
    }
    std::set<int> modesOfFirst;
    for (const DeviceEntry& m : c.modes) {
        EXPECT_FALSE(m.hidInterface.isEmpty());
        EXPECT_EQ(m.hidInterface, m.hidInterface.toUpper());
        if (m.deviceType == c.keyboards[0].deviceType) modesOfFirst.insert(m.mode);
    }
    EXPECT_EQ(modesOfFirst, (std::set<int>{0, 1, 2}));
}

}  // namespace
