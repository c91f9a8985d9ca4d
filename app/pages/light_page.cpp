#include "app/pages/light_page.h"

#include <algorithm>

#include "app/shell/language_texts.h"
#include "app/window/control_setup.h"
#include "app/window/page_table.h"
#include "features/lighting/light_swatches.h"
#include "oxa/controls/check_button.h"
#include "oxa/controls/circle_palette.h"
#include "oxa/controls/color_button.h"
#include "oxa/controls/combo_box.h"
#include "oxa/controls/edit.h"
#include "oxa/controls/list_box.h"
#include "oxa/controls/radio_button.h"
#include "oxa/controls/slider.h"
#include "oxa/controls/tab_layout.h"
#include "oxa/controls/text.h"
#include "oxa/core/area.h"
#include "oxa/keyboard/keyboard_ctrl.h"
#include "store/data_store.h"

using namespace OXA;

namespace {

namespace Id {
constexpr unsigned kListArea = 80, kEffects = 81, kSideLabel = 82, kSideLights = 83, kPicture = 84;
constexpr unsigned kSettingsArea = 85, kBrightnessLabel = 86, kBrightness = 87, kSpeedLabel = 88, kSpeed = 89;
constexpr unsigned kDirectionLabel = 90, kRight = 91, kLeft = 92, kUp = 93, kDown = 94;
constexpr unsigned kCurrentColour = 95, kColourful = 96, kColourLabel = 97, kColourArea = 98, kWheel = 99;
constexpr unsigned kRedLabel = 100, kRedSlider = 103, kRedField = 106, kFirstSwatch = 109, kLastSwatch = 117;
}  // namespace Id

constexpr ARGB kLabelColour = 0xFFE6E6E6u;
constexpr ARGB kFieldText = 0xFFF0F0F0u;
// Radios 91..94 stand for these directions.
constexpr int kRadioDirection[4] = {1, 0, 2, 3};
constexpr const char16_t* kRadioImages[4] = {u"img_direction_right.png", u"img_direction_left.png",
                                             u"img_direction_top.png", u"img_direction_bottom.png"};
constexpr ColourChannel kChannels[3] = {ColourChannel::kRed, ColourChannel::kGreen, ColourChannel::kBlue};

template <typename T>
T* Make(MTabLayout& page, const char16_t* cls, unsigned id, const CString& title = CString(), int visible = 1)
{
    return dynamic_cast<T*>(page.CreateControl(QString::fromUtf16(cls), id, CRect(), title, visible, 1));
}

MText* Label(MTabLayout& page, unsigned id, const CString& text, int size = 14)
{
    auto* label = Make<MText>(page, u"MText", id, text);
    if (label) {
        label->SetTextColor(kLabelColour);
        label->SetAlignment(0, 1);
        label->EnableVCenter(1);
        SetFontSize(label, size);
        label->SetRresponse(0);
    }
    return label;
}

void Place(MControl* control, int left, int top, int right, int bottom)
{
    if (control) control->SetRect(CRect(left, top, right, bottom));
}

}  // namespace

LightPage::LightPage(std::function<void(int)> queueTask, Post postToUi)
    : m_queueTask(std::move(queueTask)), m_post(std::move(postToUi))
{
    m_logic = std::make_unique<LightModeLogic>(DataStore::Instance(), *this, *this,
                                               [](int number) { return GetText(number); });
}

LightPage::~LightPage() = default;

int LightPage::PageId() const { return Pages::kLight; }

