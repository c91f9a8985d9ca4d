#include "features/lighting/light_mode_defaults.h"

#include "store/data_store.h"
#include "store/sqlite_auto_transaction.h"

namespace {

struct DefaultEffect {
    int text;
    int mode;
    int configFunc;
};

constexpr DefaultEffect kDefaultEffects[] = {
    {521, 1, 0x31},  {522, 2, 0x33},  {523, 3, 0x33},  {524, 4, 0x33},  {525, 5, 0x33},
    {526, 6, 0x03},  {527, 7, 0x33},  {528, 8, 0x03},  {529, 9, 0x33},  {530, 10, 0x3B},
    {531, 11, 0x37}, {532, 12, 0x37}, {533, 13, 0x33}, {534, 14, 0x33}, {535, 15, 0x33},
    {536, 16, 0x37}, {537, 17, 0x33}, {538, 18, 0x37}, {539, 19, 0x33}, {540, 0, 0x00},
};

constexpr int kDefaultColour = 0x000000FF;

}  // namespace

std::vector<LightModeRecord> DefaultLightModes(const LightInfo& light)
{
    std::vector<LightModeRecord> records;
    for (const DefaultEffect& e : kDefaultEffects) {
        LightModeRecord r;
        r.profile = DataStore::kSettingsProfile;
        r.name = CString::number(e.text);
        r.mode = e.mode;
        r.brightness = light.defaultBrightness;
        r.speed = light.defaultSpeed;
        r.direction = 0;
        r.colorful = 1;
        r.colorindex = 0;
        r.color_value = kDefaultColour;
        r.config_func = e.configFunc;
        r.reserved = 0;
        r.status = 0;
        records.push_back(r);
    }
    return records;
}

bool SeedLightModes(DataStore& store, const LightInfo& light)
{
    // The transaction holds the store lock, so the count and the inserts
    // cannot interleave with another thread seeding at the same time.
    SQLiteAutoTransaction transaction(&store);
    if (!transaction.IsActive() || store.CountLightModes() != 0) return false;
    for (const LightModeRecord& r : DefaultLightModes(light)) {
        if (store.InsertLightMode(r) == 0) {
            transaction.Rollback();
            return false;
        }
    }
    store.SetActiveLightMode(light.defaultMode);
    return transaction.Commit();
}
