#pragma once
// A keyboard layout file ("layouts/<name>.xml") as read: page flags, device
// constants, the keyboard picture and its keys. Values absent from the file
// read as 0 or empty text; the page flags and the command delay keep the
// values they had before when their elements are absent.
#include <vector>

#include "platform/cstring.h"

// Page flag bits of a connection mode.
enum PageFlag : int {
    kPageKeys = 0x01,        // key assignment (always on)
    kPageMacro = 0x02,
    kPageLightMode = 0x04,
    kPageCustomLight = 0x08,  // per-key animation
    kPageUserLight = 0x10,
    kPageMusic = 0x20,
    kPageSettings = 0x40,     // always on
    kPageScreen = 0x80,
    kPageSideLight = 0x100,
};
constexpr int kPageFlagsBase = kPageKeys | kPageSettings;
constexpr int kPageFlagsInitial = 0x7F;
constexpr int kCommandDelayInitial = 10;

// Rectangle in picture pixels; right and bottom exclusive.
struct KeyRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Overlaps(const KeyRect& o) const
    {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

struct LayoutKey {
    int code = 0;            // key code (HID usage)
    CString name;            // label
    CString desc;
    int keyIndex = 0;        // position in the key map block
    int lightIndex = 0;      // position in the colour blocks
    CString icon;
    bool fnDisabled = false; // not written in the Fn layer's key map
    KeyRect rect;
    CString rowCol;          // matrix cell as written
    int row = 0, col = 0;    // matrix cell as parsed
    int line = 0;            // line of the element in the file (1-based)
};

struct KeyboardPicture {
    unsigned bkColor = 0;    // 0x00BBGGRR
    int xpos = 0, ypos = 0, width = 0, height = 0;
    CString image;           // file name under "keyboard/"
    int rowCount = 0, colCount = 0;
};

struct ScreenInfo {
    int headLength = 0;      // H: bytes before the first frame
    int maxFrames = 0;       // M: frames the keyboard takes per animation
    int count = 0;           // screen slots
    int width = 0, height = 0;
};

struct LightInfo {
    int rgbKeyboard = 0;     // 1: per-key RGB; else single colour
    int defaultMode = 0;
    int defaultBrightness = 0;
    int defaultSpeed = 0;
    int brightnessMax = 0;
    int speedMax = 0;
};

struct FirmwareInfo {
    CString version;         // decimal text
    CString file;            // updater under "firmware/"
    CString url;
    // The firmware update button is shown only when both are named.
    bool Offered() const { return !version.isEmpty() && !file.isEmpty(); }
};

struct LayoutFile {
    // Which elements were found (by the search order of the reader).
    bool hasMenu = false, hasMenuWireless = false, hasFunction = false, hasFirmware = false;
    bool hasCmdDelay = false, hasLight = false;
    int pageFlagsCable = kPageFlagsInitial;
    int pageFlagsReceiver = kPageFlagsInitial;
    int fnLayer = 0, sleepTime = 0, keyRespondTime = 0;
    FirmwareInfo firmware;
    int commandDelay = kCommandDelayInitial;
    bool hasScreen = false;
    ScreenInfo screen;
    LightInfo light;
    bool hasKeyboard = false;
    KeyboardPicture picture;
    std::vector<LayoutKey> keys;

    bool IsRgb() const { return light.rgbKeyboard == 1; }
};

// A problem met while reading a layout: a missing attribute, a text that is
// not a number, a value the program must not use as it stands.
struct LayoutIssue {
    int line = 0;  // 1-based line of the element; 0 for the file as a whole
    CString message;
};
using LayoutIssues = std::vector<LayoutIssue>;

class XmlDocument;

// How messages name a key: its code in two hex digits and its label.
CString LayoutKeyLabel(const LayoutKey& key);

// Parses a row_col text: row = the first character; column = the last
// character when the text has 3 characters, else the last two. A text too
// short for a part, or a part that is not a number, gives 0 for it.
void ParseRowCol(const CString& text, int& row, int& col);

// Reads a layout file. `previous` supplies the page flags and the command
// delay when the file has no element for them. False when the file cannot be
// loaded or is not well-formed; `out` is then unchanged.
bool ReadLayoutFile(const CString& path, const LayoutFile& previous, LayoutFile& out);
// The same over a document already loaded. When `issues` is given, missing
// attributes and texts that are not numbers are reported there.
void ReadLayoutDocument(XmlDocument& doc, const LayoutFile& previous, LayoutFile& out,
                        LayoutIssues* issues = nullptr);