void LightPage::Create(MDialog&, MTabLayout& page)
{
    m_page = &page;
    for (unsigned id : {Id::kListArea, Id::kSettingsArea, Id::kColourArea}) {
        auto* area = dynamic_cast<CArea*>(page.CreateArea(u"CArea"_qs, id, CRect(), CString(), 1, 1));
        if (area) area->SetTransparent(40, 40, RGB(0x10, 0x10, 0x12));
    }

    m_effects = Make<MListBox>(page, u"MListBox", Id::kEffects);
    if (m_effects) {
        m_effects->SetImage(u"icon/icon_circle.png"_qs, 2);
        m_effects->SetTextColor(kLabelColour);
        SetFontSize(m_effects, 14);
    }
    m_sideLabel = Label(page, Id::kSideLabel, CString());
    m_sideLights = Make<MComboBox>(page, u"MComboBox", Id::kSideLights);
    if (m_sideLights) {
        m_sideLights->SetBackImage(u"img_combobox.png"_qs);
        m_sideLights->SetTextColor(kLabelColour);
    }
    for (MControl* c : {static_cast<MControl*>(m_sideLabel), static_cast<MControl*>(m_sideLights)})
        if (c) c->SetVisible(0);

    m_picture = Make<KeyboardCtrl>(page, u"KeyboardCtrl", Id::kPicture);
    if (m_picture) {
        m_picture->SetKeyboardCtrlMode(KeyboardCtrl::kModeLight);
        m_picture->EnableKBTips(true);
    }

    m_brightnessLabel = Label(page, Id::kBrightnessLabel, CString());
    m_brightness = Make<MSlider>(page, u"MSlider", Id::kBrightness);
    m_speedLabel = Label(page, Id::kSpeedLabel, CString());
    m_speed = Make<MSlider>(page, u"MSlider", Id::kSpeed);
    for (MSlider* s : {m_brightness, m_speed})
        if (s) {
            s->SetMinProgress(1);
            s->SetMaxProgress(5);
            s->SetShowText(0);
            s->SetTextColor(kLabelColour);
        }

    m_directionLabel = Label(page, Id::kDirectionLabel, CString());
    for (int i = 0; i < 4; ++i) {
        m_directions[i] = Make<CRadioButton>(page, u"CRadioButton", Id::kRight + unsigned(i));
        if (m_directions[i]) {
            m_directions[i]->SetGroupName(u"GROUP_LIGHT_DIRECTION"_qs);
            m_directions[i]->SetImage(QString::fromUtf16(kRadioImages[i]), 8);
        }
    }

    m_current = Make<CColorButton>(page, u"CColorButton", Id::kCurrentColour);
    if (m_current) {
        m_current->SetGroupName(u"IDC_CUSTOMLIGHT_STC_LIGHTCOLOR"_qs);
        m_current->SetVisibleBorder(true);
        m_current->SetRresponse(0);
    }
    m_colourful = Make<CCheckButton>(page, u"CCheckButton", Id::kColourful);
    if (m_colourful) {
        m_colourful->SetImage(u"btn_checkbox.png"_qs, 8);
        m_colourful->SetTextColor(kLabelColour);
        m_colourful->SetAlignment(0, 1);
    }

    m_colourLabel = Label(page, Id::kColourLabel, CString());
    m_wheel = Make<CirclePalette>(page, u"CirclePalette", Id::kWheel);
    if (m_wheel) m_wheel->SetImage(u"img_circlepalette.png"_qs, 1);
    static const char16_t* channelNames[3] = {u"R", u"G", u"B"};
    for (int i = 0; i < 3; ++i) {
        m_channelLabels[i] = Label(page, Id::kRedLabel + unsigned(i), QString::fromUtf16(channelNames[i]));
        m_channels[i] = Make<MSlider>(page, u"MSlider", Id::kRedSlider + unsigned(i));
        if (m_channels[i]) {
            m_channels[i]->SetMinProgress(0);
            m_channels[i]->SetMaxProgress(255);
            m_channels[i]->SetShowText(0);
        }
        m_fields[i] = Make<MEdit>(page, u"MEdit", Id::kRedField + unsigned(i));
        if (m_fields[i]) {
            m_fields[i]->SetImage(u"img_edit.png"_qs, 1);
            m_fields[i]->SetLimitText(3);
            m_fields[i]->SetNumberOnly(1);
            m_fields[i]->SetTextColor(kFieldText);
            m_fields[i]->SetAlignment(1, 1);
        }
    }
    const auto& swatches = kLightSwatchColours;
    for (unsigned id = Id::kFirstSwatch; id <= Id::kLastSwatch; ++id) {
        auto* swatch = Make<CColorButton>(page, u"CColorButton", id);
        m_swatches[id - Id::kFirstSwatch] = swatch;
        if (!swatch) continue;
        swatch->SetGroupName(u"IDC_LIGHT_STC_DEFAULTCOLOR"_qs);
        swatch->SetColor(swatches[id - Id::kFirstSwatch]);
        swatch->SetVisibleBorder(true);
    }
    SetTexts();
    // The fields start from the wheel's colour.
    m_logic->InitColourFields();
}

