#include "xml/xml_codec.h"

#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <iconv.h>

#include "xml/xml_encoding.h"

namespace XmlCodec {

namespace {

// Length of the well-formed UTF-8 sequence at p (1 to 4), or, when it is
// malformed, minus the length of its longest valid beginning (at least 1).
int Utf8Sequence(const unsigned char* p, const unsigned char* end, char32_t* code)
{
    const unsigned char b0 = p[0];
    if (b0 < 0x80) {
        *code = b0;
        return 1;
    }
    int need;
    unsigned char lo = 0x80, hi = 0xBF;
    char32_t value;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        value = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        value = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0;
        else if (b0 == 0xED)
            hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        value = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90;
        else if (b0 == 0xF4)
            hi = 0x8F;
    } else {
        return -1;
    }
    int got = 1;
    for (; got <= need; ++got) {
        if (p + got >= end)
            return -got;
        const unsigned char b = p[got];
        if (b < lo || b > hi)
            return -got;
        lo = 0x80;
        hi = 0xBF;
        value = (value << 6) | (b & 0x3F);
    }
    *code = value;
    return got;
}

const char* HostUtf16()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (ok())
            iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// Runs iconv over the whole input into out (grown as needed). onBad is
// called for an invalid or truncated input sequence and returns how many
// input bytes to skip (0 to stop).
template <typename OnBad>
void Convert(iconv_t cd, const char* in, size_t inLeft, QByteArray& out, OnBad onBad)
{
    size_t used = 0;
    out.resize(qsizetype(inLeft * 2 + 16));
    auto run = [&](char** inp, size_t* inl) {
        for (;;) {
            char* o = out.data() + used;
            size_t oLeft = size_t(out.size()) - used;
            const size_t r = iconv(cd, inp, inl, &o, &oLeft);
            const int err = errno;
            used = size_t(o - out.data());
            if (r != size_t(-1))
                return 0;
            if (err == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            return err;
        }
    };
    char* p = const_cast<char*>(in);
    while (inLeft > 0) {
        const int err = run(&p, &inLeft);
        if (err == 0)
            break;
        // Reset the shift state before the replacement goes in, so that it
        // is written in the initial (ASCII) state of stateful encodings.
        run(nullptr, nullptr);
        size_t skip = onBad(p, inLeft, err, out, used);
        if (skip == 0 || skip > inLeft)
            skip = inLeft;
        p += skip;
        inLeft -= skip;
    }
    run(nullptr, nullptr);
    out.resize(qsizetype(used));
}

void Append(QByteArray& out, size_t& used, const QByteArray& bytes)
{
    if (size_t(out.size()) < used + size_t(bytes.size()))
        out.resize(qsizetype(used + size_t(bytes.size()) + 16) * 2);
    memcpy(out.data() + used, bytes.constData(), size_t(bytes.size()));
    used += size_t(bytes.size());
}

}  // namespace

bool IsWellFormedUtf8(const char* data, qsizetype size)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    const auto* end = p + size;
    char32_t code;
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const int n = Utf8Sequence(p, end, &code);
        if (n < 0)
            return false;
        p += n;
    }
    return true;
}

QString DecodeUtf8(const char* data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    const auto* end = p + size;
    qsizetype n = 0;
    char32_t code = 0;
    while (p < end) {
        if (*p < 0x80) {
            o[n++] = *p++;
            continue;
        }
        const int len = Utf8Sequence(p, end, &code);
        if (len < 0) {
            o[n++] = u'?';
            p += -len;
        } else if (code >= 0x10000) {
            // Four bytes give two units: never more units than bytes.
            o[n++] = char16_t(0xD800 + ((code - 0x10000) >> 10));
            o[n++] = char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
            p += len;
        } else {
            o[n++] = char16_t(code);
            p += len;
        }
    }
    out.truncate(n);
    return out;
}

QByteArray EncodeUtf8(QStringView text, qsizetype* lost)
{
    QByteArray out;
    out.reserve(text.size() * 3);
    const char16_t* t = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = t[i];
        if (c < 0x80) {
            out.append(char(c));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && i + 1 < n && t[i + 1] >= 0xDC00 && t[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (t[i + 1] - 0xDC00);
                ++i;
            } else {
                out.append('?');
                ++*lost;
                continue;
            }
        }
        if (c < 0x800) {
            out.append(char(0xC0 | (c >> 6)));
        } else if (c < 0x10000) {
            out.append(char(0xE0 | (c >> 12)));
            out.append(char(0x80 | ((c >> 6) & 0x3F)));
        } else {
            out.append(char(0xF0 | (c >> 18)));
            out.append(char(0x80 | ((c >> 12) & 0x3F)));
            out.append(char(0x80 | ((c >> 6) & 0x3F)));
        }
        out.append(char(0x80 | (c & 0x3F)));
    }
    return out;
}

bool Decode(int codePage, const char* data, qsizetype size, QString& out)
{
    const char* name = XmlEncoding::IconvName(codePage);
    if (!name)
        return false;
    Iconv cd(HostUtf16(), name);
    if (!cd.ok())
        return false;
    QByteArray units;
    const QByteArray question = QByteArrayView(reinterpret_cast<const char*>(u"?"), 2).toByteArray();
    Convert(cd.get(), data, size_t(size), units,
            [&](const char*, size_t, int err, QByteArray& o, size_t& used) -> size_t {
                Append(o, used, question);
                return err == EILSEQ ? 1 : 0;  // a truncated end stops
            });
    out = QString(reinterpret_cast<const QChar*>(units.constData()), units.size() / 2);
    return true;
}

bool Encode(int codePage, QStringView text, QByteArray& out, qsizetype* lost)
{
    const char* name = XmlEncoding::IconvName(codePage);
    if (!name)
        return false;
    Iconv cd(name, HostUtf16());
    if (!cd.ok())
        return false;
    // The code page's own "?" (not 0x3F in EBCDIC code pages).
    QByteArray question;
    {
        Iconv q(name, HostUtf16());
        Convert(q.get(), reinterpret_cast<const char*>(u"?"), 2, question,
                [](const char*, size_t, int, QByteArray&, size_t&) -> size_t { return 0; });
        if (question.isEmpty())
            question = "?";
    }
    Convert(cd.get(), reinterpret_cast<const char*>(text.utf16()), size_t(text.size()) * 2, out,
            [&](const char* p, size_t left, int, QByteArray& o, size_t& used) -> size_t {
                Append(o, used, question);
                ++*lost;
                // Skip one character: a surrogate pair counts as one.
                if (left >= 4) {
                    char16_t u0, u1;
                    memcpy(&u0, p, 2);
                    memcpy(&u1, p + 2, 2);
                    if (u0 >= 0xD800 && u0 <= 0xDBFF && u1 >= 0xDC00 && u1 <= 0xDFFF)
                        return 4;
                }
                return 2;
            });
    return true;
}

}  // namespace XmlCodec
