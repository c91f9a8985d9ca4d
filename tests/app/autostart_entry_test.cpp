// The autostart entry: a desktop entry whose command runs the program
// hidden, its path quoted so that spaces and special characters survive.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/autostart_entry.h"
#include "tests/app/app_test_support.h"

using namespace apptest;

namespace {

class AutostartEntryTest : public ::testing::Test {
protected:
    void SetUp() override { env.Set("XDG_CONFIG_HOME", QFile::encodeName(dir.path())); }
    QTemporaryDir dir;
    EnvironmentGuard env;
};

TEST_F(AutostartEntryTest, EntryRunsTheQuotedProgramHidden)
{
    struct Case {
        const char16_t* program;
        const char* exec;  // the Exec line as the file must hold it
    };
    const Case cases[] = {
        {u"/usr/bin/varnet", "Exec=\"/usr/bin/varnet\" -hide"},
        {u"/opt/My Apps/varnet", "Exec=\"/opt/My Apps/varnet\" -hide"},
        // Inside quotes '"', '$' and '\' take a backslash, '%' is doubled;
        // then every backslash is doubled again as the value's own escape.
        {u"/opt/a\"b$c%d\\e/varnet", "Exec=\"/opt/a\\\\\"b\\\\$c%%d\\\\\\\\e/varnet\" -hide"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exec);
        ASSERT_TRUE(WriteAutostartEntry(u"Varnet"_qs, QString::fromUtf16(c.program)));
        const QString path = dir.path() + u"/autostart/Varnet.desktop"_qs;
        EXPECT_EQ(AutostartEntryPath(u"Varnet"_qs), path);
        const QList<QByteArray> lines = ReadBytes(path).split('\n');
        EXPECT_EQ(lines.value(0), "[Desktop Entry]");
        EXPECT_TRUE(lines.contains(QByteArray(c.exec))) << ReadBytes(path).constData();
        EXPECT_TRUE(lines.contains("Type=Application"));
    }
}

TEST_F(AutostartEntryTest, DeletingTheEntryIsFineWhenThereIsNone)
{
    EXPECT_FALSE(AutostartEntryExists(u"Varnet"_qs));
    EXPECT_TRUE(DeleteAutostartEntry(u"Varnet"_qs));
    ASSERT_TRUE(WriteAutostartEntry(u"Varnet"_qs, u"/usr/bin/varnet"_qs));
    EXPECT_TRUE(AutostartEntryExists(u"Varnet"_qs));
    EXPECT_TRUE(DeleteAutostartEntry(u"Varnet"_qs));
    EXPECT_FALSE(AutostartEntryExists(u"Varnet"_qs));
}

}  // namespace
