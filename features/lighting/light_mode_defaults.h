#pragma once
// The built-in effects every keyboard starts with, and their seeding into an
// empty store.
#include <vector>

#include "device/layout_file.h"
#include "store/store_records.h"

class DataStore;

// Language texts naming the effects and side-light choices.
constexpr int kSideLightLabelText = 660;
constexpr int kFirstSideLightText = 661;  // names side-light effect 32
constexpr int kFirstSideLightMode = 32;
constexpr int kSideLightCount = 10;
// The stored "lightmode" value is the side-light mode minus this.
constexpr int kSideLightStoreOffset = 31;

// The 20 default records in their order: brightness and speed from the
// layout, direction 0, colourful, colour red, nothing active.
std::vector<LightModeRecord> DefaultLightModes(const LightInfo& light);

// When the settings profile has no light mode record: inserts the defaults
// and makes the layout's default mode the active one, all in one
// transaction (nothing is kept when an insert fails). True when seeded.
bool SeedLightModes(DataStore& store, const LightInfo& light);
