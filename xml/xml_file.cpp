// XmlDocument::LoadFile and XmlDocument::SaveFile: whole-file reading and
// writing with byte-order marks, declared encodings and code page conversion.
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "xml/xml_codec.h"
#include "xml/xml_document.h"
#include "xml/xml_encoding.h"
#include "xml/xml_tag_scan.h"

namespace {

constexpr qsizetype kHeadBytes = 1024;
// Texts are indexed with 32-bit offsets; larger files are refused.
constexpr long long kMaxFileBytes = 0x3FFFFFFF;

enum Bom { kNoBom = 0, kBomUtf8 = 1, kBomUtf16LE = 2, kBomUtf16BE = 3 };

QString ErrorText(int err)
{
    QString msg = QString::fromLocal8Bit(std::strerror(err));
    const qsizetype eol = msg.indexOf(u'\n');
    if (eol >= 0)
        msg.truncate(eol);
    return msg.left(100);
}

// Charset of an HTML "meta" element with http-equiv "Content-Type" inside
// "html"/"head": the charset parameter of its "content" attribute.
QString HtmlMetaCharset(const QString& head)
{
    XmlDocument html(head);
    if (!html.FindElement(QStringLiteral("html")) || !html.EnterElement() ||
        !html.FindElement(QStringLiteral("head")) || !html.EnterElement())
        return {};
    while (html.FindElement(QStringLiteral("meta"))) {
        if (html.GetAttribute(QStringLiteral("http-equiv"))
                .compare(u"Content-Type", Qt::CaseInsensitive) != 0)
            continue;
        const QString content = html.GetAttribute(QStringLiteral("content"));
        const qsizetype at = content.indexOf(u"charset=", 0, Qt::CaseInsensitive);
        if (at < 0)
            continue;
        QString charset = content.mid(at + 8);
        const qsizetype semi = charset.indexOf(u';');
        if (semi >= 0)
            charset.truncate(semi);
        charset = charset.trimmed();
        if (charset.size() >= 2 && (charset.front() == u'"' || charset.front() == u'\''))
            charset = charset.mid(1, charset.size() - 2);
        if (!charset.isEmpty())
            return charset;
    }
    return {};
}

class File {
public:
    File(const QString& path, const char* mode)
        : m_file(std::fopen(QFile::encodeName(path).constData(), mode))
    {
    }
    ~File()
    {
        if (m_file)
            std::fclose(m_file);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    FILE* get() const { return m_file; }
    // Closes now; the errno of a failed close, else 0.
    int Close()
    {
        FILE* f = m_file;
        m_file = nullptr;
        return std::fclose(f) == 0 ? 0 : (errno ? errno : EIO);
    }

private:
    FILE* m_file;
};

int LastError()
{
    return errno ? errno : EIO;
}

}  // namespace

bool XmlDocument::LoadFile(const CString& path)
{
    m_result.clear();
    m_docFlags &= ~uint32_t(kBomMask);
    m_text.clear();
    ResetIndex(8);
    auto fileError = [this](int err) {
        Log("file_error", {{"msg", ErrorText(err)}, {"n", QString::number(err)}});
        return false;
    };

    // 1. Open, take the length, read the first bytes.
    errno = 0;
    File file(path, "rb");
    if (!file.get())
        return fileError(LastError());
    struct stat info;
    if (fstat(fileno(file.get()), &info) == 0 && S_ISDIR(info.st_mode))
        return fileError(EISDIR);
    if (std::fseek(file.get(), 0, SEEK_END) != 0)
        return fileError(LastError());
    const long long size = ftello(file.get());
    if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return fileError(LastError());
    if (size > kMaxFileBytes)
        return fileError(EFBIG);
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    const qsizetype headWanted = std::min<qsizetype>(bytes.size(), kHeadBytes);
    qsizetype got = qsizetype(std::fread(bytes.data(), 1, size_t(headWanted), file.get()));
    if (got < headWanted && std::ferror(file.get()))
        return fileError(LastError());
    const qsizetype headGot = got;

    // 2. Byte-order mark.
    const auto* u = reinterpret_cast<const unsigned char*>(bytes.constData());
    int bom = kNoBom;
    qsizetype skip = 0;
    if (headGot >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) {
        bom = kBomUtf8;
        skip = 3;
    } else if (headGot >= 2 && u[0] == 0xFF && u[1] == 0xFE) {
        bom = kBomUtf16LE;
        skip = 2;
    } else if (headGot >= 2 && u[0] == 0xFE && u[1] == 0xFF) {
        bom = kBomUtf16BE;
        skip = 2;
    }
    QString encoding;
    int utf16 = kNoBom;  // kBomUtf16LE or kBomUtf16BE when read as 16-bit units
    if (bom != kNoBom) {
        static const char* const kBomNames[] = {"", "UTF-8", "UTF-16LE", "UTF-16BE"};
        encoding = QString::fromLatin1(kBomNames[bom]);
        m_docFlags |= uint32_t(bom);
        if (bom != kBomUtf8)
            utf16 = bom;
        Log("bom", {{"encoding", encoding}});
    } else if (headGot > 0) {
        // 3. The declared encoding, read from the first bytes as UTF-8.
        const QString head = XmlCodec::DecodeUtf8(bytes.constData(), headGot);
        encoding = XmlScan::DeclaredEncoding(head);
        if (encoding.isEmpty())
            encoding = HtmlMetaCharset(head);
        const int declared = XmlEncoding::CodePageFromName(encoding);
        if (declared == XmlEncoding::kUtf16LE || declared == XmlEncoding::kUtf16BE)
            encoding.clear();  // readable as UTF-8, so not 16-bit units
        if (encoding.isEmpty()) {
            // A text of 16-bit units without a mark still starts with "<"
            // next to a NUL byte.
            if (headGot >= 2 && u[0] == '<' && u[1] == 0)
                utf16 = kBomUtf16LE;
            else if (headGot >= 2 && u[0] == 0 && u[1] == '<')
                utf16 = kBomUtf16BE;
            else if (u[0] == '<')
                encoding = QStringLiteral("UTF-8");
            if (utf16)
                encoding = QString::fromLatin1(utf16 == kBomUtf16LE ? "UTF-16LE" : "UTF-16BE");
        }
    }

    // 4. The rest in one piece.
    if (got == headWanted && got < bytes.size()) {
        got += qsizetype(std::fread(bytes.data() + got, 1, size_t(bytes.size() - got), file.get()));
        if (got < bytes.size() && std::ferror(file.get()))
            return fileError(LastError());
    }
    if (got < bytes.size()) {
        Log("truncation_error", {{"length", QString::number(bytes.size())},
                                 {"count", QString::number(got)}});
        bytes.truncate(got);
    }
    if (const int err = file.Close())
        return fileError(err);
    Log("read", {{"length", QString::number(bytes.size())}});

    const char* data = bytes.constData() + skip;
    const qsizetype n = bytes.size() - skip;
    if (utf16) {
        QString text(n / 2, Qt::Uninitialized);
        char16_t* units = reinterpret_cast<char16_t*>(text.data());
        for (qsizetype i = 0; i < text.size(); ++i)
            units[i] = utf16 == kBomUtf16LE ? qFromLittleEndian<char16_t>(data + 2 * i)
                                            : qFromBigEndian<char16_t>(data + 2 * i);
        if (utf16 == kBomUtf16BE)
            Log("endian_swap");
        const qsizetype nulls = text.count(QChar(0));
        if (nulls) {
            text.remove(QChar(0));
            Log("nulls_removed", {{"count", QString::number(nulls)}});
        }
        m_text = text;
    } else {
        QByteArray body(data, n);
        const qsizetype nulls = body.count('\0');
        if (nulls) {
            body.removeIf([](char c) { return c == '\0'; });
            Log("nulls_removed", {{"count", QString::number(nulls)}});
        }
        // 5. Detection when nothing named the encoding.
        int codePage = 0;
        if (encoding.isEmpty() && XmlCodec::IsWellFormedUtf8(body.constData(), body.size())) {
            encoding = QStringLiteral("UTF-8");
            Log("utf8_detection", {{"encoding", encoding}});
        }
        if (!encoding.isEmpty())
            codePage = XmlEncoding::CodePageFromName(encoding);
        if (codePage == 0)
            codePage = XmlEncoding::SystemAnsiCodePage();
        // 6. Conversion to UTF-16.
        if (codePage == XmlEncoding::kUtf8 || codePage == XmlEncoding::kUtf16LE ||
            codePage == XmlEncoding::kUtf16BE) {
            m_text = XmlCodec::DecodeUtf8(body.constData(), body.size());
        } else if (!XmlCodec::Decode(codePage, body.constData(), body.size(), m_text)) {
            codePage = XmlEncoding::SystemAnsiCodePage();
            if (!XmlCodec::Decode(codePage, body.constData(), body.size(), m_text))
                m_text = XmlCodec::DecodeUtf8(body.constData(), body.size());
        }
        Log("converted_to", {{"encoding", encoding.isEmpty() ? QString::number(codePage) : encoding},
                             {"count", QString::number(m_text.size())}});
    }

    // 7. Parse.
    return Parse();
}

bool XmlDocument::SaveFile(const CString& path)
{
    m_result.clear();
    auto fileError = [this](int err) {
        Log("file_error", {{"msg", ErrorText(err)}, {"n", QString::number(err)}});
        return false;
    };

    errno = 0;
    File file(path, "wb");
    if (!file.get())
        return fileError(LastError());

    QString encoding = XmlScan::DeclaredEncoding(m_text);
    if (encoding.isEmpty())
        encoding = QStringLiteral("UTF-8");
    int codePage = XmlEncoding::CodePageFromName(encoding);
    if (codePage == 0)
        codePage = XmlEncoding::SystemAnsiCodePage();

    QByteArray bytes;
    qsizetype lost = 0;
    if (codePage == XmlEncoding::kUtf16LE || codePage == XmlEncoding::kUtf16BE) {
        bytes.resize(m_text.size() * 2);
        const char16_t* units = reinterpret_cast<const char16_t*>(m_text.utf16());
        for (qsizetype i = 0; i < m_text.size(); ++i) {
            if (codePage == XmlEncoding::kUtf16LE)
                qToLittleEndian(units[i], bytes.data() + 2 * i);
            else
                qToBigEndian(units[i], bytes.data() + 2 * i);
        }
        if (codePage == XmlEncoding::kUtf16BE)
            Log("endian_swap");
    } else {
        if (codePage == XmlEncoding::kUtf8) {
            bytes = XmlCodec::EncodeUtf8(m_text, &lost);
        } else if (!XmlCodec::Encode(codePage, m_text, bytes, &lost)) {
            codePage = XmlEncoding::SystemAnsiCodePage();
            lost = 0;
            bytes.clear();
            if (!XmlCodec::Encode(codePage, m_text, bytes, &lost))
                bytes = XmlCodec::EncodeUtf8(m_text, &lost);
        }
        Log("converted_from", {{"encoding", encoding}, {"count", QString::number(m_text.size())}});
        if (lost)
            Log("conversion_loss", {{"count", QString::number(lost)}});
    }

    errno = 0;
    if (!bytes.isEmpty() &&
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file.get()) != size_t(bytes.size()))
        return fileError(LastError());
    if (const int err = file.Close())
        return fileError(err);
    Log("write", {{"encoding", encoding}, {"length", QString::number(bytes.size())}});
    return true;
}
