#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "device/device_description.h"
#include "test_files.h"

namespace {

// Records what loading tells the device list, the HID link and the pages.
class RecordingListener : public DeviceDescriptionListener {
public:
    QStringList calls;
    LayoutFile applied;
    void ClearDeviceList() override { calls << u"clear"_qs; }
    void AddDevice(const DeviceEntry& k) override { calls << CString(u"device %1"_qs).arg(k.deviceType); }
    void SelectDevice(int t) override { calls << CString(u"select %1"_qs).arg(t); }
    void AddKnownDevice(unsigned vid, unsigned pid, const CString& name, int type, int mode) override
    {
        calls << CString(u"known %1:%2 %3 %4 %5"_qs).arg(vid, 0, 16).arg(pid, 0, 16).arg(name).arg(type).arg(mode);
    }
    void SetCommandDelay(int ms) override { calls << CString(u"delay %1"_qs).arg(ms); }
    void RegisterForArrivals() override { calls << u"arrivals"_qs; }
    void SetDefaultLanguage(int lcid) override { calls << CString(u"language %1"_qs).arg(lcid); }
    void ShowSoftwareInfo(const SoftwareInfo& s) override { calls << u"software "_qs + s.name; }
    void ShowKeyboard(const CString& name, const CString& picture) override
    {
        calls << u"show "_qs + name + u" "_qs + picture.section(u'/', -1);
    }
    void OpenStore(int type, const CString& layout) override { calls << CString(u"store %1 %2"_qs).arg(type).arg(layout); }
    void ApplyLayout(const LayoutFile& l, const KeyTables&) override
    {
        calls << CString(u"apply %1 keys"_qs).arg(l.keys.size());
        applied = l;
    }
};

class DeviceDescriptionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteTextFile(dir.path() + u"/config.xml"_qs,
                      u"<config><device.info>"
                      "<keyboard name=\"K\" device_type=\"101\" device_info=\"k\" img_connected=\"on.png\" img_disconnected=\"off.png\">"
                      "<mode value=\"0\" vid=\"AB\" pid=\"1\" product_name=\"K USB\"/></keyboard>"
                      "<keyboard name=\"L\" device_type=\"105\" device_info=\"l\" img_disconnected=\"l.png\"/>"
                      "</device.info><language.info default_lan=\"2052\"/><software name=\"Varnet\"/></config>"_qs);
        WriteTextFile(dir.path() + u"/layouts/k.xml"_qs,
                      u"<device.info><menu macro=\"1\"/><cmd_delaytime value=\"20\"/><Keyboard><KeyItems>"
                      "<key code=\"4\" key_index=\"1\" light_index=\"1\" row_col=\"1,1\"/></KeyItems></Keyboard></device.info>"_qs);
    }
    QTemporaryDir dir;
};

TEST_F(DeviceDescriptionTest, LoadCatalogueRegistersEverythingThenLoadsTheStoredLayout)
{
    DeviceDescription d(dir.path());
    RecordingListener r;
    EXPECT_TRUE(d.LoadCatalogue(0, r));  // nothing stored: 101
    EXPECT_EQ(r.calls, (QStringList{u"clear"_qs, u"device 101"_qs, u"device 105"_qs, u"known ab:1 K USB 101 0"_qs,
                                    u"language 2052"_qs, u"software Varnet"_qs, u"select 101"_qs, u"show K off.png"_qs,
                                    u"store 101 k"_qs, u"delay 20"_qs, u"apply 1 keys"_qs, u"arrivals"_qs}));
    EXPECT_EQ(d.CurrentDeviceType(), 101);
    EXPECT_EQ(d.Tables().keyPositions.at(4), 1);
    EXPECT_EQ(r.applied.pageFlagsCable, 0x43);
}

