#pragma once
// Display names of captured keys and of virtual-key codes, with the system
// key-name texts supplied by our own table (the English names Windows gives).
#include <set>

#include "platform/cstring.h"

// What a captured key event was.
enum class KeyEventKind { Ignored = -1, Repeat = 0, Release = 1, Press = 2 };

struct CapturedKey {
    KeyEventKind kind = KeyEventKind::Ignored;
    int virtualKey = 0;   // normalised virtual-key code
    CString name;         // display text
};

// Names keyboard-hook events and keeps the set of keys currently held, so that
// a held key reports one press, then repeats, then one release.
class KeyCaptureState {
public:
    // messageKind: 256/260 key-down, 257/261 key-up, anything else ignored.
    // flags: the hook's flags (bit 0 extended, bit 7 key-up).
    CapturedKey CapturedKeyName(int messageKind, int virtualKey, int scanCode, int flags);
    bool IsHeld(int virtualKey) const { return m_held.count(virtualKey) != 0; }
    void Reset() { m_held.clear(); }

private:
    std::set<int> m_held;
};

// Display text of a virtual-key code for the key assignment dialog.
CString VirtualKeyName(int virtualKey);
// The system key-name text of a virtual-key code (US layout, English), as
// Windows gives it for the code's scan code; empty when the key has none.
CString SystemKeyName(int virtualKey);
// Scan code (set 1) of a virtual-key code on the US layout, without the
// extended bit, as the system's mapping gives it; 0 when none.
int VirtualKeyToScanCode(int virtualKey);
// The key-name text of a scan code (set 1, 0x100 = extended) on the US
// layout, English; empty when the code names no key.
CString ScanCodeKeyName(int scanCode);
