#include "xml/xml_parser.h"

#include "xml/xml_document.h"
#include "xml/xml_tag_scan.h"

namespace {

// Offsets are kept in 32 bits; a longer text is not indexed at all.
constexpr qsizetype kMaxIndexedText = 0x7FFFFFFF;

bool IsQuote(char16_t c)
{
    return c == u'"' || c == u'\'';
}

}  // namespace

XmlParser::XmlParser(XmlDocument& doc) : m_doc(doc) {}

void XmlParser::Run()
{
    const CString& text = m_doc.m_text;
    m_t = reinterpret_cast<const char16_t*>(text.utf16());
    m_len = text.size() > kMaxIndexedText ? 0 : text.size();
    m_doc.ResetIndex(uint32_t(m_len / 64 + 8));

    const QStringView view(m_t, m_len);
    qsizetype p = 0;
    while (p >= 0 && p < m_len) {
        const qsizetype lt = view.indexOf(u'<', p);
        if (lt < 0)
            break;
        p = ScanNode(lt);
    }
    LeaveNotEnded(0);

    const auto& index = m_doc.m_index;
    const uint32_t root = index[0].firstChild;
    if (root == 0) {
        m_doc.Log("no_root_element");
    } else if (const uint32_t sibling = index[root].nextSibling) {
        if (LogHasRoom())
            m_doc.Log("root_has_sibling", {{"tagname", m_doc.TagName(sibling)},
                                            {"offset", QString::number(index[sibling].start)}});
    }
}

qsizetype XmlParser::Find(QStringView what, qsizetype from) const
{
    return QStringView(m_t, m_len).indexOf(what, from);
}

qsizetype XmlParser::SkipQuoted(qsizetype i) const
{
    const qsizetype close = QStringView(m_t, m_len).indexOf(QChar(m_t[i]), i + 1);
    return close < 0 ? -1 : close + 1;
}

bool XmlParser::LogHasRoom() const
{
    return m_doc.m_result.size() <= 999;
}

void XmlParser::MarkIllFormed()
{
    m_doc.m_index[0].flags |= XmlDocument::kIllFormed;
}

qsizetype XmlParser::SyntaxError(const char* event, qsizetype p)
{
    MarkIllFormed();
    if (LogHasRoom())
        m_doc.Log(event, {{"offset", QString::number(p)}});
    const qsizetype gt = QStringView(m_t, m_len).indexOf(u'>', p + 1);
    return gt < 0 ? -1 : gt + 1;
}

qsizetype XmlParser::Unterminated(const char* type, qsizetype p)
{
    MarkIllFormed();
    if (LogHasRoom())
        m_doc.Log("unterminated_tag_syntax",
                  {{"type", QString::fromLatin1(type)}, {"offset", QString::number(p)}});
    return -1;
}

void XmlParser::CountOpen(QStringView name, int change)
{
    if (change > 0) {
        ++m_openByName[name];
        return;
    }
    auto it = m_openByName.find(name);
    if (it != m_openByName.end() && --it.value() == 0)
        m_openByName.erase(it);
}

qsizetype XmlParser::ScanNode(qsizetype p)
{
    if (p + 1 >= m_len)
        return Unterminated("tag", p);
    const char16_t c1 = m_t[p + 1];
    if (c1 == u'?') {
        const qsizetype end = Find(u"?>", p + 2);
        return end < 0 ? Unterminated("processing_instruction", p) : end + 2;
    }
    if (c1 == u'!') {
        if (p + 2 >= m_len)
            return Unterminated("tag", p);
        const char16_t c2 = m_t[p + 2];
        if (c2 == u'-') {
            if (p + 3 >= m_len)
                return Unterminated("comment", p);
            if (m_t[p + 3] != u'-')
                return SyntaxError("comment_tag_syntax", p);
            const qsizetype end = Find(u"-->", p + 4);
            return end < 0 ? Unterminated("comment", p) : end + 3;
        }
        if (c2 == u'[') {
            if (p + 3 >= m_len)
                return Unterminated("cdata_section", p);
            if (m_t[p + 3] != u'C')
                return SyntaxError("cdata_section_syntax", p);
            const qsizetype end = Find(u"]]>", p + 3);
            return end < 0 ? Unterminated("cdata_section", p) : end + 3;
        }
        if (c2 == u'D')
            return ScanDoctype(p);
        return SyntaxError("exclamation_tag_syntax", p);
    }
    if (c1 == u'/')
        return ScanEndTag(p);
    if (XmlScan::BadFirstNameChar(c1))
        return SyntaxError("first_tag_syntax", p);
    return ScanStartTag(p);
}