void LightPage::SetTexts()
{
    if (m_sideLabel) m_sideLabel->SetTitle(GetText(660));
    if (m_brightnessLabel) m_brightnessLabel->SetTitle(GetText(82));
    if (m_speedLabel) m_speedLabel->SetTitle(GetText(83));
    if (m_directionLabel) m_directionLabel->SetTitle(GetText(85));
    if (m_colourful) m_colourful->SetTitle(GetText(80));
    if (m_colourLabel) m_colourLabel->SetTitle(GetText(81));
}

// The page is laid out in three plates: the effect list on the left, the
// keyboard picture across the top, the effect's settings and the colour
// group below it.
void LightPage::Layout(CRect c)
{
    const int left = c.left + 10, top = c.top + 10, right = c.right - 10, bottom = c.bottom - 10;
    const int listRight = left + 240;
    auto area = [&](unsigned id, int l, int t, int r, int b) {
        if (!m_page) return;
        std::lock_guard lock(m_page->AreasLock());
        for (MControl* child : m_page->GetAreas())
            if (child->GetControlID() == id) child->SetRect(CRect(l, t, r, b));
    };
    area(Id::kListArea, left, top, listRight, bottom);
    Place(m_effects, left + 10, top + 10, listRight - 10, bottom - 100);
    Place(m_sideLabel, left + 12, bottom - 86, listRight - 10, bottom - 60);
    Place(m_sideLights, left + 10, bottom - 54, listRight - 10, bottom - 18);

    const int pictureLeft = listRight + 10;
    Place(m_picture, pictureLeft, top, right, top + 310);
    const int lower = top + 325;
    const int settingsRight = pictureLeft + 430;
    area(Id::kSettingsArea, pictureLeft, lower, settingsRight, bottom);
    const int lx = pictureLeft + 20, sx = pictureLeft + 130, sr = settingsRight - 20;
    Place(m_brightnessLabel, lx, lower + 20, sx - 10, lower + 48);
    Place(m_brightness, sx, lower + 20, sr, lower + 48);
    Place(m_speedLabel, lx, lower + 64, sx - 10, lower + 92);
    Place(m_speed, sx, lower + 64, sr, lower + 92);
    Place(m_directionLabel, lx, lower + 114, sx - 10, lower + 150);
    // Right and left share the places of up and down: only one pair shows.
    Place(m_directions[0], sx + 46, lower + 114, sx + 82, lower + 150);
    Place(m_directions[1], sx, lower + 114, sx + 36, lower + 150);
    Place(m_directions[2], sx, lower + 114, sx + 36, lower + 150);
    Place(m_directions[3], sx + 46, lower + 114, sx + 82, lower + 150);
    Place(m_current, lx, lower + 174, lx + 36, lower + 204);
    Place(m_colourful, lx + 50, lower + 174, sr, lower + 204);

    area(Id::kColourArea, settingsRight + 15, lower, right, bottom);
    const int cx = settingsRight + 35;
    Place(m_colourLabel, cx, lower + 12, right - 20, lower + 38);
    Place(m_wheel, cx, lower + 46, cx + 130, lower + 176);
    if (m_wheel) m_wheel->SetSelectColor(m_wheel->GetSelectColor());  // the thumb follows the wheel
    const int rx = cx + 150;
    for (int i = 0; i < 3; ++i) {
        const int y = lower + 56 + i * 42;
        Place(m_channelLabels[i], rx, y, rx + 20, y + 28);
        Place(m_channels[i], rx + 24, y, right - 96, y + 28);
        Place(m_fields[i], right - 84, y - 1, right - 24, y + 29);
    }
    for (int i = 0; i < 9; ++i) {
        const int x = cx + i * 44;
        Place(m_swatches[i], x, lower + 196, x + 34, lower + 226);
    }
}

// A notification arrives while the control's panel holds its lock; the
// logic runs once the notification has returned, so that its lock is never
// taken inside a panel's (the logic takes the panels' locks itself when it
// sets the controls).
bool LightPage::OnMessage(unsigned id, unsigned code, unsigned, long)
{
    if (id < Id::kListArea || id > Id::kLastSwatch) return false;
    m_post([this, id, code] { Handle(id, code); });
    return true;
}

