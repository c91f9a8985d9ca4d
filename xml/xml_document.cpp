#include "xml/xml_document.h"

#include "xml/xml_entities.h"
#include "xml/xml_parser.h"
#include "xml/xml_tag_scan.h"
#include "xml/xml_writer.h"

namespace {

enum NodeKind { kNodeNone = 0, kNodeElement = 1 };

constexpr qsizetype kLogLimit = 999;

const char16_t* Chars(const CString& s)
{
    return reinterpret_cast<const char16_t*>(s.utf16());
}

}  // namespace

XmlDocument::XmlDocument() = default;

XmlDocument::XmlDocument(const CString& text)
{
    SetText(text);
}

XmlDocument::~XmlDocument() = default;

bool XmlDocument::SetText(const CString& text)
{
    m_text = text;
    m_result.clear();
    return Parse();
}

bool XmlDocument::Parse()
{
    XmlParser(*this).Run();
    return IsWellFormed();
}

void XmlDocument::ResetIndex(uint32_t capacity)
{
    m_index.assign(capacity < 1 ? 1 : capacity, ElementRecord{});
    m_indexUsed = 1;
    m_parent = m_current = m_child = 0;
    m_nodeKind = kNodeNone;
}

uint32_t XmlDocument::NewRecord()
{
    if (m_index.empty())
        ResetIndex(8);
    if (m_indexUsed == m_index.size())
        m_index.resize(m_index.size() + std::max<size_t>(m_index.size() / 2, 1));
    m_index[m_indexUsed] = ElementRecord{};
    return m_indexUsed++;
}

void XmlDocument::LinkLastChild(uint32_t parent, uint32_t child)
{
    ElementRecord& p = m_index[parent];
    ElementRecord& c = m_index[child];
    c.parent = parent;
    c.nextSibling = 0;
    if (p.firstChild == 0) {
        p.firstChild = child;
        c.prevSibling = child;  // the first child holds the last child
        c.flags |= kFirstChild;
        return;
    }
    ElementRecord& first = m_index[p.firstChild];
    const uint32_t last = first.prevSibling;
    m_index[last].nextSibling = child;
    c.prevSibling = last;
    first.prevSibling = child;
}

void XmlDocument::LinkAfter(uint32_t sibling, uint32_t child)
{
    ElementRecord& s = m_index[sibling];
    ElementRecord& c = m_index[child];
    c.parent = s.parent;
    c.prevSibling = sibling;
    c.nextSibling = s.nextSibling;
    s.nextSibling = child;
    if (c.nextSibling)
        m_index[c.nextSibling].prevSibling = child;
    else
        m_index[m_index[c.parent].firstChild].prevSibling = child;
}

bool XmlDocument::NameEquals(uint32_t r, const CString& name) const
{
    const ElementRecord& e = m_index[r];
    const qsizetype n = name.size();
    const qsizetype from = qsizetype(e.start) + 1;
    const qsizetype tagEnd = qsizetype(e.start) + e.startTagLength;
    if (from + n > tagEnd)
        return false;
    const char16_t* t = Chars(m_text);
    if (QStringView(t + from, n) != name)
        return false;
    return from + n == tagEnd || XmlScan::EndsName(t[from + n]);
}

CString XmlDocument::TagName(uint32_t r) const
{
    const ElementRecord& e = m_index[r];
    const qsizetype from = qsizetype(e.start) + 1;
    const qsizetype end = XmlScan::NameEnd(Chars(m_text), from, qsizetype(e.start) + e.startTagLength);
    return m_text.mid(from, end - from);
}

void XmlDocument::Log(const char* event,
                      std::initializer_list<std::pair<const char*, CString>> attrs)
{
    if (m_result.size() > kLogLimit)
        return;
    m_result += u'<';
    m_result += QLatin1StringView(event);
    for (const auto& [name, value] : attrs) {
        m_result += u' ';
        m_result += QLatin1StringView(name);
        m_result += u"=\"";
        m_result += XmlEntities::Escape(value, true);
        m_result += u'"';
    }
    m_result += u"/>";
}

bool XmlDocument::FindElement(const CString& name)
{
    // A name that no start tag could carry (empty, or holding a character
    // that ends a tag name) matches nothing.
    if (m_indexUsed <= 1 || !XmlScan::IsWritableTagName(name))
        return false;
    uint32_t r = m_current ? m_index[m_current].nextSibling : m_index[m_parent].firstChild;
    for (; r; r = m_index[r].nextSibling) {
        if (NameEquals(r, name)) {
            m_current = r;
            m_child = 0;
            m_nodeKind = kNodeElement;
            return true;
        }
    }
    return false;
}

bool XmlDocument::EnterElement()
{
    if (!m_current)
        return false;
    m_parent = m_current;
    m_current = m_child;
    m_child = 0;
    m_nodeKind = m_current ? kNodeElement : kNodeNone;
    return true;
}

bool XmlDocument::LeaveElement()
{
    if (!m_parent)
        return false;
    m_child = m_current;
    m_current = m_parent;
    m_parent = m_index[m_parent].parent;
    m_nodeKind = kNodeElement;
    return true;
}

CString XmlDocument::GetAttribute(const CString& name) const
{
    if (!m_current)
        return {};
    const ElementRecord& e = m_index[m_current];
    const char16_t* t = Chars(m_text);
    const qsizetype tagEnd = qsizetype(e.start) + e.startTagLength - 1;  // the ">"
    const qsizetype nameEnd = XmlScan::NameEnd(t, qsizetype(e.start) + 1, tagEnd);
    XmlScan::AttributeSpan span;
    if (!XmlScan::FindAttribute(t, nameEnd, tagEnd, name, span))
        return {};
    return XmlEntities::Decode(QStringView(t + span.valueStart, span.valueEnd - span.valueStart));
}

bool XmlDocument::SetAttribute(const CString& name, const CString& value)
{
    return XmlWriter(*this).SetAttribute(name, value);
}

bool XmlDocument::AddElement(const CString& name)
{
    return XmlWriter(*this).AddElement(name);
}

bool XmlDocument::IsWellFormed() const
{
    if (m_indexUsed == 0)
        return false;
    const ElementRecord& doc = m_index[0];
    return doc.firstChild != 0 && m_index[doc.firstChild].nextSibling == 0 &&
           !(doc.flags & kIllFormed);
}

CString XmlDocument::GetTagName() const
{
    return m_current ? TagName(m_current) : CString();
}

int XmlDocument::GetElementOffset() const
{
    return m_current ? int(m_index[m_current].start) : -1;
}

int XmlDocument::GetBomKind() const
{
    return int(m_docFlags & kBomMask);
}

int XmlDocument::GetElementCount() const
{
    return m_indexUsed ? int(m_indexUsed - 1) : 0;
}

CString XmlDocument::EscapeText(const CString& text, bool forAttribute)
{
    return XmlEntities::Escape(text, forAttribute);
}

CString XmlDocument::UnescapeText(const CString& text)
{
    return XmlEntities::Decode(text);
}
