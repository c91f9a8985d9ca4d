// Parsing: node kinds, syntax errors, the open-element stack and what stays
// navigable in a text that is not well-formed.
#include <gtest/gtest.h>

#include <QStringList>

#include "xml/xml_document.h"
#include "tests/xml/xml_test_print.h"

namespace {

// Finds each name in turn at the current level; all must be found.
void ExpectSequence(XmlDocument& doc, const QStringList& names)
{
    int last = -1;
    for (const QString& name : names) {
        ASSERT_TRUE(doc.FindElement(name)) << name.toStdString();
        EXPECT_GT(doc.GetElementOffset(), last) << name.toStdString();
        last = doc.GetElementOffset();
    }
}

TEST(XmlParse, EveryKindOfNodeInAWellFormedText)
{
    const QString text = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<!DOCTYPE r [\r\n"
        "  <!ELEMENT r ANY>\r\n"
        "  <!-- a comment in the subset <r> -->\r\n"
        "  <!ATTLIST r v CDATA \"a>b\">\r\n"
        "  <!ENTITY e \"<x/>\">\r\n"
        "  <?pi in subset?>\r\n"
        "  <!NOTATION n SYSTEM \"n\">\r\n"
        "]>\r\n"
        "<!-- <fake/> -->\r\n"
        "<r v='q\"uote>d'>\r\n"
        "  <![CDATA[ <fake/> ]]>\r\n"
        "  <?pi <fake/> ?>\r\n"
        "  text > more\r\n"
        "  <a x=\">\"/><b /><c></c>\r\n"
        "</r>\r\n");
    XmlDocument doc;
    EXPECT_TRUE(doc.SetText(text)) << doc.GetResult().toStdString();
    EXPECT_EQ(doc.GetResult(), "");
    EXPECT_EQ(doc.GetElementCount(), 4);
    ASSERT_TRUE(doc.FindElement("r"));
    EXPECT_EQ(doc.GetAttribute("v"), "q\"uote>d");
    ASSERT_TRUE(doc.EnterElement());
    ExpectSequence(doc, {"a", "b", "c"});
    EXPECT_FALSE(doc.FindElement("fake"));
}

struct BrokenCase {
    const char* text;
    const char* logged;  // start of the expected log entry
};

class XmlParseErrors : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(XmlParseErrors, AreLoggedAndMakeTheTextIllFormed)
{
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText(QString::fromUtf8(GetParam().text)));
    EXPECT_TRUE(doc.GetResult().contains(QString::fromUtf8(GetParam().logged)))
        << doc.GetResult().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlParseErrors,
    ::testing::Values(
        BrokenCase{"", "<no_root_element/>"},
        BrokenCase{"<?xml version=\"1.0\"?>\r\n", "<no_root_element/>"},
        BrokenCase{"<a/><b/>", "<root_has_sibling tagname=\"b\" offset=\"4\"/>"},
        BrokenCase{"<a><1/></a>", "<first_tag_syntax offset=\"3\"/>"},
        BrokenCase{"<a>< b/></a>", "<first_tag_syntax offset=\"3\"/>"},
        BrokenCase{"<a><[x/></a>", "<first_tag_syntax offset=\"3\"/>"},
        BrokenCase{"<a><!x></a>", "<exclamation_tag_syntax offset=\"3\"/>"},
        BrokenCase{"<a><!-x--></a>", "<comment_tag_syntax offset=\"3\"/>"},
        BrokenCase{"<a><![X[ ]]></a>", "<cdata_section_syntax offset=\"3\"/>"},
        BrokenCase{"<!DOCTYPE a [<!X>]><a/>", "<doctype_tag_syntax offset=\"13\"/>"},
        BrokenCase{"<a x=\"1", "<unterminated_tag_syntax type=\"start_tag\" offset=\"0\"/>"},
        BrokenCase{"<a></a", "<unterminated_tag_syntax type=\"end_tag\" offset=\"3\"/>"},
        BrokenCase{"<a><![CDATA[ x", "<unterminated_tag_syntax type=\"cdata_section\""},
        BrokenCase{"<a><?pi x", "<unterminated_tag_syntax type=\"processing_instruction\""},
        BrokenCase{"<a><!-- x", "<unterminated_tag_syntax type=\"comment\""},
        BrokenCase{"<!DOCTYPE a [ <!ELEMENT a ANY>", "<unterminated_tag_syntax type=\"document_type\""},
        BrokenCase{"<a><", "<unterminated_tag_syntax type=\"tag\" offset=\"3\"/>"},
        BrokenCase{"<a></b></a>", "<lone_end_tag tagname=\"b\" offset=\"3\"/>"},
        BrokenCase{"<a><b></a>", "<unended_start_tag tagname=\"b\" offset=\"3\" offset2=\"6\"/>"},
        BrokenCase{"<a>", "<unended_start_tag tagname=\"a\" offset=\"0\" offset2=\"3\"/>"}));