TEST_F(DeviceDescriptionTest, MissingLayoutKeepsThePreviousValues)
{
    DeviceDescription d(dir.path());
    RecordingListener r;
    d.LoadCatalogue(101, r);
    r.calls.clear();
    EXPECT_FALSE(d.LoadLayout(105, r));  // layouts/l.xml does not exist
    EXPECT_EQ(r.calls, (QStringList{u"show L l.png"_qs, u"store 105 l"_qs}));
    EXPECT_EQ(d.CurrentDeviceType(), 105);
    EXPECT_EQ(d.Layout().commandDelay, 20);
    EXPECT_EQ(d.Tables().keyPositions.size(), 1u);

    r.calls.clear();
    EXPECT_FALSE(d.LoadLayout(999, r));  // no such keyboard: name and picture empty
    EXPECT_EQ(r.calls, (QStringList{u"show  "_qs, u"store 999 "_qs}));
}

TEST_F(DeviceDescriptionTest, MissingCatalogueStillSelectsAndLoads)
{
    QFile::remove(dir.path() + u"/config.xml"_qs);
    DeviceDescription d(dir.path());
    RecordingListener r;
    EXPECT_FALSE(d.LoadCatalogue(150, r));
    EXPECT_EQ(r.calls, (QStringList{u"clear"_qs, u"select 150"_qs, u"show  "_qs, u"store 150 "_qs, u"arrivals"_qs}));
}

// varnetctl reads what the program reads.
class VarnetctlTest : public ::testing::Test {
protected:
    int Run(const QStringList& args, QByteArray* out = nullptr, QByteArray* err = nullptr)
    {
        QProcess p;
        p.start(BuiltProgramFolder() + u"/varnetctl"_qs, args);
        EXPECT_TRUE(p.waitForFinished(30000));
        if (out) *out = p.readAllStandardOutput();
        if (err) *err = p.readAllStandardError();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
};

TEST_F(VarnetctlTest, ShippedDataPasses)
{
    QByteArray out, err;
    EXPECT_EQ(Run({u"layout"_qs}, &out, &err), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("check             ok"));
    EXPECT_EQ(Run({u"catalogue"_qs}, &out), 0);
    EXPECT_TRUE(out.contains("software   Varnet"));
    EXPECT_EQ(Run({u"catalogue"_qs, u"--json"_qs}, &out), 0);
    const QJsonDocument json = QJsonDocument::fromJson(out);
    EXPECT_EQ(json[u"keyboards"_qs].toArray().size(), 3);
    EXPECT_EQ(Run({u"layout"_qs, u"--json"_qs}, &out), 0);
    EXPECT_EQ(QJsonDocument::fromJson(out).array().size(), 3);
}

TEST_F(VarnetctlTest, BrokenLayoutFailsWithFileAndLine)
{
    QTemporaryDir dir;
    const CString path = dir.path() + u"/bad.xml"_qs;
    WriteTextFile(path, u"<device.info>\n<light rgb_keyboard=\"1\"/>\n<Keyboard width=\"50\" height=\"50\" xpos=\"0\" "
                        "ypos=\"0\" image=\"k.png\" row_count=\"2\" col_count=\"2\">\n<KeyItems>\n"
                        "<key code=\"4\" name=\"A\" key_index=\"1\" light_index=\"1\" rect_left=\"0\" rect_top=\"0\" "
                        "rect_width=\"80\" rect_height=\"10\" row_col=\"0,0\"/>\n</KeyItems>\n</Keyboard>\n</device.info>\n"_qs);
    QByteArray out, err;
    EXPECT_EQ(Run({u"layout"_qs, path}, &out, &err), 1);
    EXPECT_TRUE(err.contains((path + u":5: key 04 \"A\": rectangle"_qs).toUtf8())) << err.toStdString();
    EXPECT_EQ(Run({u"layout"_qs, dir.path() + u"/none.xml"_qs}, &out, &err), 1);
    EXPECT_EQ(Run({u"nonsense"_qs}), 2);
}

}  // namespace
