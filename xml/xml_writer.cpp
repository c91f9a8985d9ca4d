#include "xml/xml_writer.h"

#include "xml/xml_document.h"
#include "xml/xml_entities.h"
#include "xml/xml_tag_scan.h"

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

}  // namespace

XmlWriter::XmlWriter(XmlDocument& doc) : m_doc(doc) {}

bool XmlWriter::HasRoomFor(qsizetype added) const
{
    // Offsets are 32-bit; keep the text well inside that range.
    return m_doc.m_text.size() + added < 0x7FFFFFFF;
}

void XmlWriter::Splice(qsizetype pos, qsizetype removed, const QString& text, uint32_t skip)
{
    m_doc.m_text.replace(pos, removed, text);
    const int64_t delta = int64_t(text.size()) - removed;
    const int64_t changeEnd = pos + removed;
    for (uint32_t r = 1; r < m_doc.m_indexUsed; ++r) {
        if (r == skip)
            continue;
        XmlDocument::ElementRecord& e = m_doc.m_index[r];
        const int64_t start = e.start;
        if (start >= changeEnd) {
            e.start = uint32_t(start + delta);
        } else if (start < pos && start + e.length > pos) {
            e.length = uint32_t(e.length + delta);
            if (start + e.startTagLength > pos)
                e.startTagLength = uint32_t(e.startTagLength + delta);
        }
    }
}

qsizetype XmlWriter::InsertionAfter(uint32_t r) const
{
    const XmlDocument::ElementRecord& e = m_doc.m_index[r];
    const qsizetype end = qsizetype(e.start) + e.length;
    const QString& text = m_doc.m_text;
    qsizetype q = end;
    while (q < text.size() && XmlScan::IsSpace(text[q].unicode()))
        ++q;
    return (q < text.size() && text[q] == u'<') ? q : end;
}

bool XmlWriter::AddElement(const QString& name)
{
    if (!XmlScan::IsWritableTagName(name) || !HasRoomFor(name.size() * 2 + 16))
        return false;
    if (m_doc.m_indexUsed == 0)
        m_doc.ResetIndex(8);
    const QString element = QString(u'<') + name + QStringLiteral("/>");
    const uint32_t parent = m_doc.m_parent;
    const uint32_t current = m_doc.m_current;
    qsizetype newStart;

    if (current) {
        const qsizetype pos = InsertionAfter(current);
        Splice(pos, 0, element + kLineEnd, 0);
        newStart = pos;
    } else if (parent == 0) {
        newStart = m_doc.m_text.size();
        Splice(newStart, 0, element + kLineEnd, 0);
    } else {
        const XmlDocument::ElementRecord p = m_doc.m_index[parent];
        if (p.flags & XmlDocument::kEmptyElement) {
            // "<name .../>" becomes "<name ...>", CR LF, the new element,
            // CR LF, "</name>".
            const QString parentName = m_doc.TagName(parent);
            const qsizetype slash = qsizetype(p.start) + p.startTagLength - 2;
            const QString endTag = QStringLiteral("</") + parentName + u'>';
            Splice(slash, 2, u'>' + kLineEnd + element + kLineEnd + endTag, parent);
            XmlDocument::ElementRecord& e = m_doc.m_index[parent];
            e.flags &= ~uint32_t(XmlDocument::kEmptyElement);
            e.startTagLength -= 1;
            e.endTagLength = uint32_t(endTag.size());
            e.length = uint32_t(e.startTagLength + 2 + element.size() + 2 + endTag.size());
            newStart = slash + 1 + 2;
        } else if (p.flags & XmlDocument::kNotEnded) {
            // No end tag: after the last child, else right after the start tag.
            const uint32_t last =
                p.firstChild ? m_doc.m_index[p.firstChild].prevSibling : 0;
            const qsizetype pos =
                last ? InsertionAfter(last) : qsizetype(p.start) + p.startTagLength;
            Splice(pos, 0, element + kLineEnd, 0);
            newStart = pos;
        } else {
            const qsizetype pos = qsizetype(p.start) + p.length - p.endTagLength;
            if (p.length == p.startTagLength + p.endTagLength) {
                Splice(pos, 0, kLineEnd + element + kLineEnd, 0);
                newStart = pos + 2;
            } else {
                Splice(pos, 0, element + kLineEnd, 0);
                newStart = pos;
            }
        }
    }

    const uint32_t r = m_doc.NewRecord();
    XmlDocument::ElementRecord& e = m_doc.m_index[r];
    e.start = uint32_t(newStart);
    e.length = e.startTagLength = uint32_t(element.size());
    e.flags = XmlDocument::kEmptyElement;
    if (current)
        m_doc.LinkAfter(current, r);
    else
        m_doc.LinkLastChild(parent, r);
    m_doc.m_current = r;
    m_doc.m_child = 0;
    m_doc.m_nodeKind = 1;
    return true;
}

bool XmlWriter::SetAttribute(const QString& name, const QString& value)
{
    const uint32_t current = m_doc.m_current;
    if (!current || !XmlScan::IsWritableAttributeName(name))
        return false;
    const QString escaped = XmlEntities::Escape(value, true);
    if (!HasRoomFor(name.size() + escaped.size() + 8))
        return false;
    const XmlDocument::ElementRecord& e = m_doc.m_index[current];
    const char16_t* t = reinterpret_cast<const char16_t*>(m_doc.m_text.utf16());
    const qsizetype tagEnd = qsizetype(e.start) + e.startTagLength - 1;  // the ">"
    const qsizetype nameEnd = XmlScan::NameEnd(t, qsizetype(e.start) + 1, tagEnd);
    const QString quotedValue = u'"' + escaped + u'"';

    XmlScan::AttributeSpan span;
    if (XmlScan::FindAttribute(t, nameEnd, tagEnd, name, span)) {
        if (span.quoted) {
            // Replace the value with its quotes, keeping the attribute's place.
            const qsizetype from = span.valueStart - 1;
            const qsizetype to = span.closed ? span.valueEnd + 1 : span.valueEnd;
            Splice(from, to - from, quotedValue, 0);
        } else if (span.hasValue) {
            Splice(span.valueStart, span.valueEnd - span.valueStart, quotedValue, 0);
        } else {
            Splice(span.nameEnd, 0, u'=' + quotedValue, 0);
        }
        return true;
    }
    qsizetype pos = tagEnd;
    if (e.flags & XmlDocument::kEmptyElement)
        pos -= 1;  // before "/>"
    Splice(pos, 0, u' ' + name + u'=' + quotedValue, 0);
    return true;
}