void LightPage::Handle(unsigned id, unsigned code)
{
    switch (id) {
    case Id::kEffects:
        if (code == 2) m_logic->OnEffectSelected();
        break;
    case Id::kSideLights:
        if (code == 2) m_logic->OnSideLightSelected();
        break;
    case Id::kBrightness:
        if (code == 2) m_logic->OnBrightnessChanged();
        break;
    case Id::kSpeed:
        if (code == 2) m_logic->OnSpeedChanged();
        break;
    case Id::kRight:
    case Id::kLeft:
    case Id::kUp:
    case Id::kDown:
        if (code == 2) m_logic->OnDirectionClicked(kRadioDirection[id - Id::kRight]);
        break;
    case Id::kColourful:
        if (code == 2) m_logic->OnColourfulClicked();
        break;
    case Id::kWheel:
        if (code == 2) m_logic->OnWheelColourChanged();
        break;
    default:
        if (id >= Id::kRedSlider && id < Id::kRedSlider + 3 && code == 2)
            m_logic->OnChannelSliderChanged(kChannels[id - Id::kRedSlider]);
        else if (id >= Id::kRedField && id < Id::kRedField + 3 && (code == 26 || code == 29))
            m_logic->OnChannelTextChanged(kChannels[id - Id::kRedField]);
        else if (id >= Id::kFirstSwatch && id <= Id::kLastSwatch && code == 2)
            if (CColorButton* swatch = m_swatches[id - Id::kFirstSwatch]) m_logic->OnSwatchClicked(swatch->GetColor());
        break;
    }
}

void LightPage::OnShown() { m_logic->OnLightTabEntered(); }

void LightPage::OnLayoutLoaded(const LayoutFile& layout)
{
    m_logic->SetLayout(layout.light, (layout.pageFlagsCable & kPageSideLight) != 0);
    FillPicture(layout);
    m_layoutSeen = true;
}

void LightPage::FillPicture(const LayoutFile& layout)
{
    if (!m_picture) return;
    m_picture->ClearItem();
    m_picture->SetKeyboardImage(u"keyboard/"_qs + layout.picture.image);
    m_picture->SetWidthAndHeight(layout.picture.width, layout.picture.height);
    for (const LayoutKey& key : layout.keys)
        m_picture->AddKeyItem(LayoutKeyLabel(key), LayoutKeyLabel(key), key.code,
                              CRect(key.rect.left, key.rect.top, key.rect.right, key.rect.bottom), CString(), 0);
    m_picture->UpdateControl(1, 0);
}

void LightPage::ApplyLanguage()
{
    SetTexts();
    Reload();
}

void LightPage::Reload()
{
    m_post([this] {
        m_logic->LoadLightPage();
        m_logic->LoadSideLightList();
    });
}

// --- LightPageView ------------------------------------------------------------

void LightPage::ClearEffects()
{
    if (m_effects) m_effects->DeleteAllItems();
}

void LightPage::AddEffect(const CString& text, int mode)
{
    if (m_effects) m_effects->AddString(text, long(mode), 0);
}

bool LightPage::SelectEffect(int mode)
{
    if (!m_effects) return false;
    const int index = m_effects->FindItemData(long(mode));
    if (index < 0) return false;
    m_effects->SetCurSel(index);
    return true;
}

std::optional<int> LightPage::SelectedEffect() const
{
    if (!m_effects || m_effects->GetCurSel() < 0) return std::nullopt;
    return int(m_effects->GetCurData());
}

void LightPage::ClearSideLights()
{
    if (m_sideLights) m_sideLights->DelAllItems();
}

void LightPage::AddSideLight(const CString& text, int value)
{
    if (m_sideLights) m_sideLights->AddItem(text, long(value));
}

bool LightPage::SelectSideLight(int value)
{
    if (!m_sideLights) return false;
    const int index = m_sideLights->FindData(long(value));
    if (index < 0) return false;
    m_sideLights->SetCurSel(index);
    return true;
}

std::optional<int> LightPage::SelectedSideLight() const
{
    if (!m_sideLights || m_sideLights->GetCurSel() < 0) return std::nullopt;
    return int(m_sideLights->GetCurData());
}

