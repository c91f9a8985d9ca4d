#include "features/lighting/light_mode_logic.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "features/lighting/channel_text.h"
#include "features/lighting/light_config_bits.h"
#include "features/lighting/light_mode_defaults.h"
#include "store/data_store.h"

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

constexpr int kLevelMaximum = 5;
constexpr uint32_t kRed = 0x000000FF;
constexpr uint32_t kColourMask = 0x00FFFFFF;
constexpr int kDirectionLeft = 0;
constexpr int kDirectionRight = 1;
constexpr int kDirectionUp = 2;
constexpr int kDirectionDown = 3;

const CString kSideLightKey = u"lightmode"_qs;

constexpr ColourChannel kChannels[] = {ColourChannel::kRed, ColourChannel::kGreen, ColourChannel::kBlue};

LightSlider SliderOf(ColourChannel channel)
{
    switch (channel) {
    case ColourChannel::kRed: return LightSlider::kRed;
    case ColourChannel::kGreen: return LightSlider::kGreen;
    case ColourChannel::kBlue: return LightSlider::kBlue;
    }
    return LightSlider::kRed;
}

int ShiftOf(ColourChannel channel)
{
    return 8 * static_cast<int>(channel);
}

}  // namespace

LightModeLogic::LightModeLogic(DataStore& store, LightPageView& view, LightTaskSink& tasks, LightTextLookup text)
    : m_store(store), m_view(view), m_tasks(tasks), m_text(std::move(text))
{
    if (!m_text) m_text = [](int number) { return CString::number(number); };
}

void LightModeLogic::SetLayout(const LightInfo& light, bool sideLight)
{
    Guard guard(m_lock);
    m_light = light;
    m_sideLightEnabled = sideLight;
}

void LightModeLogic::InitColourFields()
{
    Guard guard(m_lock);
    ShowColourInFields(m_view.WheelColour() & kColourMask);
}

void LightModeLogic::LoadLightPage()
{
    Guard guard(m_lock);
    // The level sliders run 1..5 unless the layout names a maximum (set each
    // time, so a keyboard without one does not inherit the last one's).
    auto maximum = [](int fromLayout) { return fromLayout > 0 ? fromLayout : kLevelMaximum; };
    m_view.SetSliderMaximum(LightSlider::kBrightness, maximum(m_light.brightnessMax));
    m_view.SetSliderMaximum(LightSlider::kSpeed, maximum(m_light.speedMax));

    SeedLightModes(m_store, m_light);

    m_view.ClearEffects();
    std::vector<LightModeRecord> records;
    m_store.ListLightModes(DataStore::kSettingsProfile, records);
    std::stable_sort(records.begin(), records.end(),
                     [](const LightModeRecord& a, const LightModeRecord& b) { return a.light_id < b.light_id; });
    std::optional<int> active;
    for (const LightModeRecord& r : records) {
        bool numbered = false;
        const int number = r.name.toInt(&numbered);
        m_view.AddEffect(numbered ? m_text(number) : r.name, r.mode);
        if (r.status == 1 && !active) active = r.mode;
    }
    // With no active record nothing is selected (the store's "no active
    // mode" would otherwise read as effect 0) and no control is offered.
    if (!active || !m_view.SelectEffect(*active)) {
        m_state.SetActiveEffect(LightPageState::kNoEffect);
        HideEffectControls();
        return;
    }
    ShowLightMode();
}

void LightModeLogic::LoadSideLightList()
{
    Guard guard(m_lock);
    m_view.ShowGroup(LightGroup::kSideLight, m_sideLightEnabled);
    m_view.ClearSideLights();
    for (int i = 0; i < kSideLightCount; ++i)
        m_view.AddSideLight(m_text(kFirstSideLightText + i), kFirstSideLightMode + i);

    // A missing or unreadable value counts as the default choice, 1.
    int stored = kFirstSideLightMode - kSideLightStoreOffset;
    CString text;
    if (m_store.GetConfigValue(DataStore::kSettingsProfile, kSideLightKey, text)) {
        bool ok = false;
        const int n = text.trimmed().toInt(&ok);
        if (ok && n <= INT_MAX - kSideLightStoreOffset) stored = n;
    }
    const int value = stored + kSideLightStoreOffset;
    m_view.SelectSideLight(value);
    m_state.SetSideLight(value);
}

