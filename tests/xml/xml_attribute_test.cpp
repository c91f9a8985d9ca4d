// Reading attributes: exact names, quoting, and reference decoding.
#include <gtest/gtest.h>

#include "xml/xml_document.h"
#include "tests/xml/xml_test_print.h"

namespace {

struct DecodeCase {
    const char* written;  // the attribute value as it stands in the text (UTF-8)
    const char16_t* read;
};

class XmlReferenceDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(XmlReferenceDecoding, ReadsAsExpected)
{
    XmlDocument doc(QStringLiteral("<r v=\"") + QString::fromUtf8(GetParam().written) +
                    QStringLiteral("\"/>"));
    ASSERT_TRUE(doc.FindElement("r"));
    EXPECT_EQ(doc.GetAttribute("v"), QString::fromUtf16(GetParam().read));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlReferenceDecoding,
    ::testing::Values(
        DecodeCase{"&#65;", u"A"},
        DecodeCase{"&#x41;&#X42;&#x00063;", u"ABc"},
        DecodeCase{"&#0;", u"&#0;"},                   // value 0 stays
        DecodeCase{"&#x0;", u"&#x0;"},
        DecodeCase{"&bogus;", u"&bogus;"},             // unknown name stays
        DecodeCase{"&AMP;", u"&"},                     // names fold to lower case
        DecodeCase{"&Amp;lt;", u"&lt;"},               // decoded once, not twice
        DecodeCase{"&lt;&gt;&amp;&apos;&quot;", u"<>&'\""},
        DecodeCase{"&#x1F600;", u"\U0001F600"},        // surrogate pair
        DecodeCase{"&#128512;", u"\U0001F600"},
        DecodeCase{"&#xFFFF;", u"\uFFFF"},
        DecodeCase{"&#x110000;", u"&#x110000;"},       // beyond Unicode
        DecodeCase{"&#;&#x;&#12a;", u"&#;&#x;&#12a;"},
        DecodeCase{"&eacute;&Eacute;&EACUTE;", u"\u00E9\u00C9\u00E9"},
        DecodeCase{"&nbsp;&euro;&hellip;&Omega;&omega;", u"\u00A0\u20AC\u2026\u03A9\u03C9"},
        DecodeCase{"&thetasym;", u"\u03D1"},           // ";" is the 9th character
        DecodeCase{"&thetasymx;", u"&thetasymx;"},     // ";" out of reach
        DecodeCase{"&#0000065;", u"A"},
        DecodeCase{"&#00000065;", u"&#00000065;"},
        DecodeCase{"&amp", u"&amp"},                   // no ";"
        DecodeCase{"a & b", u"a & b"},
        DecodeCase{"&a&lt;", u"&a<"},                  // resumes after the "&"
        DecodeCase{"&\xC3\xA9;", u"&\u00E9;"},         // code 128 or above stops
        DecodeCase{"&;", u"&;"}));

const QString kAttributes = QStringLiteral(
    "<r>"
    "<e idx=\"x\" id = 'two' Name=\"N\" t=\"a=b\" bare=unquoted flag />"
    "<f/>"
    "</r>");

TEST(XmlAttribute, NamesMatchExactlyAndValuesComeFromEitherQuote)
{
    XmlDocument doc(kAttributes);
    EXPECT_TRUE(doc.IsWellFormed());
    ASSERT_TRUE(doc.FindElement("r") && doc.EnterElement() && doc.FindElement("e"));
    EXPECT_EQ(doc.GetAttribute("id"), "two");
    EXPECT_EQ(doc.GetAttribute("idx"), "x");
    EXPECT_EQ(doc.GetAttribute("Name"), "N");
    EXPECT_EQ(doc.GetAttribute("name"), "");
    EXPECT_EQ(doc.GetAttribute("t"), "a=b");
    EXPECT_EQ(doc.GetAttribute("bare"), "unquoted");
    EXPECT_EQ(doc.GetAttribute("flag"), "");
    EXPECT_EQ(doc.GetAttribute("missing"), "");
    EXPECT_EQ(doc.GetAttribute("e"), "");  // the tag name is no attribute
    ASSERT_TRUE(doc.FindElement("f"));
    EXPECT_EQ(doc.GetAttribute("id"), "");
}

TEST(XmlAttribute, NoCurrentElementReadsEmpty)
{
    XmlDocument doc(kAttributes);
    EXPECT_EQ(doc.GetAttribute("id"), "");
}

TEST(XmlAttribute, EscapeAndUnescape)
{
    EXPECT_EQ(XmlDocument::EscapeText("<a & 'b' \"c\">", true),
              "&lt;a &amp; &apos;b&apos; &quot;c&quot;&gt;");
    EXPECT_EQ(XmlDocument::EscapeText("<a & 'b' \"c\">", false), "&lt;a &amp; 'b' \"c\"&gt;");
    // Every "&" is escaped, even one that starts a reference already.
    EXPECT_EQ(XmlDocument::EscapeText("&amp;", false), "&amp;amp;");
    EXPECT_EQ(XmlDocument::UnescapeText("&amp;amp;"), "&amp;");
}

}  // namespace
