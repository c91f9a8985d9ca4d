#pragma once
// The light-mode page (page container 52): the effect list, the keyboard
// picture, the effect's settings and the colour group, glued to the light
// logic. The page is the logic's view and task sink, and the picture the
// worker's colour mirror draws into.
#include <functional>
#include <memory>
#include <optional>

#include "app/window/main_page.h"
#include "features/lighting/key_colour_sink.h"
#include "features/lighting/light_mode_logic.h"
#include "features/lighting/light_page_view.h"
#include "features/lighting/light_task_sink.h"

namespace OXA {
class CArea;
class CCheckButton;
class CColorButton;
class CRadioButton;
class CirclePalette;
class KeyboardCtrl;
class MComboBox;
class MControl;
class MEdit;
class MListBox;
class MSlider;
class MText;
}  // namespace OXA

class LightPage final : public MainPage, public LightPageView, public LightTaskSink, public KeyColourSink {
public:
    using Post = std::function<void(std::function<void()>)>;

    // queueTask: the worker's queue; postToUi: hands work to the UI thread.
    LightPage(std::function<void(int)> queueTask, Post postToUi);
    ~LightPage() override;

    // --- MainPage (UI thread) ----------------------------------------------------
    int PageId() const override;
    void Create(OXA::MDialog& window, OXA::MTabLayout& container) override;
    void Layout(OXA::CRect container) override;
    bool OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    void OnShown() override;
    void OnLayoutLoaded(const LayoutFile& layout) override;
    void ApplyLanguage() override;

    // --- worker ------------------------------------------------------------------------
    // Task 5: the page reloads from the store (on the UI thread).
    void Reload();
    LightModeLogic& Logic() { return *m_logic; }
    OXA::KeyboardCtrl* Picture() const { return m_picture; }

    // --- LightPageView -----------------------------------------------------------------
    void ClearEffects() override;
    void AddEffect(const CString& text, int mode) override;
    bool SelectEffect(int mode) override;
    std::optional<int> SelectedEffect() const override;
    void ClearSideLights() override;
    void AddSideLight(const CString& text, int value) override;
    bool SelectSideLight(int value) override;
    std::optional<int> SelectedSideLight() const override;
    void ShowGroup(LightGroup group, bool shown) override;
    void SetSliderMaximum(LightSlider slider, int maximum) override;
    void SetSliderValue(LightSlider slider, int value) override;
    int SliderValue(LightSlider slider) const override;
    void SetChannelText(ColourChannel channel, const CString& text) override;
    CString ChannelText(ColourChannel channel) const override;
    void CheckDirection(int direction) override;
    void SetColourfulChecked(bool checked) override;
    bool IsColourfulChecked() const override;
    void SetCurrentColour(uint32_t colour) override;
    uint32_t WheelColour() const override;
    void SetLightModeColor(bool colourful, uint32_t colour) override;

    // --- LightTaskSink ----------------------------------------------------------------
    void QueueTask(int task) override { m_queueTask(task); }

    // --- KeyColourSink (worker) ---------------------------------------------------------
    std::vector<int> KeyValues() const override;
    void SetKeyColour(int keyValue, uint32_t colour) override;
    void Repaint() override;

private:
    void Handle(unsigned id, unsigned code);
    OXA::MSlider* Slider(LightSlider slider) const;
    OXA::MEdit* Field(ColourChannel channel) const;
    void FillPicture(const LayoutFile& layout);
    void SetTexts();

    std::function<void(int)> m_queueTask;
    Post m_post;
    std::unique_ptr<LightModeLogic> m_logic;
    bool m_layoutSeen = false;

    OXA::MTabLayout* m_page = nullptr;
    OXA::MListBox* m_effects = nullptr;
    OXA::MText* m_sideLabel = nullptr;
    OXA::MComboBox* m_sideLights = nullptr;
    OXA::KeyboardCtrl* m_picture = nullptr;
    OXA::MText* m_brightnessLabel = nullptr;
    OXA::MSlider* m_brightness = nullptr;
    OXA::MText* m_speedLabel = nullptr;
    OXA::MSlider* m_speed = nullptr;
    OXA::MText* m_directionLabel = nullptr;
    OXA::CRadioButton* m_directions[4] = {};  // right, left, up, down (ids 91..94)
    OXA::CColorButton* m_current = nullptr;
    OXA::CCheckButton* m_colourful = nullptr;
    OXA::MText* m_colourLabel = nullptr;
    OXA::CirclePalette* m_wheel = nullptr;
    OXA::MText* m_channelLabels[3] = {};
    OXA::MSlider* m_channels[3] = {};
    OXA::MEdit* m_fields[3] = {};
    OXA::CColorButton* m_swatches[9] = {};
};
