// Charset names to code pages, code pages to converters, the locale's code
// page, and the UTF-8 codec.
#include <gtest/gtest.h>

#include <iconv.h>

#include <cstdlib>
#include <string>

#include "xml/xml_codec.h"
#include "xml/xml_encoding.h"
#include "tests/xml/xml_test_print.h"

namespace {

struct NameCase {
    const char* name;
    int codePage;
};

class XmlCharsetName : public ::testing::TestWithParam<NameCase> {};

TEST_P(XmlCharsetName, MapsToItsCodePageIgnoringCase)
{
    EXPECT_EQ(XmlEncoding::CodePageFromName(QString::fromLatin1(GetParam().name)),
              GetParam().codePage);
    EXPECT_EQ(XmlEncoding::CodePageFromName(QString::fromLatin1(GetParam().name).toUpper()),
              GetParam().codePage);
}

// Every code page a name gives converts through iconv both ways.
TEST_P(XmlCharsetName, HasAWorkingConverter)
{
    const char* iconvName = XmlEncoding::IconvName(GetParam().codePage);
    ASSERT_NE(iconvName, nullptr);
    for (auto [to, from] : {std::pair{"UTF-16LE", iconvName}, std::pair{iconvName, "UTF-16LE"}}) {
        iconv_t cd = iconv_open(to, from);
        ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << iconvName;
        iconv_close(cd);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, XmlCharsetName,
    ::testing::Values(
        NameCase{"ksc_5601", 949}, NameCase{"ks_c_5601-1987", 949}, NameCase{"euc-kr", 51949},
        NameCase{"iso-2022-jp", 50221}, NameCase{"UTF-32", 65005}, NameCase{"utf-32be", 65005},
        NameCase{"UTF-32LE", 65005}, NameCase{"utf-8", 65001}, NameCase{"utf-16", 1200},
        NameCase{"utf-16le", 1200}, NameCase{"utf-16be", 1201}, NameCase{"unicodeFFFE", 1201},
        NameCase{"windows-1250", 1250}, NameCase{"windows-1251", 1251},
        NameCase{"windows-1252", 1252}, NameCase{"windows-1253", 1253},
        NameCase{"windows-1254", 1254}, NameCase{"windows-1255", 1255},
        NameCase{"windows-1256", 1256}, NameCase{"windows-1257", 1257},
        NameCase{"windows-1258", 1258}, NameCase{"iso-8859-1", 28591},
        NameCase{"iso-8859-2", 28592}, NameCase{"iso-8859-5", 28595},
        NameCase{"iso-8859-15", 28605}, NameCase{"koi8-r", 20866}, NameCase{"koi8-u", 21866},
        NameCase{"shift_jis", 932}, NameCase{"gb2312", 936}, NameCase{"gbk", 936},
        NameCase{"big5", 950}, NameCase{"euc-jp", 51932}, NameCase{"gb18030", 54936},
        NameCase{"us-ascii", 20127}, NameCase{"ibm437", 437}, NameCase{"macintosh", 10000},
        NameCase{"windows-874", 874}, NameCase{"utf-7", 65000}));

TEST(XmlCharsetNameUnknown, GivesZero)
{
    EXPECT_EQ(XmlEncoding::CodePageFromName(u"x-no-such-charset"), 0);
    EXPECT_EQ(XmlEncoding::CodePageFromName(u""), 0);
    EXPECT_EQ(XmlEncoding::CodePageFromName(u"utf-88"), 0);
}

TEST(XmlAnsiCodePage, FollowsTheLocaleLanguage)
{
    std::vector<std::pair<const char*, std::string>> saved;
    for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* v = std::getenv(var);
        saved.emplace_back(var, v ? v : "\x01");
    }
    struct Case {
        const char* lcAll;
        const char* lcCtype;
        const char* lang;
        int codePage;
    } cases[] = {
        {"zh_CN.UTF-8", "", "", 936}, {"zh_SG", "", "", 936}, {"zh_TW.UTF-8", "", "", 950},
        {"zh_HK.UTF-8", "", "", 950}, {"ja_JP.UTF-8", "", "", 932}, {"ko_KR.EUC-KR", "", "", 949},
        {"de_DE.UTF-8", "", "", 1252}, {"C", "", "", 1252}, {"", "", "", 1252},
        {"", "ja_JP.UTF-8", "ko_KR.UTF-8", 932}, {"", "", "zh_TW.Big5", 950},
    };
    for (const Case& c : cases) {
        setenv("LC_ALL", c.lcAll, 1);
        setenv("LC_CTYPE", c.lcCtype, 1);
        setenv("LANG", c.lang, 1);
        EXPECT_EQ(XmlEncoding::SystemAnsiCodePage(), c.codePage) << c.lcAll << c.lcCtype << c.lang;
    }
    for (const auto& [var, value] : saved) {
        if (value == "\x01")
            unsetenv(var);
        else
            setenv(var, value.c_str(), 1);
    }
}

struct Utf8Case {
    QByteArray bytes;
    const char16_t* decoded;
    bool wellFormed;
};

TEST(XmlUtf8, EachMalformedSequenceBecomesOneQuestionMark)
{
    const Utf8Case cases[] = {
        {"plain", u"plain", true},
        {"caf\xC3\xA9", u"caf\u00E9", true},
        {"\xF0\x9F\x98\x80", u"\U0001F600", true},
        {"\xF4\x8F\xBF\xBF", u"\U0010FFFF", true},
        {"a\xC3(b", u"a?(b", false},          // missing continuation
        {"\xE2\x82", u"?", false},            // truncated at the end
        {"\xC0\xAF", u"??", false},           // overlong: invalid lead, stray byte
        {"\xED\xA0\x80", u"???", false},      // surrogate
        {"\xF4\x90\x80\x80", u"????", false}, // above U+10FFFF
        {"\x80x\xFF", u"?x?", false},
    };
    for (const Utf8Case& c : cases) {
        EXPECT_EQ(XmlCodec::DecodeUtf8(c.bytes.constData(), c.bytes.size()),
                  QString::fromUtf16(c.decoded))
            << c.bytes.toHex().toStdString();
        EXPECT_EQ(XmlCodec::IsWellFormedUtf8(c.bytes.constData(), c.bytes.size()), c.wellFormed);
    }
}

TEST(XmlUtf8, LoneSurrogatesEncodeAsQuestionMarks)
{
    qsizetype lost = 0;
    const QString text = QString::fromUtf16(u"a\xD800" u"b\U0001F600");
    EXPECT_EQ(XmlCodec::EncodeUtf8(text, &lost), "a?b\xF0\x9F\x98\x80");
    EXPECT_EQ(lost, 1);
}

TEST(XmlCodePages, StatefulEncodingRoundTrips)
{
    const QString text = QString::fromUtf8("a\xE6\x97\xA5\xE6\x9C\xAC" "b\xE4\xB8\xAD");
    QByteArray bytes;
    qsizetype lost = 0;
    ASSERT_TRUE(XmlCodec::Encode(50221, text, bytes, &lost));
    EXPECT_EQ(lost, 0);
    QString back;
    ASSERT_TRUE(XmlCodec::Decode(50221, bytes.constData(), bytes.size(), back));
    EXPECT_EQ(back, text);
    // The replacement for an unrepresentable character is written in the
    // initial (ASCII) state.
    ASSERT_TRUE(XmlCodec::Encode(50221, QString::fromUtf8("\xE6\x97\xA5\xF0\x9F\x98\x80z"), bytes, &lost));
    EXPECT_EQ(lost, 1);
    ASSERT_TRUE(XmlCodec::Decode(50221, bytes.constData(), bytes.size(), back));
    EXPECT_EQ(back, QString::fromUtf8("\xE6\x97\xA5?z"));
}

}  // namespace
