// libFuzzer target for XmlDocument: parses the input as UTF-8 or UTF-16
// text, walks it with the cursor over names taken from the input, edits it a
// little, and checks that edits keep the index in step with the text.
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "xml/xml_codec.h"
#include "xml/xml_document.h"
#include "xml/xml_tag_scan.h"

namespace {

void Fail(int line)
{
    std::fprintf(stderr, "xml_document_fuzz: check failed at line %d\n", line);
    std::abort();
}
#define Check(ok) ((ok) ? void() : Fail(__LINE__))

// Small deterministic generator seeded from the input.
struct Rng {
    uint32_t state;
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
};

QStringList NamesFrom(const QString& text)
{
    QStringList names;
    qsizetype i = 0;
    while (i < text.size() && names.size() < 16) {
        while (i < text.size() && XmlScan::EndsName(text[i].unicode()))
            ++i;
        const qsizetype from = i;
        while (i < text.size() && !XmlScan::EndsName(text[i].unicode()))
            ++i;
        if (i > from && i - from <= 32)
            names << text.mid(from, i - from);
    }
    names << QStringLiteral("a") << QStringLiteral("b");
    return names;
}

void CheckCurrentIs(const XmlDocument& doc, const QString& name)
{
    const int at = doc.GetElementOffset();
    Check(at >= 0 && at < doc.GetText().size() && doc.GetText()[at] == u'<');
    Check(doc.GetTagName() == name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 64 * 1024)
        return 0;
    const uint8_t mode = data[0];
    ++data;
    --size;

    QString text;
    if (mode & 1) {
        text.resize(qsizetype(size / 2));
        std::memcpy(text.data(), data, (size / 2) * 2);
    } else {
        const char* bytes = reinterpret_cast<const char*>(data);
        text = XmlCodec::DecodeUtf8(bytes, qsizetype(size));
        // Well-formed input decodes as any decoder would; malformed input
        // leaves at least one "?".
        if (XmlCodec::IsWellFormedUtf8(bytes, qsizetype(size))) {
            // QString::fromUtf8 drops a leading byte-order mark; we keep it.
            QString expected = QString::fromUtf8(bytes, qsizetype(size));
            if (size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0)
                expected.prepend(QChar(0xFEFF));
            Check(text == expected);
        }
        else
            Check(text.contains(u'?'));
    }

    XmlDocument doc;
    const bool wellFormed = doc.SetText(text);
    Check(wellFormed == doc.IsWellFormed());
    const QStringList names = NamesFrom(text);
    uint32_t seed = 2463534242u;
    for (size_t i = 0; i < size; ++i)
        seed = (seed ^ data[i]) * 16777619u;
    Rng rng{seed | 1};

    int edits = 0;
    for (int step = 0; step < 200; ++step) {
        const uint32_t r = rng.Next();
        const QString& name = names[qsizetype(r >> 8) % names.size()];
        switch (r % 8) {
        case 0:
        case 1:
            if (doc.FindElement(name))
                CheckCurrentIs(doc, name);
            break;
        case 2:
            doc.EnterElement();
            break;
        case 3:
            doc.LeaveElement();
            break;
        case 4:
            doc.GetAttribute(name);
            break;
        case 5:
            if (edits < 6 && doc.AddElement(name)) {
                ++edits;
                CheckCurrentIs(doc, name);
            }
            break;
        case 6:
            if (edits < 6) {
                const QString value = name + QStringLiteral("<&>'\"&amp;");
                if (doc.SetAttribute(name, value)) {
                    ++edits;
                    Check(doc.GetAttribute(name) == value);
                }
            }
            break;
        default:
            doc.GetTagName();
            break;
        }
    }
    // Edits splice text and shift records; a fresh parse of a document that
    // was well-formed must index exactly as many elements.
    if (wellFormed && edits > 0) {
        XmlDocument again(doc.GetText());
        Check(again.GetElementCount() == doc.GetElementCount());
    }
    XmlDocument::UnescapeText(text.left(4096));

    // Now and then, through a file: encoding detection and conversion. (Fuzz
    // with TMPDIR on a tmpfs such as /dev/shm: a disk makes this the bottleneck.)
    if (mode & 2) {
        static const QString path =
            QDir::temp().filePath(QStringLiteral("xml_document_fuzz_%1.xml")
                                      .arg(QString::number(qint64(getpid()))));
        FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
        if (f) {
            std::fwrite(data, 1, size, f);
            std::fclose(f);
            XmlDocument loaded;
            loaded.LoadFile(path);
            if (mode & 4)
                loaded.SaveFile(path);
            QFile::remove(path);
        }
    }
    return 0;
}
