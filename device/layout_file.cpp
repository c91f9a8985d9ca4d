#include "device/layout_file.h"

#include "device/number_text.h"
#include "xml/xml_document.h"

namespace {

// Reads the attributes of the current element, and, when asked, reports the
// ones that are missing or are not numbers.
class AttributeReader {
public:
    AttributeReader(XmlDocument& doc, LayoutIssues* issues) : m_doc(doc), m_issues(issues) {}

    // Line of the current element, counted incrementally (elements are read
    // in document order, so the count only moves forward).
    int Line()
    {
        const int offset = m_doc.GetElementOffset();
        if (offset < 0) return 0;
        const CString& text = m_doc.GetText();
        if (offset < m_offset) { m_offset = 0; m_line = 1; }
        for (; m_offset < offset && m_offset < text.size(); ++m_offset)
            if (text[m_offset] == u'\n') ++m_line;
        return m_line;
    }

    CString Text(const char16_t* name, bool required)
    {
        const CString value = m_doc.GetAttribute(CString::fromUtf16(name));
        if (required && value.isEmpty())
            Report(CString(u"<%1> has no %2 attribute"_qs).arg(m_doc.GetTagName(), CString::fromUtf16(name)));
        return value;
    }

    int Decimal(const char16_t* name, bool required = false)
    {
        const CString value = Text(name, required);
        if (!value.isEmpty() && !IsDecimalText(value))
            Report(CString(u"<%1> %2=\"%3\" is not a decimal number"_qs)
                       .arg(m_doc.GetTagName(), CString::fromUtf16(name), value));
        return DecimalValue(value);
    }

    unsigned Hex(const char16_t* name, bool required = false)
    {
        const CString value = Text(name, required);
        if (!value.isEmpty() && !IsHexText(value))
            Report(CString(u"<%1> %2=\"%3\" is not a hexadecimal number"_qs)
                       .arg(m_doc.GetTagName(), CString::fromUtf16(name), value));
        return HexValue(value);
    }

    bool On(const char16_t* name) { return Decimal(name) == 1; }

    void Report(const CString& message)
    {
        if (m_issues) m_issues->push_back({Line(), message});
    }

private:
    XmlDocument& m_doc;
    LayoutIssues* m_issues;
    qsizetype m_offset = 0;
    int m_line = 1;
};

int ReadPageFlags(AttributeReader& r)
{
    int flags = kPageFlagsBase;
    if (r.On(u"macro")) flags |= kPageMacro;
    if (r.On(u"light_mode")) flags |= kPageLightMode;
    if (r.On(u"custom_light")) flags |= kPageCustomLight;
    if (r.On(u"user_light")) flags |= kPageUserLight;
    if (r.On(u"music")) flags |= kPageMusic;
    if (r.On(u"screen")) flags |= kPageScreen;
    if (r.On(u"sidelight")) flags |= kPageSideLight;
    return flags;
}

void ReadKey(AttributeReader& r, LayoutKey& key)
{
    key.line = r.Line();
    key.code = int(r.Hex(u"code", true));
    key.name = r.Text(u"name", true);
    key.desc = r.Text(u"desc", false);
    key.keyIndex = r.Decimal(u"key_index", true);
    key.lightIndex = r.Decimal(u"light_index", true);
    key.icon = r.Text(u"icon", false);
    key.fnDisabled = r.Text(u"fnlayer_disable", false) == u"1";
    key.rect.left = r.Decimal(u"rect_left", true);
    key.rect.top = r.Decimal(u"rect_top", true);
    key.rect.right = key.rect.left + r.Decimal(u"rect_width", true);
    key.rect.bottom = key.rect.top + r.Decimal(u"rect_height", true);
    key.rowCol = r.Text(u"row_col", true);
    ParseRowCol(key.rowCol, key.row, key.col);
}

void ReadKeyboard(XmlDocument& doc, AttributeReader& r, LayoutFile& out)
{
    out.hasKeyboard = true;
    KeyboardPicture& p = out.picture;
    p.bkColor = r.Hex(u"bk_color");
    p.xpos = r.Decimal(u"xpos", true);
    p.ypos = r.Decimal(u"ypos", true);
    p.width = r.Decimal(u"width", true);
    p.height = r.Decimal(u"height", true);
    p.image = r.Text(u"image", true);
    p.rowCount = r.Decimal(u"row_count");
    p.colCount = r.Decimal(u"col_count");

    doc.EnterElement();
    if (doc.FindElement(u"KeyItems"_qs)) {
        doc.EnterElement();
        while (doc.FindElement(u"key"_qs)) {
            LayoutKey key;
            ReadKey(r, key);
            out.keys.push_back(key);
        }
        doc.LeaveElement();
    }
    doc.LeaveElement();
}

}  // namespace

