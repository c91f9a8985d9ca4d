// Language texts: the choice of the interface language at start-up, the
// lookup of a text by number and section, file encodings, the 259-character
// limit, and files that are missing, cut short or not text at all.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSettings>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "app/shell/language_texts.h"
#include "app/shell/locale_language.h"
#include "app/shell/profile_string.h"
#include "platform/settings_file.h"
#include "tests/app/app_test_support.h"

using namespace apptest;

namespace {

const std::vector<int> kOffered = {2052, 1033, 1028};

QByteArray Encoded(const QString& text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLanguageCatalogue(kOffered, 1033);
        SetTextFolder(dir.path());
        UseNewSettingsFile();
    }
    void TearDown() override { SetProgramSettingsPath(QString()); }

    // Every case starts from a file of its own: QSettings knows a file it
    // has read by its size and time stamp, which a rewrite within the same
    // millisecond may leave unchanged.
    void UseNewSettingsFile()
    {
        ++m_settingsCount;
        SetProgramSettingsPath(SettingsPath());
    }
    QString SettingsPath() const
    {
        return dir.path() + u"/config"_qs + QString::number(m_settingsCount) + u"/Varnet.ini"_qs;
    }
    QString StoredLcid() const { return QSettings(SettingsPath(), QSettings::IniFormat).value(u"LCID"_qs).toString(); }
    void StoreLcid(const char* value) { WriteBytes(SettingsPath(), QByteArray("[General]\nLCID=") + value + "\n"); }
    void WriteLanguageFile(int language, const QByteArray& bytes)
    {
        WriteBytes(LanguageFilePath(language), bytes);
    }

    QTemporaryDir dir;

private:
    int m_settingsCount = 0;
};

TEST_F(LanguageTest, FirstStartTakesTheUsersLanguageWhenOfferedElseEnglish)
{
    struct Case {
        int userLanguage;
        int chosen;
    };
    const Case cases[] = {{2052, 2052}, {1033, 1033}, {1028, 1028}, {1041, 1033}, {0, 1033}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.userLanguage);
        UseNewSettingsFile();
        InitLanguage(c.userLanguage);
        EXPECT_EQ(CurrentLanguage(), c.chosen);
        EXPECT_EQ(StoredLcid(), QString::number(c.chosen));
    }
}