qsizetype XmlParser::ScanDoctype(qsizetype p)
{
    qsizetype i = p + 2;
    while (i < m_len) {
        const char16_t c = m_t[i];
        if (c == u'>')
            return i + 1;
        if (IsQuote(c)) {
            i = SkipQuoted(i);
            if (i < 0)
                return Unterminated("document_type", p);
            continue;
        }
        if (c != u'[') {
            ++i;
            continue;
        }
        // Internal subset: markup declarations, comments, processing
        // instructions and parameter-entity references up to "]".
        ++i;
        for (;;) {
            if (i >= m_len)
                return Unterminated("document_type", p);
            const char16_t d = m_t[i];
            if (d == u']') {
                ++i;
                break;
            }
            if (IsQuote(d)) {
                i = SkipQuoted(i);
                if (i < 0)
                    return Unterminated("document_type", p);
                continue;
            }
            if (d != u'<') {
                ++i;
                continue;
            }
            const char16_t d1 = i + 1 < m_len ? m_t[i + 1] : 0;
            const char16_t d2 = i + 2 < m_len ? m_t[i + 2] : 0;
            const char16_t d3 = i + 3 < m_len ? m_t[i + 3] : 0;
            if (d1 == u'?') {
                const qsizetype end = Find(u"?>", i + 2);
                if (end < 0)
                    return Unterminated("document_type", p);
                i = end + 2;
            } else if (d1 == u'!' && d2 == u'-' && d3 == u'-') {
                const qsizetype end = Find(u"-->", i + 4);
                if (end < 0)
                    return Unterminated("document_type", p);
                i = end + 3;
            } else if (d1 == u'!' && (d2 == u'E' || d2 == u'A' || d2 == u'N')) {
                i += 3;
                while (i < m_len && m_t[i] != u'>') {
                    if (IsQuote(m_t[i])) {
                        i = SkipQuoted(i);
                        if (i < 0)
                            return Unterminated("document_type", p);
                    } else {
                        ++i;
                    }
                }
                if (i >= m_len)
                    return Unterminated("document_type", p);
                ++i;
            } else {
                return SyntaxError("doctype_tag_syntax", i);
            }
        }
    }
    return Unterminated("document_type", p);
}

qsizetype XmlParser::ScanStartTag(qsizetype p)
{
    const qsizetype nameEnd = XmlScan::NameEnd(m_t, p + 1, m_len);
    qsizetype i = nameEnd;
    while (i < m_len && m_t[i] != u'>') {
        if (IsQuote(m_t[i])) {
            i = SkipQuoted(i);
            if (i < 0)
                return Unterminated("start_tag", p);
        } else {
            ++i;
        }
    }
    if (i >= m_len)
        return Unterminated("start_tag", p);
    const qsizetype gt = i;
    // "/>" closes an empty element when the "/" follows the name, white
    // space or a closing quote.
    const bool empty = m_t[gt - 1] == u'/' &&
                       (gt - 1 == nameEnd || XmlScan::IsSpace(m_t[gt - 2]) || IsQuote(m_t[gt - 2]));

    const uint32_t parent = m_open.empty() ? 0 : m_open.back().record;
    const uint32_t r = m_doc.NewRecord();
    XmlDocument::ElementRecord& e = m_doc.m_index[r];
    e.start = uint32_t(p);
    e.length = e.startTagLength = uint32_t(gt + 1 - p);
    e.flags = empty ? uint32_t(XmlDocument::kEmptyElement) : 0u;
    m_doc.LinkLastChild(parent, r);
    if (!empty) {
        const QStringView name(m_t + p + 1, nameEnd - (p + 1));
        m_open.push_back({r, name});
        CountOpen(name, +1);
    }
    return gt + 1;
}

qsizetype XmlParser::ScanEndTag(qsizetype p)
{
    const qsizetype gt = QStringView(m_t, m_len).indexOf(u'>', p + 2);
    if (gt < 0)
        return Unterminated("end_tag", p);
    const qsizetype nameStart = p + 2;
    const qsizetype nameLength = XmlScan::NameEnd(m_t, nameStart, gt) - nameStart;
    const QStringView name(m_t + nameStart, nameLength);

    qsizetype found = -1;
    if (m_openByName.contains(name)) {
        for (qsizetype k = qsizetype(m_open.size()) - 1; k >= 0; --k) {
            if (m_open[size_t(k)].name == name) {
                found = k;
                break;
            }
        }
    }
    if (found < 0) {
        MarkIllFormed();
        if (LogHasRoom())
            m_doc.Log("lone_end_tag",
                      {{"tagname", name.toString()}, {"offset", QString::number(p)}});
        return gt + 1;
    }
    LeaveNotEnded(size_t(found) + 1);
    const OpenElement closed = m_open.back();
    m_open.pop_back();
    CountOpen(closed.name, -1);
    XmlDocument::ElementRecord& e = m_doc.m_index[closed.record];
    e.length = uint32_t(gt + 1 - e.start);
    e.endTagLength = uint32_t(gt + 1 - p);
    return gt + 1;
}

void XmlParser::LeaveNotEnded(size_t keep)
{
    if (m_open.size() <= keep)
        return;
    MarkIllFormed();
    auto& index = m_doc.m_index;
    const uint32_t target = keep ? m_open[keep - 1].record : 0;
    // Each open element is the last child of the one below it, so splicing
    // the children of each, outermost first, under target gives them the
    // order they have in the text; every child is re-parented once.
    for (size_t j = keep; j < m_open.size(); ++j) {
        const OpenElement& o = m_open[j];
        const uint32_t r = o.record;
        XmlDocument::ElementRecord& e = index[r];
        e.length = e.startTagLength;
        e.flags |= XmlDocument::kNotEnded;
        if (LogHasRoom())
            m_doc.Log("unended_start_tag",
                      {{"tagname", o.name.toString()},
                       {"offset", QString::number(e.start)},
                       {"offset2", QString::number(e.start + e.startTagLength)}});
        const uint32_t first = e.firstChild;
        if (first) {
            const uint32_t last = index[first].prevSibling;
            e.firstChild = 0;
            index[r].nextSibling = first;
            index[first].prevSibling = r;
            index[first].flags &= ~uint32_t(XmlDocument::kFirstChild);
            index[index[target].firstChild].prevSibling = last;
            for (uint32_t c = first; c; c = index[c].nextSibling)
                index[c].parent = target;
        }
        CountOpen(o.name, -1);
    }
    m_open.resize(keep);
}
