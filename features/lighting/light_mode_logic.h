#pragma once
// The light page's behaviour without its controls: the effect list, the
// controls each effect offers, colour editing, the side-light choice, and
// storing every change at once before queuing the task that sends it.
//
// Every operation may be called from the UI thread (control notifications)
// or from the worker (page reload); one lock serialises them. The worker's
// own reads go through State() and the store, which have their own guards.
#include <functional>
#include <mutex>
#include <optional>

#include "device/layout_file.h"
#include "features/lighting/light_page_state.h"
#include "features/lighting/light_page_view.h"
#include "features/lighting/light_task_sink.h"
#include "store/store_records.h"

class DataStore;

// A language text by its number.
using LightTextLookup = std::function<CString(int number)>;

class LightModeLogic {
public:
    LightModeLogic(DataStore& store, LightPageView& view, LightTaskSink& tasks, LightTextLookup text);

    // The layout's light values and whether it offers the side light. Takes
    // effect at the next load.
    void SetLayout(const LightInfo& light, bool sideLight);

    // End of building the page: the R/G/B sliders and fields take the colour
    // wheel's colour.
    void InitColourFields();

    // Seeds the defaults into an empty store, refills the effect list in row
    // order, selects the active effect and shows it.
    void LoadLightPage();
    // Fills the side-light list, selects the stored choice and remembers it
    // (also when no item matches).
    void LoadSideLightList();
    // After the store's defaults were restored: both loads again. The
    // restore task itself sends both effects.
    void RestoreDefaults();

    // Shows the controls of the selected effect and makes it the active one.
    // False when the effect has no record.
    bool ShowLightMode();
    // Shows the colour on the current-colour button and, unless the effect
    // only shows colour changes, stores it and queues the send.
    void SetLightColor(uint32_t colour);

    // --- control notifications ------------------------------------------
    void OnEffectSelected();
    void OnLightTabEntered();
    void OnSideLightSelected();
    void OnBrightnessChanged();
    void OnSpeedChanged();
    void OnDirectionClicked(int direction);  // 0 left, 1 right, 2 up, 3 down
    void OnColourfulClicked();
    void OnWheelColourChanged();
    void OnSwatchClicked(uint32_t colour);
    void OnChannelSliderChanged(ColourChannel channel);
    void OnChannelTextChanged(ColourChannel channel);

    const LightPageState& State() const { return m_state; }

private:
    std::optional<LightModeRecord> ActiveRecord();
    void StoreAndSend(const LightModeRecord& record);
    void ShowColourInFields(uint32_t colour);
    void ComposeFromFields();
    void ColourfulStep(bool fromClick);
    void ClearColourful();
    void PickColour(uint32_t colour);
    void HideEffectControls();

    DataStore& m_store;
    LightPageView& m_view;
    LightTaskSink& m_tasks;
    LightTextLookup m_text;
    LightInfo m_light;
    bool m_sideLightEnabled = false;
    LightPageState m_state;
    std::recursive_mutex m_lock;
};
