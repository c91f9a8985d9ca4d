// Replacing a set of rows is one transaction: on success the owner has
// exactly the new rows; if any insert fails, the rows that were there stay.
// The plain bulk inserts keep what succeeded.
#include <functional>

#include "store_fixture.h"

namespace {

// One kind of row set: its table, the column a test trigger watches, and
// operations that write and read rows carrying given marker values.
struct RowSetKind {
    const char* name;
    const char* table;
    const char* column;
    std::function<bool(DataStore&, int owner, const std::vector<int>& values)> replace;
    std::function<std::vector<int>(DataStore&, int owner)> list;
};

std::vector<RowSetKind> Kinds()
{
    return {
        {"macro events", "t_macrorecord", "value",
         [](DataStore& s, int owner, const std::vector<int>& values) {
             std::vector<MacroEventRecord> rows;
             for (size_t i = 0; i < values.size(); ++i)
                 rows.push_back({0, 999, 1, static_cast<int>(i), u"e"_qs, values[i], 5});
             return s.ReplaceMacroEvents(owner, rows);
         },
         [](DataStore& s, int owner) {
             std::vector<MacroEventRecord> rows;
             s.ListMacroEvents(owner, rows);
             std::vector<int> values;
             for (const auto& r : rows) values.push_back(r.value);
             return values;
         }},
        {"user light colours", "t_userlightrgb_data", "key_rgb",
         [](DataStore& s, int owner, const std::vector<int>& values) {
             std::vector<UserLightColourRecord> rows;
             for (size_t i = 0; i < values.size(); ++i)
                 rows.push_back({0, 1, 999, static_cast<int>(i) + 4, values[i]});
             return s.ReplaceUserLightColours(owner, rows);
         },
         [](DataStore& s, int owner) {
             std::vector<UserLightColourRecord> rows;
             s.ListUserLightColours(owner, rows);
             std::vector<int> values;
             for (const auto& r : rows) values.push_back(r.key_rgb);
             return values;
         }},
        {"custom keys", "t_customrgb_data", "rgbvalue",
         [](DataStore& s, int owner, const std::vector<int>& values) {
             std::vector<CustomKeyRecord> rows;
             for (size_t i = 0; i < values.size(); ++i)
                 rows.push_back({0, 999, static_cast<int>(i) + 4, values[i], 1, 0, 0});
             return s.ReplaceCustomKeys(owner, rows);
         },
         [](DataStore& s, int owner) {
             std::vector<CustomKeyRecord> rows;
             s.ListCustomKeys(owner, rows);
             std::vector<int> values;
             for (const auto& r : rows) values.push_back(r.rgbvalue);
             return values;
         }},
        {"screen frames", "t_ledframe_data", "delay_time",
         [](DataStore& s, int owner, const std::vector<int>& values) {
             std::vector<ScreenFrameRecord> rows;
             for (size_t i = 0; i < values.size(); ++i)
                 rows.push_back({0, 999, u"f"_qs, values[i], static_cast<int>(i), u"f.png"_qs});
             return s.ReplaceScreenFrames(owner, rows);
         },
         [](DataStore& s, int owner) {
             std::vector<ScreenFrameRecord> rows;
             s.ListScreenFrames(owner, rows);
             std::vector<int> values;
             for (const auto& r : rows) values.push_back(r.delay_time);
             return values;
         }},
    };
}

constexpr int kRefused = 666;  // the trigger aborts any insert carrying this value

using ReplaceTest = StoreTest;

TEST_F(ReplaceTest, ReplacementIsAllOrNothing)
{
    ASSERT_TRUE(Open());
    RawDatabase db(PathOf(u"vn87"_qs));
    for (const RowSetKind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        DataStore& s = Store();
        ASSERT_TRUE(kind.replace(s, 1, {10, 11, 12}));
        ASSERT_TRUE(kind.replace(s, 2, {20}));
        // The owner given to the operation wins over the rows' own field.
        EXPECT_EQ(kind.list(s, 999), std::vector<int>{});

        EXPECT_TRUE(kind.replace(s, 1, {13, 14}));
        EXPECT_EQ(kind.list(s, 1), (std::vector<int>{13, 14}));
        EXPECT_EQ(kind.list(s, 2), std::vector<int>{20});

        const QByteArray trigger = QByteArray("CREATE TRIGGER refuse BEFORE INSERT ON ") + kind.table +
                                   " WHEN NEW." + kind.column + " = 666 BEGIN SELECT RAISE(ABORT, 'refused'); END";
        ASSERT_EQ(db.Exec(trigger.constData()), 0);
        EXPECT_FALSE(kind.replace(s, 1, {15, kRefused, 16}));
        EXPECT_EQ(kind.list(s, 1), (std::vector<int>{13, 14}));
        EXPECT_EQ(kind.list(s, 2), std::vector<int>{20});
        ASSERT_EQ(db.Exec("DROP TRIGGER refuse"), 0);

        // Replacing with nothing empties the set.
        EXPECT_TRUE(kind.replace(s, 1, {}));
        EXPECT_EQ(kind.list(s, 1), std::vector<int>{});
        // The connection is not left inside a transaction.
        EXPECT_FALSE(s.Connection().InTransaction());
    }
}

TEST_F(ReplaceTest, BulkInsertKeepsWhatSucceeded)
{
    ASSERT_TRUE(Open());
    RawDatabase db(PathOf(u"vn87"_qs));
    ASSERT_EQ(db.Exec("CREATE TRIGGER refuse BEFORE INSERT ON t_userlightrgb_data WHEN NEW.key_rgb = 666 "
                      "BEGIN SELECT RAISE(ABORT, 'refused'); END"),
              0);
    EXPECT_EQ(Store().InsertUserLightColours({{0, 1, 1, 4, 1}, {0, 1, 1, 5, kRefused}, {0, 1, 1, 6, 3}}), 2);
    std::vector<UserLightColourRecord> rows;
    ASSERT_EQ(Store().ListUserLightColours(1, rows), 2);
    EXPECT_EQ(rows[0].key_rgb, 1);
    EXPECT_EQ(rows[1].key_rgb, 3);
    EXPECT_FALSE(Store().Connection().InTransaction());
}

}  // namespace
