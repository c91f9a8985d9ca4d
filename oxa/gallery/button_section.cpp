// The button family, each class in its states: live controls (which report
// to the gallery) beside copies pinned to the hover and pressed frames.
#include <string>

#include "oxa/controls/check_button.h"
#include "oxa/controls/color_button.h"
#include "oxa/controls/download_button.h"
#include "oxa/controls/help_button.h"
#include "oxa/controls/icon_button.h"
#include "oxa/controls/image_button.h"
#include "oxa/controls/radio_button.h"
#include "oxa/controls/select_button.h"
#include "oxa/controls/switch_button.h"
#include "oxa/controls/text_button.h"
#include "oxa/controls/timer_button.h"
#include "oxa/controls/upgrade_button.h"
#include "oxa/core/dialog.h"
#include "oxa/gallery/gallery_board.h"
#include "oxa/gallery/gallery_ids.h"
#include "oxa/gallery/gallery_sections.h"
#include "oxa/gallery/pinned_state.h"

namespace gallery {

using namespace OXA;

namespace {

constexpr int kButtonFontSize = 13;

// A copy of T that always shows `state`, with a caption and a name.
template <typename T>
T* MakePinned(GalleryBoard& board, unsigned id, CRect rect, const CString& title, const CString& caption,
              const char* name, int state)
{
    auto* control = board.Adopt(new PinnedState<T>(&board.Dialog(), id, rect, title), caption, name);
    control->Pin(state);
    return control;
}

template <typename T>
void Style(T* button, const CString& image, int frames)
{
    if (!button)
        return;
    button->SetFont(CString(), kButtonFontSize, FontStyleRegular);
    if (!image.isEmpty())
        button->SetImage(image, frames);
}

// The four states of a push-button class in one row.
template <typename T>
void StateRow(GalleryBoard& board, unsigned& id, const char16_t* className, const char* prefix, int x, int y,
              int w, int h, int pitch, const CString& title, const CString& image)
{
    const std::string p(prefix);
    Style(board.Make<T>(className, id++, Below(x, y, w, h), title, u"normal"_qs, (p + ".live").c_str()), image, 4);
    Style(MakePinned<T>(board, id++, Below(x + pitch, y, w, h), title, u"hover"_qs, (p + ".hover").c_str(), 1), image, 4);
    Style(MakePinned<T>(board, id++, Below(x + 2 * pitch, y, w, h), title, u"pressed"_qs, (p + ".pressed").c_str(), 2), image,
          4);
    Style(board.Make<T>(className, id++, Below(x + 3 * pitch, y, w, h), title, u"disabled"_qs, (p + ".disabled").c_str(), 0),
          image, 4);
}

}  // namespace

void BuildButtonSection(GalleryBoard& board, int x, int y, int width)
{
    unsigned id = kButtonBase;

    y = board.Heading(x, y, width, u"MButton"_qs);
    StateRow<MButton>(board, id, u"MButton", "button", x, y, 68, 34, 74, u"Apply"_qs, u"btn_apply.png"_qs);
    y = NextRow(y, 34);

    y = board.Heading(x, y, width, u"CImageButton"_qs);
    StateRow<CImageButton>(board, id, u"CImageButton", "imagebutton", x, y, 28, 28, 58, u"Add"_qs,
                           u"imgbtn_add.png"_qs);
    if (auto* tip = board.Make<CImageButton>(u"CImageButton", id++, Below(x + 232, y, 28, 28), u"Rename the profile"_qs,
                                             u"balloon"_qs, "imagebutton.balloon")) {
        tip->SetImage(u"imgbtn_edit.png"_qs, 4);
        tip->SetAlrBladderMode(1);
    }
    y = NextRow(y, 28);

    y = board.Heading(x, y, width, u"CTextButton"_qs);
    StateRow<CTextButton>(board, id, u"CTextButton", "textbutton", x, y, 68, 24, 74, u"Details"_qs, CString());
    y = NextRow(y, 24);

    y = board.Heading(x, y, width, u"CCheckButton"_qs);
    {
        const int w = 48, pitch = 50;
        const CString box = u"btn_checkbox.png"_qs;
        auto* off = board.Make<CCheckButton>(u"CCheckButton", id++, Below(x, y, w, 20), u"Off"_qs, u"off"_qs, "check.off");
        Style(off, box, 8);
        auto* on = board.Make<CCheckButton>(u"CCheckButton", id++, Below(x + pitch, y, w, 20), u"On"_qs, u"on"_qs, "check.on");
        Style(on, box, 8);
        if (on)
            on->SetCheck(1);
        Style(MakePinned<CCheckButton>(board, id++, Below(x + 2 * pitch, y, w, 20), u"Off"_qs, u"hover"_qs, "check.hover", 1),
              box, 8);
        auto* pressed = MakePinned<CCheckButton>(board, id++, Below(x + 3 * pitch, y, w, 20), u"On"_qs, u"pressed"_qs,
                                                 "check.pressed", 2);
        Style(pressed, box, 8);
        pressed->SetCheck(1);
        Style(board.Make<CCheckButton>(u"CCheckButton", id++, Below(x + 4 * pitch, y, w, 20), u"Off"_qs, u"disabled"_qs,
                                       "check.disabled", 0),
              box, 8);
        // Checked first, then disabled: a disabled box refuses SetCheck.
        auto* both = board.Make<CCheckButton>(u"CCheckButton", id++, Below(x + 5 * pitch, y, w, 20), u"On"_qs,
                                              u"disabled"_qs, "check.disabled_on");
        Style(both, box, 8);
        if (both) {
            both->SetCheck(1);
            both->SetEnabled(0);
        }
    }
    y = NextRow(y, 20);

    y = board.Heading(x, y, width, u"CRadioButton"_qs);
    {
        const int w = 58, pitch = 60;
        const CString dot = u"btn_radiobox.png"_qs;
        const char16_t* titles[] = {u"Low", u"Mid", u"High"};
        const char* names[] = {"radio.low", "radio.mid", "radio.high"};
        for (int i = 0; i < 3; ++i) {
            auto* radio = board.Make<CRadioButton>(u"CRadioButton", id++, Below(x + i * pitch, y, w, 20),
                                                   CString::fromUtf16(titles[i]), i == 0 ? u"group"_qs : CString(),
                                                   names[i]);
            Style(radio, dot, 8);
            if (radio) {
                radio->SetGroupName(u"level"_qs);
                if (i == 1)
                    radio->SetCheck(1);
            }
        }
        auto* hover = MakePinned<CRadioButton>(board, id++, Below(x + 3 * pitch, y, w, 20), u"Off"_qs, u"hover"_qs,
                                               "radio.hover", 1);
        Style(hover, dot, 8);
        hover->SetGroupName(u"pinned hover"_qs);
        auto* off = board.Make<CRadioButton>(u"CRadioButton", id++, Below(x + 4 * pitch, y, w, 20), u"Off"_qs,
                                             u"disabled"_qs, "radio.disabled", 0);
        Style(off, dot, 8);
        if (off)
            off->SetGroupName(u"disabled"_qs);
    }
    y = NextRow(y, 20);

    y = board.Heading(x, y, width, u"CSelectButton"_qs);
    {
        const char16_t* images[] = {u"img_direction_left.png", u"img_direction_top.png", u"img_direction_right.png",
                                    u"img_direction_bottom.png"};
        const char16_t* captions[] = {u"left", u"up (checked)", u"right", u"down"};
        const char* names[] = {"select.left", "select.up", "select.right", "select.down"};
        for (int i = 0; i < 4; ++i) {
            auto* select = board.Make<CSelectButton>(u"CSelectButton", id++, Below(x + i * 72, y, 36, 36), CString(),
                                                     CString::fromUtf16(captions[i]), names[i]);
            Style(select, CString::fromUtf16(images[i]), 8);
            if (select) {
                select->SetGroupName(u"direction"_qs);
                if (i == 1)
                    select->SetCheck(1);
            }
        }
    }
    y = NextRow(y, 36);

    y = board.Heading(x, y, width, u"CColorButton"_qs);
    {
        struct Swatch {
            COLORREF colour;
            bool border;
            const char16_t* caption;
            const char* name;
        };
        const Swatch swatches[] = {{0x0000FF, true, u"border", "colour.red"},
                                   {0x00FF00, true, u"selected", "colour.green"},
                                   {0xFF0000, false, u"plain", "colour.blue"},
                                   {0x00E1FF, false, u"hover", "colour.yellow"},
                                   {0xFF00FF, false, u"disabled", "colour.magenta"}};
        for (int i = 0; i < 5; ++i) {
            const Swatch& s = swatches[i];
            const CRect rect = Below(x + i * 60, y, 28, 28);
            CColorButton* swatch = nullptr;
            if (i == 3) {
                auto* pinned = board.Adopt(new PinnedState<CColorButton>(&board.Dialog(), id++, rect),
                                           CString::fromUtf16(s.caption), s.name);
                pinned->Pin(1);
                swatch = pinned;
            } else {
                swatch = board.Make<CColorButton>(u"CColorButton", id++, rect, CString(), CString::fromUtf16(s.caption),
                                                  s.name, i == 4 ? 0 : 1);
            }
            if (!swatch)
                continue;
            swatch->SetColor(s.colour);
            swatch->SetVisibleBorder(s.border);
            swatch->SetGroupName(u"swatches"_qs);
            if (i == 1) {
                // Selected the way a user selects it: a press and a release.
                const CPoint mid(rect.left + 14, rect.top + 14);
                swatch->OnControlLButtonDown(0, mid);
                swatch->OnControlLButtonUp(0, mid);
            }
        }
    }
    y = NextRow(y, 28);

    y = board.Heading(x, y, width, u"Switch, help and upgrade buttons"_qs);
    {
        auto* on = board.Make<CSwitchButton>(u"CSwitchButton", id++, Below(x, y, 60, 34), u"On"_qs,
                                             u"CSwitchButton"_qs, "switch.on");
        auto* off = board.Make<CSwitchButton>(u"CSwitchButton", id++, Below(x + 66, y, 60, 34), u"Off"_qs, CString(),
                                              "switch.off");
        for (CSwitchButton* sw : {on, off}) {
            if (sw) {
                sw->SetFont(CString(), kButtonFontSize, FontStyleRegular);
                sw->SetImage(u"img_btn_layer_p.png"_qs, u"img_btn_layer_n.png"_qs, 4);
            }
        }
        if (on)
            on->SetSwitch(1);
        if (auto* help = board.Make<CHelpButton>(u"CHelpButton", id++, Below(x + 140, y + 6, 21, 21),
                                                 u"Help shown in a balloon"_qs, u"CHelpButton"_qs, "help")) {
            help->SetImage(u"img_help.png"_qs, 1);
        }
        auto* upgrade = board.Make<UpgradeButton>(u"UpgradeButton", id++, Below(x + 210, y, 80, 34), u"Update"_qs,
                                                  u"UpgradeButton"_qs, "upgrade");
        Style(upgrade, u"btn_apply.png"_qs, 4);
        if (upgrade)
            upgrade->SetUpgradeStatus(1);
    }
    y = NextRow(y, 34);

    y = board.Heading(x, y, width, u"Icon, timer and download buttons"_qs);
    {
        auto* icon = board.Make<CIconButton>(u"CIconButton", id++, Below(x, y, 36, 36), CString(), u"CIconButton"_qs,
                                             "icon");
        Style(icon, u"img_direction_top.png"_qs, 8);
        if (icon)
            icon->SetTipInfo(u"Icon button"_qs, u"with a tip"_qs);
        auto* timer = board.Make<CTimerButton>(u"CTimerButton", id++, Below(x + 70, y, 100, 34), u"Wait"_qs,
                                               u"CTimerButton"_qs, "timer");
        Style(timer, u"btn_apply.png"_qs, 4);
        if (timer)
            timer->SetRun(1);
        auto* download = board.Make<DownloadButton>(u"DownloadButton", id++, Below(x + 180, y, 110, 34), u"Get"_qs,
                                                    u"DownloadButton"_qs, "download");
        Style(download, u"btn_apply.png"_qs, 4);
        if (download)
            download->SetDownloadProcess(40);
    }
}

}  // namespace gallery
