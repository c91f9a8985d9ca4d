#include "device/layout_check.h"

#include <algorithm>
#include <map>

#include "device/key_codes.h"
#include "device/key_tables.h"
#include "xml/xml_document.h"

namespace {

// Music lighting paints the keyboard as a grid of at most 8 rows and 21 columns.
constexpr int kGridRows = 8;
constexpr int kGridColumns = 21;

int LineOf(const CString& text, int offset)
{
    int line = 1;
    for (int i = 0; i < offset && i < text.size(); ++i)
        if (text[i] == u'\n') ++line;
    return line;
}


// Turns the parse errors of the document's result log into issues.
void ReportParseErrors(const XmlDocument& doc, LayoutIssues& issues)
{
    const CString parseErrors[] = {
        u"first_tag_syntax"_qs, u"exclamation_tag_syntax"_qs, u"comment_tag_syntax"_qs,
        u"cdata_section_syntax"_qs, u"doctype_tag_syntax"_qs, u"unterminated_tag_syntax"_qs,
        u"unended_start_tag"_qs, u"lone_end_tag"_qs, u"no_root_element"_qs, u"root_has_sibling"_qs,
        u"file_error"_qs};
    bool any = false;
    for (const CString& name : parseErrors) {
        XmlDocument log(u"<log>"_qs + doc.GetResult() + u"</log>"_qs);
        log.FindElement(u"log"_qs);
        log.EnterElement();
        while (log.FindElement(name)) {
            any = true;
            CString message = u"XML error "_qs + name;
            const CString tag = log.GetAttribute(u"tagname"_qs);
            if (!tag.isEmpty()) message += u" <"_qs + tag + u">"_qs;
            const CString msg = log.GetAttribute(u"msg"_qs);
            if (!msg.isEmpty()) message += u": "_qs + msg;
            const CString offset = log.GetAttribute(u"offset"_qs);
            const int line = offset.isEmpty() ? 0 : LineOf(doc.GetText(), offset.toInt());
            issues.push_back({line, message});
        }
    }
    if (!any) issues.push_back({0, u"the file cannot be read as XML"_qs});
}

// Elements the reader searches in this order; one placed before an element
// found earlier is never seen.
void ReportMisplacedElements(XmlDocument& doc, const LayoutFile& layout, LayoutIssues& issues)
{
    const struct {
        const char16_t* name;
        bool found;
    } order[] = {
        {u"menu", layout.hasMenu},           {u"menu_wireless", layout.hasMenuWireless},
        {u"function", layout.hasFunction},   {u"firmware", layout.hasFirmware},
        {u"cmd_delaytime", layout.hasCmdDelay}, {u"screen", layout.hasScreen},
        {u"light", layout.hasLight},         {u"Keyboard", layout.hasKeyboard},
    };
    for (const auto& e : order) {
        if (e.found) continue;
        const CString name = CString::fromUtf16(e.name);
        XmlDocument probe(doc.GetText());
        if (probe.FindElement(u"device.info"_qs) && probe.EnterElement() && probe.FindElement(name))
            issues.push_back({LineOf(doc.GetText(), probe.GetElementOffset()),
                              u"<"_qs + name + u"> stands before an element that is read before it, "
                                               "so it is never read; keep the order menu, menu_wireless, "
                                               "function, firmware, cmd_delaytime, screen, light, Keyboard"_qs});
    }
}

bool IsRowColText(const CString& t)
{
    auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (t.size() < 3 || t.size() > 4 || !digit(t[0]) || digit(t[1])) return false;
    for (int i = 2; i < t.size(); ++i)
        if (!digit(t[i])) return false;
    return true;
}

void CheckPicture(const LayoutFile& layout, LayoutIssues& issues)
{
    if (!layout.hasLight) issues.push_back({0, u"there is no <light> element"_qs});
    if (!layout.hasKeyboard) {
        issues.push_back({0, u"there is no <Keyboard> element"_qs});
        return;
    }
    const KeyboardPicture& p = layout.picture;
    if (p.width <= 0 || p.height <= 0)
        issues.push_back({0, CString(u"<Keyboard> picture size %1 x %2 is empty"_qs).arg(p.width).arg(p.height)});
    if (p.rowCount > kGridRows || p.colCount > kGridColumns)
        issues.push_back({0, CString(u"<Keyboard> row_count %1 / col_count %2 exceed the %3 x %4 lighting grid"_qs)
                                 .arg(p.rowCount).arg(p.colCount).arg(kGridRows).arg(kGridColumns)});
    if (layout.keys.empty()) issues.push_back({0, u"<Keyboard> has no <KeyItems>/<key> elements"_qs});
}

void CheckKeys(const LayoutFile& layout, LayoutIssues& issues)
{
    const KeyboardPicture& p = layout.picture;
    std::map<int, const LayoutKey*> codes, keyPositions, lightPositions, cells;

    auto duplicate = [&](std::map<int, const LayoutKey*>& seen, int value, const LayoutKey& key,
                         const CString& what) {
        auto [it, inserted] = seen.emplace(value, &key);
        if (!inserted)
            issues.push_back({key.line, LayoutKeyLabel(key) + u": "_qs + what + u" is also used by "_qs +
                                            LayoutKeyLabel(*it->second) + CString(u" (line %1)"_qs).arg(it->second->line)});
    };

    for (size_t i = 0; i < layout.keys.size(); ++i) {
        const LayoutKey& key = layout.keys[i];
        auto report = [&](const CString& what) { issues.push_back({key.line, LayoutKeyLabel(key) + u": "_qs + what}); };

        if (!IsKeyCode(key.code)) report(u"unknown key code"_qs);
        duplicate(codes, key.code, key, u"the code"_qs);

        const KeyRect& r = key.rect;
        if (r.Width() <= 0 || r.Height() <= 0)
            report(u"the rectangle is empty"_qs);
        else if (r.left < 0 || r.top < 0 || r.right > p.width || r.bottom > p.height)
            report(CString(u"rectangle (%1, %2, %3, %4) lies outside the %5 x %6 picture"_qs)
                       .arg(r.left).arg(r.top).arg(r.right).arg(r.bottom).arg(p.width).arg(p.height));
        for (size_t j = 0; j < i; ++j)
            if (r.Overlaps(layout.keys[j].rect))
                report(u"rectangle overlaps "_qs + LayoutKeyLabel(layout.keys[j]) +
                       CString(u" (line %1)"_qs).arg(layout.keys[j].line));

        if (key.keyIndex < 0) report(CString(u"key_index %1 is negative"_qs).arg(key.keyIndex));
        if (key.lightIndex < 0) report(CString(u"light_index %1 is negative"_qs).arg(key.lightIndex));
        if (key.keyIndex > 0)
            duplicate(keyPositions, key.keyIndex, key, CString(u"key_index %1"_qs).arg(key.keyIndex));
        if (key.lightIndex > 0)
            duplicate(lightPositions, key.lightIndex, key, CString(u"light_index %1"_qs).arg(key.lightIndex));
        // Positions beyond the blocks are reported by the table builder; a
        // position only one of the two blocks has leaves the key out of both.
        if ((key.keyIndex > 0) != (key.lightIndex > 0))
            report(u"has only one of key_index and light_index; it is placed in neither block"_qs);

        if (!key.rowCol.isEmpty()) {
            if (!IsRowColText(key.rowCol))
                report(CString(u"row_col \"%1\" is not a row digit, a separator and a column of one or two digits"_qs)
                           .arg(key.rowCol));
            else if (key.row >= p.rowCount || key.col >= p.colCount)
                report(CString(u"row_col \"%1\" is outside the %2 x %3 grid of row_count and col_count"_qs)
                           .arg(key.rowCol).arg(p.rowCount).arg(p.colCount));
            duplicate(cells, key.row * 256 + key.col, key, u"row_col "_qs + key.rowCol);
        }
    }
}

}  // namespace

LayoutCheck CheckLayout(const CString& path)
{
    LayoutCheck check;
    XmlDocument doc;
    if (!doc.LoadFile(path)) {
        ReportParseErrors(doc, check.issues);
    } else {
        check.loaded = true;
        ReadLayoutDocument(doc, LayoutFile(), check.layout, &check.issues);
        ReportMisplacedElements(doc, check.layout, check.issues);
        CheckPicture(check.layout, check.issues);
        KeyTables tables;
        BuildKeyTables(check.layout, tables, &check.issues);
        CheckKeys(check.layout, check.issues);
    }
    std::stable_sort(check.issues.begin(), check.issues.end(),
                     [](const LayoutIssue& a, const LayoutIssue& b) { return a.line < b.line; });
    return check;
}