void LightModeLogic::RestoreDefaults()
{
    Guard guard(m_lock);
    LoadLightPage();
    LoadSideLightList();
}

void LightModeLogic::HideEffectControls()
{
    for (LightGroup g : {LightGroup::kBrightness, LightGroup::kSpeed, LightGroup::kDirectionLabel,
                         LightGroup::kDirectionLeftRight, LightGroup::kDirectionUpDown, LightGroup::kCurrentColour,
                         LightGroup::kColourful, LightGroup::kColourGroup})
        m_view.ShowGroup(g, false);
}

bool LightModeLogic::ShowLightMode()
{
    Guard guard(m_lock);
    const std::optional<int> selected = m_view.SelectedEffect();
    m_state.SetActiveEffect(selected ? *selected : LightPageState::kNoEffect);
    LightModeRecord r;
    if (!selected || !m_store.GetLightMode(*selected, r)) return false;

    m_state.SetConfigFunc(r.config_func);
    m_store.SetActiveLightMode(r.mode);
    const int f = r.config_func;

    const bool brightness = f & kLightBrightness;
    m_view.ShowGroup(LightGroup::kBrightness, brightness);
    m_view.SetSliderValue(LightSlider::kBrightness, brightness ? r.brightness : 0);
    const bool speed = f & kLightSpeed;
    m_view.ShowGroup(LightGroup::kSpeed, speed);
    m_view.SetSliderValue(LightSlider::kSpeed, speed ? r.speed : 0);

    const bool leftRight = f & kLightLeftRight;
    const bool upDown = !leftRight && (f & kLightUpDown);
    m_view.ShowGroup(LightGroup::kDirectionLabel, leftRight || upDown);
    m_view.ShowGroup(LightGroup::kDirectionLeftRight, leftRight);
    m_view.ShowGroup(LightGroup::kDirectionUpDown, upDown);
    if (leftRight) m_view.CheckDirection(r.direction == kDirectionRight ? kDirectionRight : kDirectionLeft);
    if (upDown) m_view.CheckDirection(r.direction == kDirectionUp ? kDirectionUp : kDirectionDown);

    const uint32_t colour = uint32_t(r.color_value);
    const bool colourful = f & kLightColourful;
    m_view.ShowGroup(LightGroup::kCurrentColour, colourful);
    m_view.ShowGroup(LightGroup::kColourful, colourful);
    if (colourful) {
        m_view.SetCurrentColour(colour);
        m_view.SetColourfulChecked(r.colorful == 1);
        m_view.SetLightModeColor(r.colorful == 1, colour);
    }

    const bool colourGroup = f & kLightColourGroup;
    m_view.ShowGroup(LightGroup::kColourGroup, colourGroup);
    if (colourGroup) ShowColourInFields(r.colorful == 1 ? kRed : colour);
    return true;
}

void LightModeLogic::SetLightColor(uint32_t colour)
{
    Guard guard(m_lock);
    m_view.SetCurrentColour(colour);
    if (m_state.ConfigFunc() & kLightShowColourOnly) return;
    std::optional<LightModeRecord> r = ActiveRecord();
    if (!r) return;
    r->color_value = int(colour);
    m_view.SetLightModeColor(false, colour);
    StoreAndSend(*r);
}

void LightModeLogic::OnEffectSelected()
{
    Guard guard(m_lock);
    if (ShowLightMode()) m_tasks.QueueTask(kTaskWriteLightMode);
}

void LightModeLogic::OnLightTabEntered()
{
    OnEffectSelected();
}

void LightModeLogic::OnSideLightSelected()
{
    Guard guard(m_lock);
    const std::optional<int> value = m_view.SelectedSideLight();
    if (!value) return;
    m_state.SetSideLight(*value);
    m_tasks.QueueTask(kTaskWriteSideLightMode);
    m_store.SetConfigValue(DataStore::kSettingsProfile, kSideLightKey,
                           CString::number(qint64(*value) - kSideLightStoreOffset));
}

void LightModeLogic::OnBrightnessChanged()
{
    Guard guard(m_lock);
    std::optional<LightModeRecord> r = ActiveRecord();
    if (!r) return;
    r->brightness = m_view.SliderValue(LightSlider::kBrightness);
    StoreAndSend(*r);
}