void LightPage::ShowGroup(LightGroup group, bool shown)
{
    const int v = shown ? 1 : 0;
    auto show = [v](std::initializer_list<MControl*> controls) {
        for (MControl* c : controls)
            if (c) c->SetVisible(v);
    };
    switch (group) {
    case LightGroup::kBrightness: show({m_brightnessLabel, m_brightness}); break;
    case LightGroup::kSpeed: show({m_speedLabel, m_speed}); break;
    case LightGroup::kDirectionLabel: show({m_directionLabel}); break;
    case LightGroup::kDirectionLeftRight: show({m_directions[0], m_directions[1]}); break;
    case LightGroup::kDirectionUpDown: show({m_directions[2], m_directions[3]}); break;
    case LightGroup::kCurrentColour: show({m_current}); break;
    case LightGroup::kColourful: show({m_colourful}); break;
    case LightGroup::kColourGroup:
        show({m_colourLabel, m_wheel});
        for (int i = 0; i < 3; ++i) show({m_channelLabels[i], m_channels[i], m_fields[i]});
        for (CColorButton* s : m_swatches) show({s});
        break;
    case LightGroup::kSideLight: show({m_sideLabel, m_sideLights}); break;
    }
}

MSlider* LightPage::Slider(LightSlider slider) const
{
    switch (slider) {
    case LightSlider::kBrightness: return m_brightness;
    case LightSlider::kSpeed: return m_speed;
    case LightSlider::kRed: return m_channels[0];
    case LightSlider::kGreen: return m_channels[1];
    case LightSlider::kBlue: return m_channels[2];
    }
    return nullptr;
}

MEdit* LightPage::Field(ColourChannel channel) const
{
    switch (channel) {
    case ColourChannel::kRed: return m_fields[0];
    case ColourChannel::kGreen: return m_fields[1];
    case ColourChannel::kBlue: return m_fields[2];
    }
    return nullptr;
}

void LightPage::SetSliderMaximum(LightSlider slider, int maximum)
{
    if (MSlider* s = Slider(slider)) s->SetMaxProgress(maximum);
}

void LightPage::SetSliderValue(LightSlider slider, int value)
{
    if (MSlider* s = Slider(slider)) s->SetProgress(value);
}

int LightPage::SliderValue(LightSlider slider) const
{
    const MSlider* s = Slider(slider);
    return s ? s->GetProgress() : 0;
}

void LightPage::SetChannelText(ColourChannel channel, const CString& text)
{
    if (MEdit* f = Field(channel)) f->SetEditText(text);
}

CString LightPage::ChannelText(ColourChannel channel) const
{
    const MEdit* f = Field(channel);
    return f ? f->GetEditText() : CString();
}

void LightPage::CheckDirection(int direction)
{
    for (int i = 0; i < 4; ++i)
        if (m_directions[i] && kRadioDirection[i] == direction) m_directions[i]->SetCheck(1);
}

void LightPage::SetColourfulChecked(bool checked)
{
    if (m_colourful) m_colourful->SetCheck(checked ? 1 : 0);
}

bool LightPage::IsColourfulChecked() const { return m_colourful && m_colourful->GetCheck(); }

void LightPage::SetCurrentColour(uint32_t colour)
{
    if (m_current) m_current->SetColor(colour);
}

uint32_t LightPage::WheelColour() const { return m_wheel ? m_wheel->GetSelectColor() : 0x0000FFu; }

void LightPage::SetLightModeColor(bool colourful, uint32_t colour)
{
    if (m_picture) m_picture->SetLightModeColor(colourful ? 1 : 0, colour);
}

// --- KeyColourSink ----------------------------------------------------------------

std::vector<int> LightPage::KeyValues() const
{
    std::vector<int> values;
    if (!m_picture) return values;
    std::lock_guard lock(m_picture->KeysLock());
    for (const KEY_INFO* key : m_picture->GetKeyItems()) values.push_back(key->keyValue);
    return values;
}

void LightPage::SetKeyColour(int keyValue, uint32_t colour)
{
    if (m_picture) m_picture->SetKeyColor(keyValue, colour);
}

// A copy-only repaint: the picture renders afresh only when a key's colour
// really changed since its last paint.
void LightPage::Repaint()
{
    m_post([this] {
        if (m_picture) m_picture->UpdateControl(0, 0);
    });
}