TEST_F(LanguageTest, StoredLanguageWinsUnlessTheCatalogueDoesNotOfferIt)
{
    struct Case {
        const char* stored;
        int userLanguage;
        int chosen;
        const char* storedAfter;
    };
    const Case cases[] = {
        {"1028", 2052, 1028, "1028"},
        {"2052", 1033, 2052, "2052"},
        {"1041", 2052, 1033, "1033"},  // not offered: English, stored
        {"-1", 1028, 1033, "1033"},
        {"0", 1028, 1028, "1028"},  // zero counts as never chosen
        {"garbage", 2052, 2052, "2052"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        UseNewSettingsFile();
        StoreLcid(c.stored);
        InitLanguage(c.userLanguage);
        EXPECT_EQ(CurrentLanguage(), c.chosen);
        EXPECT_EQ(StoredLcid(), QString::fromLatin1(c.storedAfter));
    }
}

TEST_F(LanguageTest, UnreadableSettingsGiveSimplifiedChinese)
{
    QDir().mkpath(SettingsPath());
    InitLanguage(1033);
    EXPECT_EQ(CurrentLanguage(), 2052);
}

TEST_F(LanguageTest, WithoutEnglishOnOfferTheFallbackIsAnOfferedLanguage)
{
    SetLanguageCatalogue({2052, 1028}, 1028);
    StoreLcid("1041");
    InitLanguage(1041);
    EXPECT_EQ(CurrentLanguage(), 1028);
    EXPECT_EQ(StoredLcid(), u"1028"_qs);
}

TEST_F(LanguageTest, TextsComeFromTheCurrentLanguagesFileAndSection)
{
    WriteLanguageFile(1033, "[CAPTION]\n1=Varnet Keyboard\n[KB.DIALOG]\n1=Close\n151=Start with the system\n");
    WriteLanguageFile(1028, "[KB.DIALOG]\n1=\xE9\x97\x9C\xE9\x96\x89\n");
    SetCurrentLanguage(1033);
    EXPECT_EQ(GetText(1), u"Close"_qs);
    EXPECT_EQ(GetText(1, u"CAPTION"_qs), u"Varnet Keyboard"_qs);
    EXPECT_EQ(GetText(151), u"Start with the system"_qs);
    EXPECT_EQ(GetText(152), QString());  // a number the file lacks
    EXPECT_EQ(GetText(2, u"CAPTION"_qs), QString());
    SetCurrentLanguage(1028);
    EXPECT_EQ(GetText(1), u"關閉"_qs);
    SetCurrentLanguage(2052);  // no file
    EXPECT_EQ(GetText(1), QString());
}

TEST_F(LanguageTest, EveryLookupReadsTheFileAfresh)
{
    SetCurrentLanguage(1033);
    WriteLanguageFile(1033, "[KB.DIALOG]\n20=OK\n");
    EXPECT_EQ(GetText(20), u"OK"_qs);
    WriteLanguageFile(1033, "[KB.DIALOG]\n20=Apply\n");
    EXPECT_EQ(GetText(20), u"Apply"_qs);
}

TEST_F(LanguageTest, LanguageNumberIsStoredAsDecimalText)
{
    SettingsFile(SettingsPath()).ReadNumber(u"LCID"_qs);  // the key exists after a read
    WriteLanguageNumber(1028);
    EXPECT_EQ(StoredLcid(), u"1028"_qs);
    EXPECT_EQ(ReadLanguageNumber(), 1028);
}

class ProfileStringTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& bytes)
    {
        const QString path = dir.path() + u"/f"_qs + QString::number(++m_count) + u".lan"_qs;
        WriteBytes(path, bytes);
        return path;
    }
    static QString Text(const QString& path, int number, const QString& section = kDialogSection)
    {
        return ReadProfileString(path, section, QString::number(number), kMaxTextLength);
    }
    QTemporaryDir dir;

private:
    int m_count = 0;
};

TEST_F(ProfileStringTest, ReadsUtf8AndUtf16FilesWithAByteOrderMark)
{
    const QString content = u"[KB.DIALOG]\r\n65=My Exclusive Config\r\n331=新建宏 😀\r\n"_qs;
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"UTF-8", content.toUtf8()},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + content.toUtf8()},
        {"UTF-16LE with BOM", Encoded(content, QStringConverter::Utf16LE)},
        {"UTF-16BE with BOM", Encoded(content, QStringConverter::Utf16BE)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Write(c.bytes);
        EXPECT_EQ(Text(path, 65), u"My Exclusive Config"_qs);
        EXPECT_EQ(Text(path, 331), u"新建宏 😀"_qs);
    }
}

TEST_F(ProfileStringTest, ATextHoldsAtMost259Characters)
{
    QString longText;
    for (int i = 0; i < 300; ++i) longText += QChar(u'a' + i % 26);
    const QString path = Write("[KB.DIALOG]\n1=" + longText.toUtf8() + "\n2=" + longText.left(259).toUtf8() + "\n");
    EXPECT_EQ(Text(path, 1), longText.left(259));
    EXPECT_EQ(Text(path, 2), longText.left(259));

    // A character outside the basic plane is not cut in half.
    const QString emoji = QString(258, u'x') + u"😀tail"_qs;
    const QString cut = Text(Write("[KB.DIALOG]\n3=" + emoji.toUtf8() + "\n"), 3);
    EXPECT_EQ(cut, QString(258, u'x'));
}

