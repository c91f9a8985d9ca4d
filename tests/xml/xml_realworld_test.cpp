// Large real XML files from the system's packages, read by XmlDocument and
// by QXmlStreamReader: both must see the same elements, nested the same way,
// and the same attribute values.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QXmlStreamReader>

#include "xml/xml_document.h"
#include "tests/xml/xml_test_print.h"

namespace {

// Files both readers should agree on: no entity references beyond the
// predefined ones, no attribute values that rely on DTD normalisation.
// Left out: /usr/share/xml/iso-codes/iso_3166-2.xml, which is not
// well-formed (a bare "&" in name="Enewetak & Ujelang"), so a standard
// parser stops there.
QStringList CandidateFiles()
{
    QStringList files = {
        "/etc/fonts/fonts.conf",
        "/usr/share/mime/packages/freedesktop.org.xml",
        "/usr/share/dbus-1/session.conf",
        "/usr/share/dbus-1/system.conf",
        "/usr/share/xml/iso-codes/iso_639-3.xml",
        "/usr/share/X11/xkb/rules/evdev.xml",
        "/usr/share/vulkan/registry/vk.xml",
    };
    for (const char* folder : {"/usr/share/fontconfig/conf.avail", "/etc/fonts/conf.d",
                               "/usr/share/dbus-1/system.d", "/usr/share/dbus-1/interfaces"}) {
        const QDir dir(QString::fromLatin1(folder));
        for (const QFileInfo& info : dir.entryInfoList({"*.conf", "*.xml"}, QDir::Files))
            files << info.canonicalFilePath();
    }
    files.removeDuplicates();
    QStringList present;
    for (const QString& f : files)
        if (QFileInfo(f).isFile() && QFileInfo(f).isReadable())
            present << f;
    return present;
}

// What a standard parser reports once attribute values are normalised: our
// layer returns values as written, so white space is folded here the way
// XML folds it for CDATA attributes (line ends, then tab/CR/LF to space).
QString Normalised(QString value)
{
    value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar& c : value)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return value;
}

void CompareWithStreamReader(const QString& path)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(path)) << doc.GetResult().toStdString();

    QXmlStreamReader reader(doc.GetText());
    int elements = 0;
    int depth = 0;
    // At each depth: whether an element has been found there yet.
    std::vector<bool> entered = {false};
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++elements;
            if (depth > 0 && !entered[size_t(depth)]) {
                // First child of the element at depth: enter it.
                ASSERT_TRUE(doc.EnterElement());
                entered[size_t(depth)] = true;
            }
            const QString name = reader.qualifiedName().toString();
            ASSERT_TRUE(doc.FindElement(name)) << name.toStdString() << " #" << elements;
            // The start tag ends at the reader's offset; its "<" is the last
            // one before (no "<" can stand inside a start tag).
            const qsizetype lt = doc.GetText().lastIndexOf(u'<', reader.characterOffset() - 1);
            ASSERT_EQ(doc.GetElementOffset(), lt) << name.toStdString() << " #" << elements;
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                if (a.isDefault())
                    continue;  // supplied by the DTD, not written in the tag
                EXPECT_EQ(Normalised(doc.GetAttribute(a.qualifiedName().toString())),
                          a.value().toString())
                    << name.toStdString() << "@" << a.qualifiedName().toString().toStdString();
            }
            ++depth;
            entered.resize(size_t(depth) + 1);
            entered[size_t(depth)] = false;
        } else if (token == QXmlStreamReader::EndElement) {
            if (entered[size_t(depth)]) {
                ASSERT_TRUE(doc.LeaveElement());
            }
            --depth;
        }
    }
    ASSERT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(doc.GetElementCount(), elements);
}

TEST(XmlRealWorld, AgreesWithQXmlStreamReaderOnSystemFiles)
{
    const QStringList files = CandidateFiles();
    ASSERT_FALSE(files.isEmpty()) << "no system XML file to compare with";
    RecordProperty("files_compared", int(files.size()));
    for (const QString& path : files) {
        SCOPED_TRACE(path.toStdString());
        CompareWithStreamReader(path);
    }
}

}  // namespace