CString LayoutKeyLabel(const LayoutKey& key)
{
    return u"key %1 \"%2\""_qs.arg(CString::number(key.code, 16).toUpper().rightJustified(2, u'0'), key.name);
}

void ParseRowCol(const CString& text, int& row, int& col)
{
    row = text.size() >= 1 ? DecimalValue(text.left(1)) : 0;
    if (text.size() < 2)
        col = 0;
    else if (text.size() == 3)
        col = DecimalValue(text.right(1));
    else
        col = DecimalValue(text.right(2));
}

void ReadLayoutDocument(XmlDocument& doc, const LayoutFile& previous, LayoutFile& result,
                        LayoutIssues* issues)
{
    LayoutFile out;
    out.pageFlagsCable = previous.pageFlagsCable;
    out.pageFlagsReceiver = previous.pageFlagsReceiver;
    out.commandDelay = previous.commandDelay;

    AttributeReader r(doc, issues);
    if (!doc.FindElement(u"device.info"_qs)) {
        r.Report(u"the root element is not <device.info>"_qs);
        result = std::move(out);
        return;
    }
    doc.EnterElement();

    // Children are searched in this order, each search going on after the
    // element found before: an element placed earlier in the file is missed.
    if (doc.FindElement(u"menu"_qs)) {
        out.hasMenu = true;
        out.pageFlagsCable = ReadPageFlags(r);
    }
    if (doc.FindElement(u"menu_wireless"_qs)) {
        out.hasMenuWireless = true;
        out.pageFlagsReceiver = ReadPageFlags(r);
    }
    if (doc.FindElement(u"function"_qs)) {
        out.hasFunction = true;
        out.fnLayer = r.Decimal(u"fn_layer");
        out.sleepTime = r.Decimal(u"sleep_time");
        out.keyRespondTime = r.Decimal(u"key_respondtime");
    }
    if (doc.FindElement(u"firmware"_qs)) {
        out.hasFirmware = true;
        out.firmware.version = r.Text(u"version", false);
        out.firmware.file = r.Text(u"file", false);
        out.firmware.url = r.Text(u"url", false);
    }
    if (doc.FindElement(u"cmd_delaytime"_qs)) {
        out.hasCmdDelay = true;
        out.commandDelay = r.Decimal(u"value", true);
    }
    if (doc.FindElement(u"screen"_qs)) {
        out.hasScreen = true;
        ScreenInfo& s = out.screen;
        s.headLength = r.Decimal(u"gif_headlength", true);
        s.maxFrames = r.Decimal(u"gif_maxframes", true);
        s.count = r.Decimal(u"gif_count", true);
        s.width = r.Decimal(u"width", true);
        s.height = r.Decimal(u"height", true);
        // The head holds the frame count and one delay byte per frame; a head
        // too short for that would let frame pixels overwrite the delays, so
        // the usable frame count is cut to what the head can describe.
        if (s.maxFrames > 0 && s.headLength < s.maxFrames + 1) {
            const int usable = s.headLength > 1 ? s.headLength - 1 : 0;
            r.Report(CString(u"<screen> gif_headlength %1 is shorter than gif_maxframes + 1 (%2); "
                             "at most %3 frames are used"_qs)
                         .arg(s.headLength).arg(s.maxFrames + 1).arg(usable));
            s.maxFrames = usable;
        }
    }
    if (doc.FindElement(u"light"_qs)) {
        out.hasLight = true;
        LightInfo& l = out.light;
        l.rgbKeyboard = r.Decimal(u"rgb_keyboard", true);
        l.defaultMode = r.Decimal(u"default_mode");
        l.defaultBrightness = r.Decimal(u"default_brightness");
        l.defaultSpeed = r.Decimal(u"default_speed");
        l.brightnessMax = r.Decimal(u"brightness_max");
        l.speedMax = r.Decimal(u"speed_max");
    }
    if (doc.FindElement(u"Keyboard"_qs))
        ReadKeyboard(doc, r, out);
    doc.LeaveElement();
    result = std::move(out);
}

bool ReadLayoutFile(const CString& path, const LayoutFile& previous, LayoutFile& out)
{
    XmlDocument doc;
    if (!doc.LoadFile(path)) return false;
    ReadLayoutDocument(doc, previous, out);
    return true;
}
