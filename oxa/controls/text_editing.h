#pragma once
// The editing steps the one-line and the rich edit share: a text with an
// anchor and a caret (the selection between them), replaced within a
// length limit without ever splitting a surrogate pair, and the keys and
// modifier flags their key handlers read.
#include "platform/cstring.h"

namespace OXA::TextEditing {

constexpr unsigned kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28,
                   kVkDelete = 0x2E;

// Ctrl held (0x11 is or-ed into the modifier flags).
inline bool CtrlHeld(unsigned modifiers) { return (modifiers & 0x01u) != 0; }
// Shift alone: with Ctrl or Alt the or-ed codes cannot be told apart.
inline bool ShiftOnly(unsigned modifiers) { return modifiers == 0x10u; }

// The text between anchor and caret, whichever comes first.
CString Selected(const CString& text, int anchor, int caret);

// Removes the selection; anchor and caret both end where it began.
void RemoveSelected(CString& text, int& anchor, int& caret);

// Drops a high surrogate left alone at the end of text.
void EndOnWholeCharacter(CString& text);

// Puts insert (already filtered) in place of the selection, cut to what
// fits in limit characters; the caret ends after it, with nothing selected.
// The number of characters put in, or -1 when nothing changed (nothing to
// put in and nothing selected).
int ReplaceSelected(CString& text, int& anchor, int& caret, CString insert, int limit);

}  // namespace OXA::TextEditing
