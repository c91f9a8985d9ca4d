// Store writes the pages make in one go: replacing the colours of a full
// 109-key colour set and inserting a 40-frame screen layer. The database
// lies in a temporary folder under the current directory, so run it from a
// folder on the disk the program would use.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "store/data_store.h"

namespace {

class StoreFiles {
public:
    StoreFiles() : m_dir(QDir::currentPath() + u"/store_bench-XXXXXX"_qs)
    {
        m_ok = m_dir.isValid() && DataStore::Instance().OpenForDevice(m_dir.path(), u"bench"_qs);
    }
    ~StoreFiles() { DataStore::Instance().Close(); }
    bool ok() const { return m_ok; }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

std::vector<UserLightColourRecord> Colours(int set, int seed)
{
    std::vector<UserLightColourRecord> colours;
    for (int k = 0; k < 109; ++k) colours.push_back({0, 1, set, k + 4, (seed + k) & 0xFFFFFF});
    return colours;
}

// One transaction: delete the set's colours and insert 109 new ones.
void BM_ReplaceUserLightColours(benchmark::State& state)
{
    StoreFiles files;
    if (!files.ok()) return state.SkipWithError("cannot open the store");
    DataStore& store = DataStore::Instance();
    const int set = store.InsertUserLight(1, u"bench"_qs);
    int seed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::vector<UserLightColourRecord> colours = Colours(set, ++seed);
        state.ResumeTiming();
        if (!store.ReplaceUserLightColours(set, colours)) return state.SkipWithError("replace failed");
    }
}
BENCHMARK(BM_ReplaceUserLightColours)->Unit(benchmark::kMicrosecond);

// The same replacement as two operations, delete then bulk insert.
void BM_DeleteThenInsertUserLightColours(benchmark::State& state)
{
    StoreFiles files;
    if (!files.ok()) return state.SkipWithError("cannot open the store");
    DataStore& store = DataStore::Instance();
    const int set = store.InsertUserLight(1, u"bench"_qs);
    int seed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::vector<UserLightColourRecord> colours = Colours(set, ++seed);
        state.ResumeTiming();
        store.DeleteUserLightColours(set);
        if (store.InsertUserLightColours(colours) != 109) return state.SkipWithError("insert failed");
    }
}
BENCHMARK(BM_DeleteThenInsertUserLightColours)->Unit(benchmark::kMicrosecond);

// A new layer row, then its 40 frames in one transaction.
void BM_InsertScreenLayer40Frames(benchmark::State& state)
{
    StoreFiles files;
    if (!files.ok()) return state.SkipWithError("cannot open the store");
    DataStore& store = DataStore::Instance();
    std::vector<ScreenFrameRecord> frames(40);
    for (int f = 0; f < 40; ++f) {
        frames[f].name = QString(u"frame%1"_qs).arg(f);
        frames[f].delay_time = 100;
        frames[f].frame_index = f;
        frames[f].file_name = QString(u"%1.png"_qs).arg(f);
    }
    for (auto _ : state) {
        const int led = store.InsertScreenLayer(1, u"animation"_qs);
        for (ScreenFrameRecord& f : frames) f.led_id = led;
        if (led == 0 || store.InsertScreenFrames(frames) != 40) return state.SkipWithError("insert failed");
    }
}
BENCHMARK(BM_InsertScreenLayer40Frames)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