void LightModeLogic::OnSpeedChanged()
{
    Guard guard(m_lock);
    std::optional<LightModeRecord> r = ActiveRecord();
    if (!r) return;
    r->speed = m_view.SliderValue(LightSlider::kSpeed);
    StoreAndSend(*r);
}

void LightModeLogic::OnDirectionClicked(int direction)
{
    Guard guard(m_lock);
    if (direction < kDirectionLeft || direction > kDirectionDown) return;
    std::optional<LightModeRecord> r = ActiveRecord();
    if (!r) return;
    r->direction = direction;
    StoreAndSend(*r);
}

void LightModeLogic::OnColourfulClicked()
{
    Guard guard(m_lock);
    ColourfulStep(true);
}

void LightModeLogic::OnWheelColourChanged()
{
    Guard guard(m_lock);
    PickColour(m_view.WheelColour() & kColourMask);
}

void LightModeLogic::OnSwatchClicked(uint32_t colour)
{
    Guard guard(m_lock);
    PickColour(colour & kColourMask);
}

void LightModeLogic::OnChannelSliderChanged(ColourChannel channel)
{
    Guard guard(m_lock);
    if (!ActiveRecord()) return;
    m_view.SetChannelText(channel, CString::number(m_view.SliderValue(SliderOf(channel))));
    ComposeFromFields();
    ClearColourful();
}

void LightModeLogic::OnChannelTextChanged(ColourChannel channel)
{
    Guard guard(m_lock);
    if (!ActiveRecord()) return;
    const int parsed = ParseChannelText(m_view.ChannelText(channel));
    const int value = ClampChannel(parsed);
    if (value != parsed) m_view.SetChannelText(channel, CString::number(value));
    m_view.SetSliderValue(SliderOf(channel), value);
    ComposeFromFields();
    ClearColourful();
}

std::optional<LightModeRecord> LightModeLogic::ActiveRecord()
{
    const int active = m_state.ActiveEffect();
    LightModeRecord r;
    if (active == LightPageState::kNoEffect || !m_store.GetLightMode(active, r)) return std::nullopt;
    return r;
}

void LightModeLogic::StoreAndSend(const LightModeRecord& record)
{
    m_store.UpdateLightMode(record.mode, record);
    m_tasks.QueueTask(kTaskWriteLightMode);
}

void LightModeLogic::ShowColourInFields(uint32_t colour)
{
    for (ColourChannel c : kChannels) {
        const int v = int((colour >> ShiftOf(c)) & 0xFF);
        m_view.SetSliderValue(SliderOf(c), v);
        m_view.SetChannelText(c, CString::number(v));
    }
}

void LightModeLogic::ComposeFromFields()
{
    // Each field is limited to 0..255 (a stray 300 stays at full red rather
    // than wrapping round to 44).
    uint32_t colour = 0;
    for (ColourChannel c : kChannels)
        colour |= uint32_t(ClampChannel(ParseChannelText(m_view.ChannelText(c)))) << ShiftOf(c);
    SetLightColor(colour);
}

void LightModeLogic::ColourfulStep(bool fromClick)
{
    std::optional<LightModeRecord> r = ActiveRecord();
    if (!r) return;
    r->colorful = m_view.IsColourfulChecked() ? 1 : 0;
    if (r->colorful == 0) {
        // Unchecking by hand starts again from red; unchecking because a
        // colour was picked keeps that colour, already stored.
        const uint32_t colour = fromClick ? kRed : uint32_t(r->color_value);
        r->color_value = int(colour);
        ShowColourInFields(colour);
        SetLightColor(colour);
    }
    m_view.SetLightModeColor(r->colorful == 1, uint32_t(r->color_value));
    StoreAndSend(*r);
}

void LightModeLogic::ClearColourful()
{
    if (!m_view.IsColourfulChecked()) return;
    m_view.SetColourfulChecked(false);
    ColourfulStep(false);
}

void LightModeLogic::PickColour(uint32_t colour)
{
    if (!ActiveRecord()) return;
    ShowColourInFields(colour);
    SetLightColor(colour);
    ClearColourful();
}
