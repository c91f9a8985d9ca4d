// The settings file standing in for the registry key: created by the first
// read, never by a write; values are decimal text read by the number rules.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/settings_file.h"
#include "tests/app/app_test_support.h"

using namespace apptest;

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    // A file of its own for every case: each is a fresh "key".
    QString NewPath()
    {
        return dir.path() + u"/cfg"_qs + QString::number(++m_count) + u"/Varnet.ini"_qs;
    }
    QTemporaryDir dir;

private:
    int m_count = 0;
};

TEST_F(SettingsFileTest, FirstReadCreatesTheMissingFileAndGivesZero)
{
    const QString path = NewPath();
    EXPECT_EQ(SettingsFile(path).ReadNumber(u"exit_mode"_qs), 0);
    EXPECT_TRUE(QFileInfo(path).isFile());

    SettingsFile(path).WriteText(u"exit_mode"_qs, u"2"_qs);
    EXPECT_EQ(SettingsFile(path).ReadNumber(u"exit_mode"_qs), 2);
    EXPECT_EQ(SettingsFile(path).ReadNumber(u"DeviceType"_qs), 0);  // a value never written

    const QString second = NewPath();
    EXPECT_EQ(SettingsFile(second).ReadLanguageNumber(), 0);
    EXPECT_TRUE(QFileInfo(second).isFile());
}

TEST_F(SettingsFileTest, WritingNeverCreatesTheFile)
{
    const QString path = NewPath();
    SettingsFile(path).WriteText(u"LCID"_qs, u"1033"_qs);
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(SettingsFileTest, StoredTextIsReadAsADecimalNumber)
{
    struct Case {
        const char* stored;
        int expected;
    };
    const Case cases[] = {
        {"1033", 1033}, {"  2052", 2052}, {"-7", -7},   {"+5", 5},  {"12abc", 12},
        {"abc", 0},     {"", 0},          {"1,2", 0},   {"\"x\"", 0}, {"@Invalid()", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const QString path = NewPath();
        WriteBytes(path, QByteArray("[General]\nDeviceType=") + c.stored + "\n");
        EXPECT_EQ(SettingsFile(path).ReadNumber(u"DeviceType"_qs), c.expected);
    }
    // A value too long for the 255-byte buffer reads as nothing.
    const QString path = NewPath();
    WriteBytes(path, "[General]\nLCID=" + QByteArray(128, '1') + "\n");
    EXPECT_EQ(SettingsFile(path).ReadLanguageNumber(), 0);
}

TEST_F(SettingsFileTest, AFileThatCannotBeOpenedReadsAsZeroAndLanguage2052)
{
    const QString path = NewPath();
    QDir().mkpath(path);  // a folder where the file should be
    EXPECT_EQ(SettingsFile(path).ReadNumber(u"exit_mode"_qs), 0);
    EXPECT_EQ(SettingsFile(path).ReadLanguageNumber(), 2052);
    SettingsFile(path).WriteText(u"LCID"_qs, u"1033"_qs);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(SettingsFileTest, GarbageFileReadsAsZeroAndTakesNewValues)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i) garbage += char((i * 7919 + 13) & 0xFF);
    garbage.replace("=", "=\x01\xFF");
    const QString path = NewPath();
    WriteBytes(path, garbage);
    for (const QString& name : {u"LCID"_qs, u"exit_mode"_qs, u"DeviceType"_qs})
        EXPECT_EQ(SettingsFile(path).ReadNumber(name), 0) << qPrintable(name);
    SettingsFile(path).WriteText(u"DeviceType"_qs, u"102"_qs);
    EXPECT_EQ(SettingsFile(path).ReadNumber(u"DeviceType"_qs), 102);
}

TEST_F(SettingsFileTest, ValuesAreStoredAsDecimalTextInTheIniFile)
{
    const QString path = NewPath();
    SettingsFile(path).ReadNumber(u"LCID"_qs);
    SettingsFile(path).WriteText(u"LCID"_qs, u"1028"_qs);
    SettingsFile(path).WriteText(u"exit_mode"_qs, u"1"_qs);
    const QSettings ini(path, QSettings::IniFormat);
    EXPECT_EQ(ini.value(u"LCID"_qs).toString(), u"1028"_qs);
    EXPECT_EQ(ini.value(u"exit_mode"_qs).toString(), u"1"_qs);
}

TEST_F(SettingsFileTest, ProgramSettingsUseTheFileSetAtStartUp)
{
    const QString path = NewPath();
    SetProgramSettingsPath(path);
    EXPECT_EQ(ReadLanguageNumber(), 0);
    WriteRegistryText(u"DeviceType"_qs, u"103"_qs);
    EXPECT_EQ(ReadRegistryNumber(u"DeviceType"_qs), 103);
    EXPECT_EQ(SettingsFile(path).ReadNumber(u"DeviceType"_qs), 103);
    SetProgramSettingsPath(QString());
}

TEST(SettingsFilePath, IsNamedAfterTheSoftwareUnderXdgConfigHome)
{
    EnvironmentGuard env;
    env.Set("XDG_CONFIG_HOME", "/tmp/cfg-of-test");
    EXPECT_EQ(SettingsFilePath(u"Varnet"_qs), u"/tmp/cfg-of-test/Varnet.ini"_qs);
}

}  // namespace