TEST_F(ProfileStringTest, BadFilesGiveEmptyTexts)
{
    QByteArray binary;
    for (int i = 0; i < 2048; ++i) binary += char((i * 131 + 7) & 0xFF);
    const QByteArray utf16 = Encoded(u"[KB.DIALOG]\n1=Close\n2=Minimise\n"_qs, QStringConverter::Utf16LE);
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"cut inside the section name", "[KB.DIA"},
        {"only a byte-order mark", "\xFF\xFE"},
        {"one byte of UTF-16", "\xFF\xFE["},
        {"not text", binary},
        {"NULs", QByteArray(512, '\0')},
        {"UTF-16 without a byte-order mark", utf16.mid(2)},
        {"invalid UTF-8", "[KB.DIALOG]\n\xC3\x28=\xFF\xFE\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Write(c.bytes);
        for (int n : {1, 2, 40})
            EXPECT_EQ(Text(path, n), QString());
    }
    EXPECT_EQ(Text(dir.path() + u"/missing.lan"_qs, 1), QString());
    EXPECT_EQ(Text(dir.path(), 1), QString());  // a folder, not a file

    // A UTF-16 file cut in the middle of a character keeps what came before.
    const QString cutFile = Write(utf16.left(utf16.size() - 5));
    EXPECT_EQ(Text(cutFile, 1), u"Close"_qs);
    EXPECT_EQ(Text(cutFile, 2), u"Minimi"_qs);
}

TEST_F(ProfileStringTest, IniRulesOfSectionsKeysAndValues)
{
    const QString path = Write(
        "; language file\n"
        "[Other]\n1=wrong section\n"
        "  [ kb.dialog ]  \n"
        "   10 = Close options \n"
        "11=\"  Exit  \"\n"
        "12='quoted'\n"
        "13=\"unbalanced\n"
        "14=a=b\n"
        "10=second entry of 10\n"
        "noequals\n"
        "[KB.DIALOG]\n15=second section\n");
    EXPECT_EQ(Text(path, 10), u"Close options"_qs);
    EXPECT_EQ(Text(path, 11), u"  Exit  "_qs);
    EXPECT_EQ(Text(path, 12), u"quoted"_qs);
    EXPECT_EQ(Text(path, 13), u"\"unbalanced"_qs);
    EXPECT_EQ(Text(path, 14), u"a=b"_qs);
    EXPECT_EQ(Text(path, 15), QString());  // only the first section of the name counts
    EXPECT_EQ(Text(path, 1), QString());
}

TEST(LocaleLanguage, LocaleNamesGiveLanguageNumbers)
{
    struct Case {
        const char* locale;
        int number;
    };
    const Case cases[] = {
        {"zh_CN.UTF-8", 2052}, {"zh_TW.UTF-8", 1028}, {"zh_HK", 1028},      {"zh_HK.Big5-HKSCS", 1028},
        {"zh_SG", 2052},       {"zh", 2052},          {"zh_Hant_TW", 1028}, {"zh-Hans", 2052},
        {"en_US.UTF-8", 1033}, {"en_GB", 1033},       {"en", 1033},         {"de_DE.UTF-8@euro", 1031},
        {"ja_JP.UTF-8", 1041}, {"pt_BR", 1046},       {"xx_YY", 0},         {"", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(LanguageNumberFromLocale(QString::fromLatin1(c.locale)), c.number) << c.locale;
}

TEST(LocaleLanguage, TheMessageLocaleComesFromTheEnvironment)
{
    EnvironmentGuard env;
    env.Set("LANGUAGE", "");
    env.Set("LC_MESSAGES", "");
    env.Set("LC_ALL", "zh_TW.UTF-8");
    env.Set("LANG", "en_US.UTF-8");
    EXPECT_EQ(UserInterfaceLanguage(), 1028);
    env.Set("LC_ALL", "");
    EXPECT_EQ(UserInterfaceLanguage(), 1033);
    env.Set("LANGUAGE", "zh_CN:en");
    EXPECT_EQ(UserInterfaceLanguage(), 2052);
    env.Set("LANG", "C");  // LANGUAGE does not count under the C locale
    EXPECT_EQ(UserLocaleName(), QString());
    EXPECT_EQ(UserInterfaceLanguage(), 0);
}

}  // namespace
