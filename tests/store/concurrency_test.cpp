// The UI thread and the worker use the store at once while the UI thread
// switches keyboards. Runs clean under ThreadSanitizer.
#include <atomic>
#include <thread>

#include "store_fixture.h"

namespace {

constexpr int kKeys = 109;
constexpr int kEvents = 5;

std::vector<UserLightColourRecord> Colours(int set, int seed)
{
    std::vector<UserLightColourRecord> colours;
    for (int k = 0; k < kKeys; ++k) colours.push_back({0, 1, set, k + 4, seed * 1000 + k});
    return colours;
}

std::vector<MacroEventRecord> Events()
{
    std::vector<MacroEventRecord> events;
    for (int i = 0; i < kEvents; ++i) events.push_back({0, 0, 1, i, u"键"_qs, 4 + i, 10});
    return events;
}

// The worker's share: macros with their events, inserted, listed, deleted.
// Returns how many operations reported failure.
int WorkerLoop(DataStore& s, int rounds, const std::atomic<bool>& stop)
{
    int failures = 0;
    const std::vector<MacroEventRecord> events = Events();
    std::vector<MacroRecord> macros;
    std::vector<MacroEventRecord> read;
    for (int i = 0; i < rounds && !stop; ++i) {
        const int macro = s.InsertMacro(u"worker"_qs);
        if (macro == 0) ++failures;
        if (!s.ReplaceMacroEvents(macro, events)) ++failures;
        s.ListMacros(macros);
        s.ListMacroEvents(macro, read);
        if (i % 3 == 0 && !s.DeleteMacro(macro)) ++failures;
    }
    return failures;
}

using ConcurrencyTest = StoreTest;

// Every replacement is atomic, whatever thread or file it landed in: a set
// holds all its rows or none.
void ExpectWholeSets(const QString& path)
{
    RawDatabase db(path);
    ASSERT_TRUE(db.IsOpen());
    EXPECT_EQ(db.Rows("PRAGMA integrity_check"), QStringList{u"ok"_qs});
    EXPECT_EQ(db.Number("SELECT count(*) FROM (SELECT count(*) AS n FROM t_macrorecord GROUP BY macro_id "
                        "HAVING n <> 5)"),
              0);
    EXPECT_EQ(db.Number("SELECT count(*) FROM (SELECT count(*) AS n FROM t_userlightrgb_data "
                        "GROUP BY userlight_id HAVING n <> 109)"),
              0);
}

TEST_F(ConcurrencyTest, WorkerAndUiThreadWithDeviceSwitches)
{
    ASSERT_TRUE(Open(u"vn87"_qs));
    DataStore& s = Store();
    const QString models[] = {u"vn87"_qs, u"vn75"_qs};

    // Switching straight from one model to the other never leaves the store
    // closed, so every operation of the worker must succeed.
    {
        std::atomic<bool> stop{false};
        int workerFailures = -1;
        std::thread worker([&] { workerFailures = WorkerLoop(s, 150, stop); });
        int uiFailures = 0;
        std::vector<UserLightColourRecord> read;
        for (int i = 0; i < 40; ++i) {
            if (!s.OpenForDevice(DataFolder(), models[i % 2])) ++uiFailures;
            const int set = s.InsertUserLight(1, u"set"_qs);
            if (set == 0) ++uiFailures;
            if (!s.ReplaceUserLightColours(set, Colours(set, i))) ++uiFailures;
            s.ListUserLightColours(set, read);
            if (i % 4 == 0 && !s.DeleteUserLight(set)) ++uiFailures;
        }
        worker.join();
        EXPECT_EQ(uiFailures, 0);
        EXPECT_EQ(workerFailures, 0);
    }

    // The program's own order closes first: operations in between fail
    // quietly, and nothing is damaged.
    {
        std::atomic<bool> stop{false};
        std::thread worker([&] { WorkerLoop(s, 1000000, stop); });
        std::vector<ProfileRecord> profiles;
        for (int i = 0; i < 40; ++i) {
            s.Close();
            s.ListProfiles(profiles);
            s.OpenForDevice(DataFolder(), models[i % 2]);
            const int set = s.InsertUserLight(1, u"set"_qs);
            s.ReplaceUserLightColours(set, Colours(set, i));
        }
        stop = true;
        worker.join();
    }
    s.Close();
    for (const QString& model : models) {
        SCOPED_TRACE(model.toStdString());
        ExpectWholeSets(PathOf(model));
    }
}

}  // namespace
