// Writing: elements and attributes spliced into the text, the index kept in
// step, and the exact layout the writers produce.
#include <gtest/gtest.h>

#include "xml/xml_document.h"
#include "tests/xml/xml_test_print.h"

namespace {

const QString kDeclaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");

TEST(XmlWriter, WriterCallingPatternGivesOneElementPerLine)
{
    XmlDocument doc;
    EXPECT_FALSE(doc.SetText(kDeclaration));  // no root yet
    ASSERT_TRUE(doc.AddElement("root"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AddElement("rec"));
    ASSERT_TRUE(doc.SetAttribute("a", "1"));
    ASSERT_TRUE(doc.SetAttribute("b", "x<y"));
    ASSERT_TRUE(doc.AddElement("rec"));
    ASSERT_TRUE(doc.SetAttribute("a", "2"));
    EXPECT_EQ(doc.GetText(), kDeclaration +
                                 "<root>\r\n"
                                 "<rec a=\"1\" b=\"x&lt;y\"/>\r\n"
                                 "<rec a=\"2\"/>\r\n"
                                 "</root>\r\n");
    EXPECT_TRUE(doc.IsWellFormed());
}

struct AddCase {
    const char* text;      // a document whose root r is entered
    const char* expected;  // after AddElement("n") with nothing current
};

class XmlAddUnderRoot : public ::testing::TestWithParam<AddCase> {};

TEST_P(XmlAddUnderRoot, GivesTheExactText)
{
    XmlDocument doc(QString::fromUtf8(GetParam().text));
    ASSERT_TRUE(doc.FindElement("r") && doc.EnterElement());
    ASSERT_TRUE(doc.AddElement("n"));
    EXPECT_EQ(doc.GetText(), QString::fromUtf8(GetParam().expected));
    EXPECT_EQ(doc.GetTagName(), "n");
    EXPECT_EQ(doc.GetElementOffset(), doc.GetText().indexOf("<n/>"));
    // The root's record grew with it: an element added after the root
    // lands after its end tag, as a fresh parse shows.
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AddElement("after"));
    EXPECT_TRUE(doc.GetText().contains("</r><after/>\r\n"));
    XmlDocument again(doc.GetText());
    ASSERT_TRUE(again.FindElement("r") && again.EnterElement() && again.FindElement("n"));
    EXPECT_FALSE(again.FindElement("after"));
    ASSERT_TRUE(again.LeaveElement() && again.FindElement("after"));
    EXPECT_EQ(again.GetElementOffset(), doc.GetElementOffset());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlAddUnderRoot,
    ::testing::Values(
        // An empty element becomes a start and end tag pair on separate lines.
        AddCase{"<r/>", "<r>\r\n<n/>\r\n</r>"},
        AddCase{"<r x=\"1\"/>\r\n", "<r x=\"1\">\r\n<n/>\r\n</r>\r\n"},
        // Start and end tag with nothing between: CR LF before the element too.
        AddCase{"<r></r>", "<r>\r\n<n/>\r\n</r>"},
        // Otherwise at the end of the content, before the end tag.
        AddCase{"<r>\r\n<a/>\r\n</r>", "<r>\r\n<a/>\r\n<n/>\r\n</r>"},
        AddCase{"<r>text</r>", "<r>text<n/>\r\n</r>"}));

TEST(XmlWriter, AddElementAfterTheCurrentOneShiftsWhatFollows)
{
    XmlDocument doc(QStringLiteral("<r>\r\n<a/>\r\n<b v=\"1\"/>\r\n</r>\r\n"));
    ASSERT_TRUE(doc.FindElement("r") && doc.EnterElement() && doc.FindElement("a"));
    ASSERT_TRUE(doc.AddElement("n"));
    EXPECT_EQ(doc.GetText(), "<r>\r\n<a/>\r\n<n/>\r\n<b v=\"1\"/>\r\n</r>\r\n");
    ASSERT_TRUE(doc.FindElement("b"));
    EXPECT_EQ(doc.GetAttribute("v"), "1");
    EXPECT_EQ(doc.GetElementOffset(), doc.GetText().indexOf("<b"));
    ASSERT_TRUE(doc.SetAttribute("w", "2"));
    EXPECT_EQ(doc.GetText(), "<r>\r\n<a/>\r\n<n/>\r\n<b v=\"1\" w=\"2\"/>\r\n</r>\r\n");
    EXPECT_TRUE(doc.IsWellFormed());
}

TEST(XmlWriter, SetAttributeReplacesInPlaceKeepingOrder)
{
    XmlDocument doc(QStringLiteral("<r><e x=\"1\" y='old' z=\"3\">text</e><f id=\"f\"/></r>"));
    ASSERT_TRUE(doc.FindElement("r") && doc.EnterElement() && doc.FindElement("e"));
    ASSERT_TRUE(doc.SetAttribute("y", "new value"));
    ASSERT_TRUE(doc.SetAttribute("w", "4"));
    EXPECT_EQ(doc.GetText(),
              "<r><e x=\"1\" y=\"new value\" z=\"3\" w=\"4\">text</e><f id=\"f\"/></r>");
    EXPECT_EQ(doc.GetAttribute("y"), "new value");
    ASSERT_TRUE(doc.SetAttribute("y", ""));
    EXPECT_EQ(doc.GetAttribute("y"), "");
    // Offsets of what follows moved with the text.
    ASSERT_TRUE(doc.FindElement("f"));
    EXPECT_EQ(doc.GetAttribute("id"), "f");
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AddElement("tail"));
    EXPECT_TRUE(doc.GetText().endsWith("</r><tail/>\r\n"));
}

