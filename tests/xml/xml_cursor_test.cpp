// Cursor moves over the element index: search order, entering and leaving.
#include <gtest/gtest.h>

#include "xml/xml_document.h"
#include "tests/xml/xml_test_print.h"

namespace {

const QString kList = QStringLiteral(
    "<root>\r\n"
    "<a id=\"1\"/>\r\n"
    "<b id=\"2\"><c id=\"4\"/><c id=\"5\"/></b>\r\n"
    "<a id=\"3\"/>\r\n"
    "</root>\r\n");

class XmlCursor : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.SetText(kList));
        ASSERT_TRUE(doc.FindElement("root"));
        ASSERT_TRUE(doc.EnterElement());
    }
    QString Id() const { return doc.GetAttribute("id"); }
    XmlDocument doc;
};

TEST_F(XmlCursor, FindElementMovesForwardAmongSiblingsOnly)
{
    ASSERT_TRUE(doc.FindElement("a"));
    EXPECT_EQ(Id(), "1");
    ASSERT_TRUE(doc.FindElement("a"));  // skips b
    EXPECT_EQ(Id(), "3");
    // Past the last "a": false, and the cursor stays on that last "a".
    EXPECT_FALSE(doc.FindElement("a"));
    EXPECT_EQ(Id(), "3");
    // b lies before the current element: not found again.
    EXPECT_FALSE(doc.FindElement("b"));
    EXPECT_EQ(Id(), "3");
    // Children are not candidates.
    EXPECT_FALSE(doc.FindElement("c"));
}

TEST_F(XmlCursor, NamesCompareExactly)
{
    EXPECT_FALSE(doc.FindElement("A"));
    EXPECT_FALSE(doc.FindElement("ro"));
    EXPECT_FALSE(doc.FindElement(""));
    EXPECT_FALSE(doc.FindElement("a id"));
    EXPECT_EQ(doc.GetElementOffset(), -1);  // nothing current yet
}

TEST_F(XmlCursor, LeaveElementContinuesAfterTheElementLeft)
{
    ASSERT_TRUE(doc.FindElement("b"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("c"));
    EXPECT_EQ(Id(), "4");
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetTagName(), "b");
    ASSERT_TRUE(doc.FindElement("a"));
    EXPECT_EQ(Id(), "3");  // not the "a" before b
}

TEST_F(XmlCursor, EnterAfterLeaveReturnsToTheRememberedChild)
{
    ASSERT_TRUE(doc.FindElement("b"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("c"));
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_EQ(Id(), "4");
    ASSERT_TRUE(doc.FindElement("c"));
    EXPECT_EQ(Id(), "5");
}

TEST_F(XmlCursor, EnterNeedsACurrentElementAndLeaveAParent)
{
    EXPECT_FALSE(doc.EnterElement());  // inside root, nothing current
    ASSERT_TRUE(doc.FindElement("a"));
    ASSERT_TRUE(doc.EnterElement());   // a has no children
    EXPECT_FALSE(doc.FindElement("c"));
    EXPECT_EQ(doc.GetTagName(), "");
    ASSERT_TRUE(doc.LeaveElement());   // back on a
    ASSERT_TRUE(doc.LeaveElement());   // on root, at the document level
    EXPECT_EQ(doc.GetTagName(), "root");
    EXPECT_FALSE(doc.LeaveElement());
}

TEST(XmlCursorText, TagNameEndsAtWhiteSpaceAndDelimiters)
{
    XmlDocument doc(QStringLiteral("<r><x\nid='1'/><y\tid='2'></y><z/></r>"));
    ASSERT_TRUE(doc.IsWellFormed());
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("x"));
    EXPECT_EQ(doc.GetAttribute("id"), "1");
    ASSERT_TRUE(doc.FindElement("y"));
    EXPECT_EQ(doc.GetAttribute("id"), "2");
    ASSERT_TRUE(doc.FindElement("z"));
    EXPECT_EQ(doc.GetElementOffset(), 28);
}

TEST(XmlCursorText, EmptyDocumentRefusesEveryMove)
{
    XmlDocument doc;
    EXPECT_FALSE(doc.FindElement("a"));
    EXPECT_FALSE(doc.EnterElement());
    EXPECT_FALSE(doc.LeaveElement());
    EXPECT_EQ(doc.GetAttribute("a"), "");
    EXPECT_FALSE(doc.SetAttribute("a", "1"));
    EXPECT_FALSE(doc.IsWellFormed());
}

}  // namespace
