#include "xml/xml_tag_scan.h"

namespace XmlScan {

namespace {

bool EndsAttributeName(char16_t c)
{
    return IsSpace(c) || c == u'=' || c == u'>' || c == u'/' || c == u'<' || c == u'"' ||
           c == u'\'';
}

bool IsQuote(char16_t c)
{
    return c == u'"' || c == u'\'';
}

}  // namespace

bool IsWritableTagName(QStringView name)
{
    if (name.isEmpty() || BadFirstNameChar(name.front().unicode()))
        return false;
    for (QChar c : name)
        if (EndsName(c.unicode()))
            return false;
    return true;
}

bool IsWritableAttributeName(QStringView name)
{
    if (name.isEmpty())
        return false;
    for (QChar c : name)
        if (EndsAttributeName(c.unicode()))
            return false;
    return true;
}

bool FindAttribute(const char16_t* t, qsizetype from, qsizetype to, QStringView name,
                   AttributeSpan& span)
{
    qsizetype i = from;
    while (i < to) {
        char16_t c = t[i];
        if (IsSpace(c) || c == u'/' || c == u'>' || c == u'<' || c == u'=') {
            ++i;
            continue;
        }
        if (IsQuote(c)) {
            // A stray quoted run (no name before it): skip it whole, as the
            // parser did when it looked for the end of the tag.
            ++i;
            while (i < to && t[i] != c)
                ++i;
            ++i;
            continue;
        }
        AttributeSpan s;
        s.nameStart = i;
        while (i < to && !EndsAttributeName(t[i]))
            ++i;
        s.nameEnd = i;
        qsizetype j = i;
        while (j < to && IsSpace(t[j]))
            ++j;
        if (j < to && t[j] == u'=') {
            s.hasValue = true;
            const qsizetype afterEquals = ++j;
            while (j < to && IsSpace(t[j]))
                ++j;
            if (j >= to || !IsQuote(t[j]))
                j = afterEquals;  // white space after "=" ends an unquoted value
            if (j < to && IsQuote(t[j])) {
                const char16_t q = t[j];
                s.quoted = true;
                s.valueStart = ++j;
                while (j < to && t[j] != q)
                    ++j;
                s.valueEnd = j;
                s.closed = j < to;
                if (s.closed)
                    ++j;
            } else {
                // Unquoted value: up to white space, a quote or the tag end.
                s.valueStart = j;
                while (j < to && !IsSpace(t[j]) && !IsQuote(t[j]) && t[j] != u'>')
                    ++j;
                s.valueEnd = j;
            }
            i = j;
        } else {
            s.valueStart = s.valueEnd = s.nameEnd;
        }
        if (QStringView(t + s.nameStart, s.nameEnd - s.nameStart) == name) {
            span = s;
            return true;
        }
    }
    return false;
}

QString DeclaredEncoding(QStringView text)
{
    qsizetype i = 0;
    if (!text.isEmpty() && text.front() == QChar(0xFEFF))
        i = 1;
    if (!text.mid(i).startsWith(u"<?xml") || text.size() <= i + 5 ||
        !IsSpace(text[i + 5].unicode()))
        return {};
    const qsizetype end = text.indexOf(u"?>", i + 5);
    if (end < 0)
        return {};
    const char16_t* t = reinterpret_cast<const char16_t*>(text.utf16());
    AttributeSpan span;
    if (!FindAttribute(t, i + 5, end, u"encoding", span) || !span.hasValue)
        return {};
    return text.mid(span.valueStart, span.valueEnd - span.valueStart).trimmed().toString();
}

}  // namespace XmlScan
