// The tab strip with its pages, and the classes that may not be in the
// library yet: each is asked for by class name and left out (with a dim
// caption) while the factory cannot make it.
#include "oxa/controls/edit.h"
#include "oxa/controls/picture.h"
#include "oxa/controls/tab_ctrl.h"
#include "oxa/controls/tab_layout.h"
#include "oxa/controls/text.h"
#include "oxa/core/dialog.h"
#include "oxa/gallery/gallery_board.h"
#include "oxa/gallery/gallery_ids.h"
#include "oxa/gallery/gallery_sections.h"

namespace gallery {

using namespace OXA;

namespace {

constexpr ARGB kTextColour = 0xFFE6E6E6u;

// One page of the tab strip: a container holding a line of text.
MControl* MakePage(GalleryBoard& board, unsigned id, CRect rect, const CString& text, int visible)
{
    auto* page = dynamic_cast<MTabLayout*>(board.Dialog().CreateControl(u"MTabLayout"_qs, id, rect, CString(), visible, 1));
    if (!page)
        return nullptr;
    if (auto* line = dynamic_cast<MText*>(page->CreateControl(u"MText"_qs, id + 1,
                                                              CRect(rect.left + 10, rect.top + 8, rect.right - 10,
                                                                    rect.bottom - 8),
                                                              text, 1, 1))) {
        line->SetFont(CString(), 13, FontStyleRegular);
        line->SetTextColor(kTextColour);
        line->EnableMultiLine(1);
        line->SetAlignment(0, 0);
    }
    return page;
}

// A class from the factory with the usual look of the gallery's text.
MControl* Optional(GalleryBoard& board, const char16_t* className, unsigned id, CRect rect, const CString& title,
                   const CString& caption, const char* name)
{
    MControl* control = board.Create(CString::fromUtf16(className), id, rect, title, caption, name);
    if (auto* font = dynamic_cast<MControlFont*>(control)) {
        font->SetFont(CString(), 13, FontStyleRegular);
        font->SetTextColor(kTextColour);
    }
    if (auto* edit = dynamic_cast<MEdit*>(control))
        edit->SetEditText(title);
    return control;
}

}  // namespace

void BuildExtraSection(GalleryBoard& board, int x, int y, int width)
{
    unsigned id = kExtraBase;
    const int half = (width - 10) / 2;

    y = board.Heading(x, y, width, u"MTabCtrl \u00b7 MTabLayout"_qs);
    {
        const CRect strip = Below(x, y, width, 60);
        const CRect pageRect(strip.left, strip.bottom + 2, strip.right, strip.bottom + 72);
        auto* tabs = board.Make<MTabCtrl>(u"MTabCtrl", id++, strip, CString(), u"second tab selected"_qs, "tabs");
        const struct {
            const char16_t* image;
            const char16_t* text;
        } pages[] = {{u"icon/tab_home.png", u"Home page: pictures of the keyboard."},
                     {u"icon/tab_light.png", u"Light page: the second tab is chosen at start."},
                     {u"icon/tab_music.png", u"Music page."},
                     {u"icon/tab_config.png", u"Settings page."}};
        if (tabs) {
            tabs->SetFont(CString(), 13, FontStyleRegular);
            for (int i = 0; i < 4; ++i) {
                MControl* page = MakePage(board, id, pageRect, CString::fromUtf16(pages[i].text), 0);
                id += 2;
                const int index = tabs->InsertItem(unsigned(i + 1), CString(), CString::fromUtf16(pages[i].image), page, 4);
                tabs->SetItemWidth(index, 60);
            }
            tabs->SetSelectItem(1);
        }
        y = NextRow(y, 60 + 72);
    }

    y = board.Heading(x, y, width, u"CirclePalette \u00b7 MPalette"_qs);
    if (auto* wheel = dynamic_cast<MControlFont*>(
            Optional(board, u"CirclePalette", id++, Below(x, y, 130, 130), CString(), u"colour wheel"_qs, "palette.circle")))
        wheel->SetImage(u"img_circlepalette.png"_qs, 1);
    Optional(board, u"MPalette", id++, Below(x + 150, y, 130, 130), CString(), u"palette"_qs, "palette.m");
    y = NextRow(y, 130);

    y = board.Heading(x, y, width, u"CColorPalette \u00b7 CColorSelect"_qs);
    Optional(board, u"CColorPalette", id++, Below(x, y, half, 60), CString(), u"colour palette"_qs, "palette.colour");
    Optional(board, u"CColorSelect", id++, Below(x + half + 10, y, half, 60), CString(), u"colour select"_qs,
             "palette.select");
    y = NextRow(y, 60);

    y = board.Heading(x, y, width, u"CTextArea"_qs);
    Optional(board, u"CTextArea", id++, Below(x, y, width, 56),
             u"A text area holds several lines of text and wraps them at its width."_qs, u"text area"_qs,
             "textarea");
    y = NextRow(y, 56);

    y = board.Heading(x, y, width, u"MRichEdit \u00b7 MEditEx"_qs);
    // The skin's field picture behind the two edits.
    for (int i = 0; i < 2; ++i) {
        if (auto* field = board.Make<MPicture>(u"MPicture", id++, Below(x + i * (half + 10), y, half, 30), CString(),
                                               CString(), nullptr)) {
            field->SetImage(u"img_edit.png"_qs, 4);
            field->SetShowMode(SHOW_MODE_FRAME, 6);
        }
    }
    Optional(board, u"MRichEdit", id++, Below(x + 8, y, half - 14, 30), u"Rich text"_qs, u"rich edit"_qs, "richedit");
    Optional(board, u"MEditEx", id++, Below(x + half + 18, y, half - 14, 30), u"Edit ex"_qs, u"edit ex"_qs,
             "editex");
}

}  // namespace gallery
