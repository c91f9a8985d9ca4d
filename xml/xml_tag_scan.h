#pragma once
// Character-level scanning shared by the parser, the cursor and the writer:
// tag names, attributes inside a start tag, and the XML declaration.
#include <QString>
#include <QStringView>

namespace XmlScan {

inline bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// A tag name ends at white space or at any of < > = \ / ? ! " ' ;
inline bool EndsName(char16_t c)
{
    switch (c) {
    case u' ': case u'\t': case u'\n': case u'\r':
    case u'<': case u'>': case u'=': case u'\\': case u'/':
    case u'?': case u'!': case u'"': case u'\'': case u';':
        return true;
    default:
        return false;
    }
}

// Characters that may not follow "<" as the first character of a tag name:
// codes 0 to 64 and [ \ ] ^ `, except ":" (and "!", "/", "?" which open
// other kinds of node and are dispatched before this test).
inline bool BadFirstNameChar(char16_t c)
{
    if (c <= 64)
        return c != u':';
    return c == u'[' || c == u'\\' || c == u']' || c == u'^' || c == u'`';
}

// End (exclusive) of the name starting at from, bounded by to.
inline qsizetype NameEnd(const char16_t* t, qsizetype from, qsizetype to)
{
    while (from < to && !EndsName(t[from]))
        ++from;
    return from;
}

// True when name could be written as a tag name and would be read back as
// the same name.
bool IsWritableTagName(QStringView name);
// True when name could be written as an attribute name and found again.
bool IsWritableAttributeName(QStringView name);

// Location of one attribute inside a tag.
struct AttributeSpan {
    qsizetype nameStart = -1;
    qsizetype nameEnd = -1;
    qsizetype valueStart = -1;  // first character of the value
    qsizetype valueEnd = -1;    // exclusive; the closing quote when quoted
    bool hasValue = false;      // an "=" followed the name
    bool quoted = false;
    bool closed = false;        // the closing quote is present
};

// Scans the attributes in t[from, to) (from: just after the tag name; to:
// the tag's closing ">" or "?>") for one whose name equals name exactly.
bool FindAttribute(const char16_t* t, qsizetype from, qsizetype to, QStringView name,
                   AttributeSpan& span);

// Value of the "encoding" attribute of an XML declaration at the start of
// text (after an optional U+FEFF); empty when there is none.
QString DeclaredEncoding(QStringView text);

}  // namespace XmlScan
