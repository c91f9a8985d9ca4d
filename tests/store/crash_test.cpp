// A process killed in the middle of bulk inserts leaves a database that
// SQLite accepts, with every transaction either whole or absent.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "store_fixture.h"

namespace {

// The child: writes sets of rows as fast as it can, telling the parent
// once the first set is committed. Never returns.
[[noreturn]] void WriteUntilKilled(const QString& dataFolder, int readyFd)
{
    DataStore& s = DataStore::Instance();
    if (!s.OpenForDevice(dataFolder, u"vn87"_qs)) _exit(2);
    std::vector<UserLightColourRecord> colours;
    std::vector<ScreenFrameRecord> frames;
    for (int round = 0;; ++round) {
        const int set = s.InsertUserLight(1, u"set"_qs);
        colours.clear();
        for (int k = 0; k < 109; ++k) colours.push_back({0, 1, set, k + 4, round});
        s.InsertUserLightColours(colours);

        const int led = s.InsertScreenLayer(1, u"layer"_qs);
        frames.clear();
        for (int f = 0; f < 40; ++f) frames.push_back({0, led, u"frame"_qs, 50, f, u"f.png"_qs});
        s.InsertScreenFrames(frames);

        // Replace an older set to have deletes in flight as well.
        if (set > 1) s.ReplaceUserLightColours(set - 1, colours);
        if (round == 0) {
            const char ready = 1;
            if (write(readyFd, &ready, 1) != 1) _exit(3);
        }
    }
}

using CrashTest = StoreTest;

TEST_F(CrashTest, KillDuringBulkInsertsNeverCorrupts)
{
    ASSERT_TRUE(Open());
    Store().Close();  // no connection may cross the fork
    std::mt19937 random(4);
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            WriteUntilKilled(DataFolder(), fds[1]);
        }
        close(fds[1]);
        pollfd ready{fds[0], POLLIN, 0};
        const bool started = poll(&ready, 1, 20000) == 1;
        close(fds[0]);
        if (started) usleep(std::uniform_int_distribution<int>(0, 30000)(random));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(started) << "the writer never committed its first set";
        ASSERT_TRUE(WIFSIGNALED(status));

        RawDatabase db(PathOf(u"vn87"_qs));
        ASSERT_TRUE(db.IsOpen());
        EXPECT_EQ(db.Rows("PRAGMA integrity_check"), QStringList{u"ok"_qs});
        EXPECT_GT(db.Number("SELECT count(*) FROM t_userlightrgb_data"), 0);
        EXPECT_EQ(db.Number("SELECT count(*) FROM (SELECT count(*) AS n FROM t_userlightrgb_data "
                            "GROUP BY userlight_id HAVING n <> 109)"),
                  0);
        EXPECT_EQ(db.Number("SELECT count(*) FROM (SELECT count(*) AS n FROM t_ledframe_data "
                            "GROUP BY led_id HAVING n <> 40)"),
                  0);
    }
    // The store opens the file again and goes on.
    ASSERT_TRUE(Open());
    EXPECT_GT(Store().InsertUserLight(1, u"after"_qs), 0);
}

}  // namespace

