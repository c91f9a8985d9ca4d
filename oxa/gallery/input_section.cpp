// Edits, combo boxes, the list box, and the buttons that open a popup menu
// and a lasting balloon.
#include "oxa/controls/button.h"
#include "oxa/controls/combo_box.h"
#include "oxa/controls/edit.h"
#include "oxa/controls/list_box.h"
#include "oxa/controls/picture.h"
#include "oxa/gallery/gallery_board.h"
#include "oxa/gallery/gallery_ids.h"
#include "oxa/gallery/gallery_sections.h"

namespace gallery {

using namespace OXA;

namespace {

constexpr ARGB kTextColour = 0xFFE6E6E6u;

// The skin's field picture behind an edit (the edit draws only its text).
void FieldBackground(GalleryBoard& board, unsigned id, CRect rect)
{
    if (auto* field = board.Make<MPicture>(u"MPicture", id, rect, CString(), CString(), nullptr)) {
        field->SetImage(u"img_edit.png"_qs, 4);
        field->SetShowMode(SHOW_MODE_FRAME, 6);
    }
}

}  // namespace

void BuildInputSection(GalleryBoard& board, int x, int y, int width)
{
    unsigned id = kInputBase;
    const int half = (width - 10) / 2;

    y = board.Heading(x, y, width, u"MEdit"_qs);
    {
        struct Field {
            const char16_t* tip;
            const char16_t* text;
            const char16_t* caption;
            const char* name;
        };
        const Field fields[] = {{u"Type here", u"", u"placeholder", "edit.type"},
                                {u"Paste here", u"Pasted: ", u"with text", "edit.paste"},
                                {u"", u"Selected words", u"focused, selection", "edit.focused"},
                                {u"", u"secret", u"password", "edit.password"},
                                {u"", u"Read only", u"disabled", "edit.disabled"},
                                {u"Digits", u"", u"numbers only", "edit.number"}};
        MEdit* focused = nullptr;
        for (int i = 0; i < 6; ++i) {
            const Field& f = fields[i];
            const int top = y + (i / 2) * (kCaptionHeight + 30 + 6);
            const CRect rect = Below(x + (i % 2) * (half + 10), top, half, 30);
            FieldBackground(board, id++, rect);
            auto* edit = board.Make<MEdit>(u"MEdit", id++, CRect(rect.left + 8, rect.top, rect.right - 6, rect.bottom),
                                           CString::fromUtf16(f.tip), CString(), f.name, i == 4 ? 0 : 1);
            board.Caption(rect, CString::fromUtf16(f.caption));
            if (!edit)
                continue;
            edit->SetFont(CString(), 13, FontStyleRegular);
            edit->SetTextColor(kTextColour);
            edit->SetEditText(CString::fromUtf16(f.text));
            if (i == 3)
                edit->EnablePassWord(1);
            if (i == 5)
                edit->SetNumberOnly(1);
            if (i == 2)
                focused = edit;
        }
        if (focused) {
            focused->ShowEdit();
            focused->SetSel(0, 8);
        }
        y += 3 * (kCaptionHeight + 30 + 6) + 2;
    }

    y = board.Heading(x, y, width, u"MComboBox"_qs);
    {
        struct Box {
            int items;
            int selected;
            int enabled;
            const char16_t* caption;
            const char* name;
        };
        const Box boxes[] = {{3, 0, 1, u"closed, 3 items", "combo"},
                             {9, -1, 1, u"9 items, none chosen", "combo.long"},
                             {3, 2, 0, u"disabled", "combo.disabled"}};
        const char16_t* colours[] = {u"Red", u"Green", u"Blue", u"Cyan", u"Magenta", u"Yellow",
                                     u"White", u"Orange", u"Purple"};
        for (int i = 0; i < 3; ++i) {
            const Box& b = boxes[i];
            const int top = y + (i / 2) * (kCaptionHeight + 36 + 6);
            auto* combo = board.Make<MComboBox>(u"MComboBox", id++, Below(x + (i % 2) * (half + 10), top, half, 36),
                                                CString(), CString::fromUtf16(b.caption), b.name, b.enabled);
            if (!combo)
                continue;
            combo->SetFont(CString(), 13, FontStyleRegular);
            combo->SetTextColor(kTextColour);
            combo->SetBackImage(u"img_combobox.png"_qs);
            for (int k = 0; k < b.items; ++k)
                combo->AddItem(CString::fromUtf16(colours[k]), 100 + k);
            combo->SetCurSel(b.selected);
        }
        y += 2 * (kCaptionHeight + 36 + 6) + 2;
    }

    y = board.Heading(x, y, width, u"MListBox"_qs);
    if (auto* list = board.Make<MListBox>(u"MListBox", kListId, Below(x, y, width, 192), CString(),
                                          u"double-click: rename \u00b7 right-click: menu"_qs, "list")) {
        list->SetFont(CString(), 14, FontStyleRegular);
        list->SetTextColor(kTextColour);
        list->SetImage(u"icon//icon_circle.png"_qs, 2);
        list->SetEditImage(u"img_edit.png"_qs, 4);
        list->EnableShowEdit(1);
        for (int i = 1; i <= 9; ++i)
            list->AddString(QStringLiteral("Profile %1").arg(i), long(i), 0);
        list->SetCurSel(1);
    }
    y = NextRow(y, 192);

    y = board.Heading(x, y, width, u"MenuWnd \u00b7 balloon"_qs);
    if (auto* menu = board.Make<MButton>(u"MButton", kMenuButtonId, Below(x, y, 130, 34), u"Menu\u2026"_qs,
                                         u"opens a popup menu"_qs, "menu.button")) {
        menu->SetFont(CString(), 13, FontStyleRegular);
        menu->SetImage(u"btn_apply.png"_qs, 4);
    }
    if (auto* balloon = board.Make<MButton>(u"MButton", kBalloonButtonId, Below(x + 150, y, 130, 34),
                                            u"Balloon"_qs, u"shows / hides a balloon"_qs, "balloon.button")) {
        balloon->SetFont(CString(), 13, FontStyleRegular);
        balloon->SetImage(u"btn_apply.png"_qs, 4);
    }
}

}  // namespace gallery