// An attribute added after a dangling "=" must not be read as its value.
TEST(XmlWriter, AddedAttributeStaysReadableAfterADanglingEquals)
{
    XmlDocument doc(QStringLiteral("<r a= b=\"2\" c=/>"));
    ASSERT_TRUE(doc.FindElement("r"));
    EXPECT_EQ(doc.GetAttribute("a"), "");
    EXPECT_EQ(doc.GetAttribute("b"), "2");
    ASSERT_TRUE(doc.SetAttribute("v", "1"));
    EXPECT_EQ(doc.GetText(), "<r a= b=\"2\" c=/ v=\"1\">");
    EXPECT_EQ(doc.GetAttribute("v"), "1");
}

TEST(XmlWriter, RefusesWithoutCurrentElementOrWithUnwritableNames)
{
    XmlDocument doc(QStringLiteral("<r/>"));
    EXPECT_FALSE(doc.SetAttribute("a", "1"));  // nothing current
    ASSERT_TRUE(doc.FindElement("r"));
    EXPECT_FALSE(doc.SetAttribute("", "1"));
    EXPECT_FALSE(doc.SetAttribute("a b", "1"));
    EXPECT_FALSE(doc.SetAttribute("a=", "1"));
    EXPECT_FALSE(doc.AddElement(""));
    EXPECT_FALSE(doc.AddElement("a b"));
    EXPECT_FALSE(doc.AddElement("1a"));
    EXPECT_FALSE(doc.AddElement("a/"));
    EXPECT_EQ(doc.GetText(), "<r/>");
}

TEST(XmlWriter, AddElementToADocumentNeverParsed)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.AddElement("r"));
    ASSERT_TRUE(doc.SetAttribute("v", "1"));
    EXPECT_EQ(doc.GetText(), "<r v=\"1\"/>\r\n");
    EXPECT_TRUE(doc.IsWellFormed());
}

TEST(XmlWriter, IndexGrowsPastItsFirstSize)
{
    XmlDocument doc(QStringLiteral("<r/>"));  // sized for 8 records
    ASSERT_TRUE(doc.FindElement("r") && doc.EnterElement());
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(doc.AddElement("e"));
        ASSERT_TRUE(doc.SetAttribute("i", QString::number(i)));
    }
    ASSERT_TRUE(doc.LeaveElement() && doc.EnterElement());  // back on the last e
    EXPECT_EQ(doc.GetAttribute("i"), "99");
    XmlDocument again(doc.GetText());
    EXPECT_TRUE(again.IsWellFormed());
    ASSERT_TRUE(again.FindElement("r") && again.EnterElement());
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(again.FindElement("e"));
        EXPECT_EQ(again.GetAttribute("i"), QString::number(i));
    }
}

}  // namespace