TEST(XmlParse, SyntaxErrorResumesAfterTheNextGreaterThan)
{
    XmlDocument doc(QStringLiteral("<r><!bad><a/><b/></r>"));
    EXPECT_FALSE(doc.IsWellFormed());
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    ExpectSequence(doc, {"a", "b"});
}

TEST(XmlParse, TwoTopLevelElementsAreBothIndexed)
{
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText(QStringLiteral("<a/>\r\n<b/>\r\n")));
    ExpectSequence(doc, {"a", "b"});
}

// b is opened inside a and left open when a closes: b is not ended, its
// child moves out to follow it, and everything stays navigable.
TEST(XmlParse, UnendedElementKeepsTheDocumentNavigable)
{
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText(QStringLiteral("<r><a><b><c/></a><d/></r>")));
    EXPECT_TRUE(doc.GetResult().contains("<unended_start_tag tagname=\"b\""));
    EXPECT_FALSE(doc.GetResult().contains("lone_end_tag"));
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("a"));
    ASSERT_TRUE(doc.EnterElement());
    ExpectSequence(doc, {"b", "c"});
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.FindElement("d"));
    // b keeps no children of its own.
    XmlDocument again(doc.GetText());
    ASSERT_TRUE(again.FindElement("r") && again.EnterElement() && again.FindElement("a") &&
                again.EnterElement() && again.FindElement("b") && again.EnterElement());
    EXPECT_FALSE(again.FindElement("c"));
}

TEST(XmlParse, LoneEndTagIsIgnored)
{
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText(QStringLiteral("<r><a></x><b/></a></r>")));
    EXPECT_FALSE(doc.GetResult().contains("unended_start_tag"));
    ASSERT_TRUE(doc.FindElement("r") && doc.EnterElement() && doc.FindElement("a"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_TRUE(doc.FindElement("b"));
}

// Elements still open at the end are not ended: the children of each move
// out, in text order, up to the document level.
TEST(XmlParse, ElementsOpenAtTheEndFlattenInTextOrder)
{
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText(QStringLiteral("<r><x/><a><y/><b><z/>")));
    EXPECT_TRUE(doc.GetResult().contains("<root_has_sibling"));
    EXPECT_EQ(doc.GetElementCount(), 6);
    ExpectSequence(doc, {"r", "x", "a", "y", "b", "z"});
}

TEST(XmlParse, EmptyElementNeedsSlashAfterNameSpaceOrQuote)
{
    // "<b x=1/>" is a start tag (the "/" follows "1"), so b stays open and
    // swallows c until </r> leaves it not ended.
    XmlDocument doc(QStringLiteral("<r><a x='1'/><b x=1/><c/></r>"));
    EXPECT_TRUE(doc.GetResult().contains("<unended_start_tag tagname=\"b\""));
    ASSERT_TRUE(doc.FindElement("r") && doc.EnterElement());
    ExpectSequence(doc, {"a", "b", "c"});
}

TEST(XmlParse, ManyOpenElementsAndLoneEndTagsStayLinear)
{
    QString text;
    for (int i = 0; i < 50000; ++i)
        text += QStringLiteral("<a>");
    for (int i = 0; i < 50000; ++i)
        text += QStringLiteral("</b>");
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText(text));
    EXPECT_EQ(doc.GetElementCount(), 50000);
    EXPECT_LE(doc.GetResult().size(), 999 + 200);  // the log stops growing
    // All of them end up at the document level.
    int found = 0;
    while (doc.FindElement("a"))
        ++found;
    EXPECT_EQ(found, 50000);
}

}  // namespace
