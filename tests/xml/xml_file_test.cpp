// Reading and writing whole files: marks, declared and detected encodings,
// code page conversion, the round trip, and file errors.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

#include "xml/xml_document.h"
#include "tests/xml/xml_test_print.h"

namespace {

class XmlFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // The system ANSI code page follows the locale: pin it to 1252.
        for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            const char* v = std::getenv(var);
            saved.emplace_back(var, v ? std::string(v) : std::string("\x01"));
        }
        setenv("LC_ALL", "en_US.UTF-8", 1);
    }
    void TearDown() override
    {
        for (const auto& [var, value] : saved) {
            if (value == "\x01")
                unsetenv(var.c_str());
            else
                setenv(var.c_str(), value.c_str(), 1);
        }
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString Write(const char* name, const QByteArray& bytes) const
    {
        QFile f(Path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return Path(name);
    }
    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    // Loads and returns the attribute v of the root r.
    static QString RootValue(XmlDocument& doc)
    {
        EXPECT_TRUE(doc.FindElement("r"));
        return doc.GetAttribute("v");
    }

    QTemporaryDir dir;
    std::vector<std::pair<std::string, std::string>> saved;
};

// "é" as UTF-8 read as 1252 would come out as two characters.
TEST_F(XmlFile, Utf8ByMarkByDeclarationAndByLeadingLessThan)
{
    const QByteArray body = "<r v=\"caf\xC3\xA9\"/>\r\n";
    struct Case {
        const char* name;
        QByteArray bytes;
        int bom;
        const char* logged;
    } cases[] = {
        {"mark.xml", "\xEF\xBB\xBF" + body, 1, "<bom encoding=\"UTF-8\"/>"},
        {"declared.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n" + body, 0, "<read"},
        {"lessthan.xml", body, 0, "<read"},
        {"detected.xml", "\r\n" + body, 0, "<utf8_detection"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XmlDocument doc;
        EXPECT_TRUE(doc.LoadFile(Write(c.name, c.bytes)));
        EXPECT_EQ(doc.GetBomKind(), c.bom);
        EXPECT_TRUE(doc.GetResult().contains(QString::fromLatin1(c.logged)))
            << doc.GetResult().toStdString();
        EXPECT_EQ(RootValue(doc), QString::fromUtf8("caf\xC3\xA9"));
    }
}

TEST_F(XmlFile, NeitherMarkNorDeclarationNorUtf8FallsBackToTheAnsiCodePage)
{
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadFile(Write("ansi.xml", "\r\n<r v=\"caf\xE9 \x80\"/>")));
    EXPECT_FALSE(doc.GetResult().contains("utf8_detection"));
    EXPECT_EQ(RootValue(doc), QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"));
}

TEST_F(XmlFile, MalformedUtf8BecomesQuestionMarks)
{
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadFile(Write("bad.xml", "<r v=\"a\xC3(b\xE2\x82\"/>")));
    EXPECT_EQ(RootValue(doc), "a?(b?");
}

TEST_F(XmlFile, Utf16WithMarkBothByteOrders)
{
    const QString text = QString::fromUtf8("<r v=\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\"/>");
    QByteArray le = "\xFF\xFE", be = "\xFE\xFF";
    for (QChar c : text) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadFile(Write("le.xml", le)));
    EXPECT_EQ(doc.GetBomKind(), 2);
    EXPECT_EQ(doc.GetText(), text);
    EXPECT_TRUE(doc.LoadFile(Write("be.xml", be)));
    EXPECT_EQ(doc.GetBomKind(), 3);
    EXPECT_TRUE(doc.GetResult().contains("<endian_swap/>"));
    EXPECT_EQ(doc.GetText(), text);
}

struct CodePageCase {
    const char* name;
    QByteArray bytes;
    const char* value;  // UTF-8 of the attribute v
};

TEST_F(XmlFile, DeclaredCodePageReadsAndWritesBackByteIdentical)
{
    const CodePageCase cases[] = {
        {"cp1252.xml",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<r v=\"caf\xE9 \x80\"/>\r\n",
         "caf\xC3\xA9 \xE2\x82\xAC"},
        {"gb2312.xml", "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<r v=\"\xD6\xD0\xCE\xC4\"/>\r\n",
         "\xE4\xB8\xAD\xE6\x96\x87"},
    };
    for (const CodePageCase& c : cases) {
        SCOPED_TRACE(c.name);
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadFile(Write(c.name, c.bytes))) << doc.GetResult().toStdString();
        EXPECT_EQ(RootValue(doc), QString::fromUtf8(c.value));
        const QString copy = Path("copy.xml");
        ASSERT_TRUE(doc.SaveFile(copy)) << doc.GetResult().toStdString();
        EXPECT_EQ(Read(copy), c.bytes);
        EXPECT_FALSE(doc.GetResult().contains("conversion_loss"));
    }
}

