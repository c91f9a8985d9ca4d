#include "device/number_text.h"

#include <cstdint>

namespace {

bool IsSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// Index of the first digit after white space and an optional "0x".
qsizetype SkipHexPrefix(const CString& text)
{
    qsizetype i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')
        && i + 2 < text.size() && HexDigit(text[i + 2]) >= 0)
        i += 2;
    return i;
}

}  // namespace

int DecimalValue(const CString& text)
{
    qsizetype i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > INT32_MAX) value = int64_t(INT32_MAX) + 1;  // keep room for INT32_MIN
    }
    if (negative) value = -value;
    if (value > INT32_MAX) value = INT32_MAX;
    if (value < INT32_MIN) value = INT32_MIN;
    return int(value);
}

unsigned HexValue(const CString& text)
{
    uint64_t value = 0;
    for (qsizetype i = SkipHexPrefix(text); i < text.size(); ++i) {
        const int d = HexDigit(text[i]);
        if (d < 0) break;
        value = value * 16 + unsigned(d);
        if (value > UINT32_MAX) value = UINT32_MAX;
    }
    return unsigned(value);
}

bool IsDecimalText(const CString& text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ++i;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9') return false;
    return true;
}

bool IsHexText(const CString& text)
{
    if (text.isEmpty() || IsSpace(text[0])) return false;
    qsizetype i = SkipHexPrefix(text);
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (HexDigit(text[i]) < 0) return false;
    return true;
}
