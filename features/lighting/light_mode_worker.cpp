#include "features/lighting/light_mode_worker.h"

#include "store/data_store.h"

std::optional<LightModeValues> ActiveLightModeValues(DataStore& store, const LightPageState& state)
{
    const int active = state.ActiveEffect();
    LightModeRecord r;
    if (active == LightPageState::kNoEffect || !store.GetLightMode(active, r)) return std::nullopt;
    LightModeValues v;
    v.mode = r.mode;
    v.colour = uint32_t(r.color_value);
    v.colorful = r.colorful;
    v.brightness = r.brightness;
    v.speed = r.speed;
    v.direction = r.direction;
    return v;
}

CommandOutcome SendLightMode(const CommandContext& c, DataStore& store, const LightPageState& state)
{
    return WriteLightMode(c, ActiveLightModeValues(store, state));
}

CommandOutcome SendSideLightMode(const CommandContext& c, const LightPageState& state)
{
    return WriteSideLightMode(c, state.SideLight());
}

bool MirrorKeyColors(const CommandContext& c, KeyColourSink& picture)
{
    if (c.connectMode != 0) return false;
    const std::optional<std::map<int, uint32_t>> colours = ReadKeyColours(c);
    if (!colours) return false;
    for (int key : picture.KeyValues()) {
        const auto it = colours->find(key);
        if (it != colours->end()) picture.SetKeyColour(key, it->second);
    }
    picture.Repaint();
    return true;
}
