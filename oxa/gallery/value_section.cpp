// Static text, pictures and the controls that show a value.
#include "oxa/controls/gif_picture.h"
#include "oxa/controls/level_ctrl.h"
#include "oxa/controls/photo_frame.h"
#include "oxa/controls/picture.h"
#include "oxa/controls/progress.h"
#include "oxa/controls/slider.h"
#include "oxa/controls/slider_picture.h"
#include "oxa/controls/spin_button.h"
#include "oxa/controls/text.h"
#include "oxa/gallery/gallery_board.h"
#include "oxa/gallery/gallery_ids.h"
#include "oxa/gallery/gallery_sections.h"

namespace gallery {

using namespace OXA;

namespace {

constexpr ARGB kTextColour = 0xFFE6E6E6u;

template <typename T>
T* Small(T* control, int size = 12)
{
    if (control)
        control->SetFont(CString(), size, FontStyleRegular);
    return control;
}

}  // namespace

void BuildValueSection(GalleryBoard& board, int x, int y, int width)
{
    unsigned id = kValueBase;
    const int half = (width - 10) / 2;

    y = board.Heading(x, y, width, u"MText"_qs);
    if (auto* left = Small(board.Make<MText>(u"MText", id++, Below(x, y, half, 20), u"Left, one line"_qs,
                                             u"left"_qs, "text.left"))) {
        left->SetTextColor(kTextColour);
        left->SetAlignment(0, 4);
    }
    if (auto* back = Small(board.Make<MText>(u"MText", id++, Below(x + half + 10, y, half, 20),
                                             u"Centred on a colour"_qs, u"centred, back colour"_qs, "text.back"))) {
        back->SetTextColor(0xFF1B1C1Fu);
        back->SetAlignment(1, 4);
        back->EnableTextBack(1, 0xFFFFE100u);
    }
    y = NextRow(y, 20);
    if (auto* multi = Small(board.Make<MText>(u"MText", id++, Below(x, y, width, 34),
                                              u"Several words that do not fit on one line wrap onto the next one "
                                              u"like an edit control does."_qs,
                                              u"multi-line"_qs, "text.multi"))) {
        multi->SetTextColor(kTextColour);
        multi->EnableMultiLine(1);
        multi->SetAlignment(0, 0);
    }
    y = NextRow(y, 34);

    y = board.Heading(x, y, width, u"MPicture"_qs);
    {
        struct Shown {
            const char16_t* image;
            int frames;
            enumShowMode mode;
            int border;
            int w;
            const char16_t* caption;
        };
        const Shown shown[] = {{u"icon/usb_mode.png", 1, SHOW_MODE_NORMAL, 0, 79, u"own size"},
                               {u"icon/icon_music.png", 1, SHOW_MODE_STRETCH, 0, 60, u"stretched"},
                               {u"btn_apply.png", 4, SHOW_MODE_FRAME, 8, 80, u"nine-slice"},
                               {u"icon/icon_circle.png", 2, SHOW_MODE_TILE, 0, 50, u"tiled"}};
        int left = x;
        for (const Shown& s : shown) {
            if (auto* picture = board.Make<MPicture>(u"MPicture", id++, Below(left, y, s.w, 36), CString(),
                                                     CString::fromUtf16(s.caption), nullptr)) {
                picture->SetImage(CString::fromUtf16(s.image), s.frames);
                picture->SetShowMode(s.mode, s.border);
            }
            left += s.w + 10;
        }
    }
    y = NextRow(y, 36);

    y = board.Heading(x, y, width, u"CGifPicture \u00b7 CPhotoFrame \u00b7 CSliderPicture"_qs);
    if (auto* gif = board.Make<CGifPicture>(u"CGifPicture", id++, Below(x, y, 48, 48), CString(), u"GIF"_qs, "gif")) {
        gif->SetImage(u"loading.gif"_qs, 1);
        gif->AddMTimer();
        gif->SetRunState(1, 0);
    }
    if (auto* photo = board.Make<CPhotoFrame>(u"CPhotoFrame", id++, Below(x + 70, y, 90, 48), CString(),
                                              u"photo frame"_qs, "photo")) {
        photo->SetPhoto(u"icon/icon_lcd_add.png"_qs);
        photo->SetFrameWidth(2);
        photo->SetFrameColor(0xFFEE6E01u);
    }
    if (auto* slides = board.Make<CSliderPicture>(u"CSliderPicture", id++, Below(x + 180, y, 90, 48), CString(),
                                                  u"slides"_qs, "slides")) {
        slides->AddImage(u"home_bkg.png"_qs);
        slides->AddImage(u"main_bkg.png"_qs);
    }
    y = NextRow(y, 48);

    y = board.Heading(x, y, width, u"MProgress"_qs);
    {
        const int w = (width - 20) / 3;
        struct Bar {
            int value;
            int max;
            bool text;
            int run;
            int enabled;
            const char16_t* caption;
        };
        const Bar bars[] = {{0, 100, false, 0, 1, u"0"},          {35, 100, true, 0, 1, u"35 with text"},
                            {100, 100, true, 0, 1, u"100 with text"}, {0, 100, false, 1, 1, u"endless"},
                            {60, 100, false, 0, 0, u"disabled at 60"}, {150, 100, true, 0, 1, u"150 (clamped)"}};
        for (int i = 0; i < 6; ++i) {
            const Bar& b = bars[i];
            const int row = i / 3, col = i % 3;
            const int top = y + row * (kCaptionHeight + 24 + 6);
            auto* bar = Small(board.Make<MProgress>(u"MProgress", id++, Below(x + col * (w + 10), top, w, 24), CString(),
                                                    CString::fromUtf16(b.caption), nullptr));
            if (!bar)
                continue;
            bar->SetTextColor(kTextColour);
            bar->SetMaxProgress(b.max);
            bar->EnableShowText(b.text ? 1 : 0);
            bar->SetProgress(b.value);
            if (b.run)
                bar->SetRun(1, 0);
            if (!b.enabled)
                bar->SetEnabled(0);
        }
        y += 2 * (kCaptionHeight + 24 + 6) + 2;
    }

    y = board.Heading(x, y, width, u"MSlider"_qs);
    {
        struct Knob {
            int value;
            int enabled;
            const char16_t* caption;
            const char* name;
        };
        const Knob knobs[] = {{0, 1, u"minimum (0 of 10)", "slider.min"},
                              {5, 1, u"middle (5)", "slider.mid"},
                              {10, 1, u"maximum (10)", "slider.max"},
                              {3, 0, u"disabled (3)", "slider.disabled"}};
        for (int i = 0; i < 4; ++i) {
            const Knob& k = knobs[i];
            const int top = y + (i / 2) * (kCaptionHeight + 40 + 6);
            auto* slider = Small(board.Make<MSlider>(u"MSlider", id++, Below(x + (i % 2) * (half + 10), top, half, 40),
                                                     CString(), CString::fromUtf16(k.caption), k.name));
            if (!slider)
                continue;
            slider->SetTextColor(kTextColour);
            slider->SetTitle(u"Value "_qs);  // shown before the number
            slider->SetProgress(k.value);
            if (!k.enabled)
                slider->SetEnabled(0);
        }
        y += 2 * (kCaptionHeight + 40 + 6) + 2;
    }

    y = board.Heading(x, y, width, u"MLevelCtrl \u00b7 CSpinButton"_qs);
    if (auto* level = board.Make<MLevelCtrl>(u"MLevelCtrl", id++, Below(x, y, half, 24), CString(),
                                             u"level 3 of 5"_qs, "level")) {
        level->SetLevelCount(5);
        level->SetLevel(3);
    }
    if (auto* spin = Small(board.Make<CSpinButton>(u"CSpinButton", id++, Below(x + half + 10, y, 90, 24), CString(),
                                                   u"spin 0..20"_qs, "spin"))) {
        spin->SetTextColor(kTextColour);
        spin->SetRange(0, 20);
        spin->SetValue(7);
    }
}

}  // namespace gallery