TEST_F(XmlFile, HtmlMetaContentTypeNamesTheCharset)
{
    XmlDocument doc;
    doc.LoadFile(Write("page.html",
                       "<html><head><meta http-equiv=\"Content-Type\" "
                       "content=\"text/html; charset=windows-1252\"/></head>"
                       "<body v=\"caf\xE9\"/></html>"));
    ASSERT_TRUE(doc.FindElement("html") && doc.EnterElement() && doc.FindElement("body"));
    EXPECT_EQ(doc.GetAttribute("v"), QString::fromUtf8("caf\xC3\xA9"));
}

TEST_F(XmlFile, NulBytesAreRemoved)
{
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadFile(Write("nul.xml", QByteArray("<r\0 v=\"1\0\"/>\0", 13))));
    EXPECT_TRUE(doc.GetResult().contains("<nulls_removed count=\"3\"/>"));
    EXPECT_EQ(RootValue(doc), "1");
}

TEST_F(XmlFile, FilesWithoutRootOrWithTwoRootsAreRefused)
{
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadFile(Write("empty.xml", "")));
    EXPECT_TRUE(doc.GetResult().contains("<no_root_element/>"));
    EXPECT_FALSE(doc.LoadFile(Write("decl.xml", "<?xml version=\"1.0\"?>\r\n")));
    EXPECT_TRUE(doc.GetResult().contains("<no_root_element/>"));
    EXPECT_FALSE(doc.LoadFile(Write("two.xml", "<a/>\r\n<b/>\r\n")));
    EXPECT_TRUE(doc.FindElement("a"));
    EXPECT_TRUE(doc.FindElement("b"));
}

TEST_F(XmlFile, FileErrorsAreLoggedWithMessageAndNumber)
{
    XmlDocument doc(QStringLiteral("<r/>"));
    EXPECT_FALSE(doc.LoadFile(Path("missing.xml")));
    EXPECT_EQ(doc.GetResult(), "<file_error msg=\"No such file or directory\" n=\"2\"/>");
    EXPECT_FALSE(doc.FindElement("r"));  // the old text is gone
    EXPECT_FALSE(doc.SaveFile(Path("no/such/folder.xml")));
    EXPECT_EQ(doc.GetResult(), "<file_error msg=\"No such file or directory\" n=\"2\"/>");
    EXPECT_FALSE(doc.LoadFile(dir.path()));  // a folder reads as an error
    EXPECT_TRUE(doc.GetResult().startsWith("<file_error msg=\"Is a directory\" n=\"21\"/>"));
}

// The writers' document: declaration, one element per line, CR LF, no mark.
TEST_F(XmlFile, SavedDocumentHasTheExactBytes)
{
    XmlDocument doc(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
    ASSERT_TRUE(doc.AddElement("root") && doc.EnterElement());
    ASSERT_TRUE(doc.AddElement("item") && doc.SetAttribute("name", QString::fromUtf8("caf\xC3\xA9")));
    ASSERT_TRUE(doc.AddElement("item") && doc.SetAttribute("name", "b"));
    const QString path = Path("out.xml");
    ASSERT_TRUE(doc.SaveFile(path));
    EXPECT_EQ(Read(path),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<root>\r\n"
              "<item name=\"caf\xC3\xA9\"/>\r\n"
              "<item name=\"b\"/>\r\n"
              "</root>\r\n");
    EXPECT_TRUE(doc.GetResult().contains("<write"));
}

TEST_F(XmlFile, ValueWithMarkupCharactersSurvivesTheRoundTrip)
{
    const QString value = QString::fromUtf8("<a & b> 'single' \"double\" &amp; \xE2\x82\xAC");
    XmlDocument doc(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<r/>\r\n"));
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.SetAttribute("v", value));
    const QString path = Path("round.xml");
    ASSERT_TRUE(doc.SaveFile(path));
    XmlDocument back;
    ASSERT_TRUE(back.LoadFile(path));
    EXPECT_EQ(RootValue(back), value);
}

TEST_F(XmlFile, UnrepresentableCharactersBecomeTheDefaultCharacter)
{
    XmlDocument doc(QString::fromUtf8(
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?><r v=\"\xE4\xB8\xAD\xC3\xA9\xF0\x9F\x98\x80\"/>"));
    const QString path = Path("loss.xml");
    ASSERT_TRUE(doc.SaveFile(path));
    EXPECT_TRUE(doc.GetResult().contains("<conversion_loss count=\"2\"/>"));
    EXPECT_EQ(Read(path), "<?xml version=\"1.0\" encoding=\"windows-1252\"?><r v=\"?\xE9?\"/>");
}

// Written as 16-bit units without a mark, a UTF-16 document still reads back.
TEST_F(XmlFile, Utf16DeclaredDocumentRoundTrips)
{
    const QString text = QString::fromUtf8(
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<r v=\"caf\xC3\xA9 \xE4\xB8\xAD\"/>\r\n");
    XmlDocument doc(text);
    const QString path = Path("utf16.xml");
    ASSERT_TRUE(doc.SaveFile(path));
    const QByteArray bytes = Read(path);
    ASSERT_EQ(bytes.size(), text.size() * 2);
    EXPECT_EQ(bytes.left(4), QByteArray("<\0?\0", 4));
    XmlDocument back;
    ASSERT_TRUE(back.LoadFile(path));
    EXPECT_EQ(back.GetText(), text);
}

}  // namespace
