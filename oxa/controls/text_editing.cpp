#include "oxa/controls/text_editing.h"

#include <algorithm>
#include <cstdlib>

namespace OXA::TextEditing {

CString Selected(const CString& text, int anchor, int caret)
{
    return text.mid(std::min(anchor, caret), std::abs(caret - anchor));
}

void RemoveSelected(CString& text, int& anchor, int& caret)
{
    const int from = std::min(anchor, caret);
    text.remove(from, std::abs(caret - anchor));
    caret = anchor = from;
}

void EndOnWholeCharacter(CString& text)
{
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
}

int ReplaceSelected(CString& text, int& anchor, int& caret, CString insert, int limit)
{
    const int selected = std::abs(caret - anchor);
    const int room = std::max(0, limit - (int(text.size()) - selected));
    if (insert.size() > room) {
        insert.truncate(room);
        EndOnWholeCharacter(insert);  // never half a character
    }
    if (insert.isEmpty() && selected == 0)
        return -1;
    RemoveSelected(text, anchor, caret);
    text.insert(caret, insert);
    caret = anchor = caret + int(insert.size());
    return int(insert.size());
}

}  // namespace OXA::TextEditing
