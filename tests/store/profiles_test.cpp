// Configuration values, profiles, identifiers and text round trips.
#include <functional>

#include "store_fixture.h"

namespace {

class ProfileTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(Open());
    }
    int AddProfile(const QString& name, const QString& app = {})
    {
        ProfileRecord r;
        r.name = name;
        r.app = app;
        r.status = 7;  // ignored: new profiles are never chosen
        r.type = 9;    // ignored
        return Store().InsertProfile(r);
    }
};

TEST_F(ProfileTest, SetConfigValueOnlyUpdatesExistingKeys)
{
    Store().InsertDefaultConfig();
    RawDatabase db(PathOf(u"vn87"_qs));
    const QStringList before = db.Rows("SELECT * FROM t_config_data ORDER BY config_id");

    EXPECT_TRUE(Store().SetConfigValue(1, u"no_such_key"_qs, u"5"_qs));
    EXPECT_EQ(db.Rows("SELECT * FROM t_config_data ORDER BY config_id"), before);
    CString value = u"stale"_qs;
    EXPECT_FALSE(Store().GetConfigValue(1, u"no_such_key"_qs, value));
    EXPECT_TRUE(value.isEmpty());

    // Another profile number does not see the settings profile's rows.
    EXPECT_TRUE(Store().SetConfigValue(2, u"sleep_time"_qs, u"9"_qs));
    EXPECT_TRUE(Store().SetConfigValue(1, u"sleep_time"_qs, u"4"_qs));
    EXPECT_TRUE(Store().GetConfigValue(1, u"sleep_time"_qs, value));
    EXPECT_EQ(value, u"4"_qs);
    EXPECT_FALSE(Store().GetConfigValue(2, u"sleep_time"_qs, value));
    EXPECT_EQ(db.Number("SELECT count(*) FROM t_config_data"), 23);
}

TEST_F(ProfileTest, ChineseNameRoundTripsAsUtf8)
{
    const QString name = u"我的专属配置 1"_qs;
    const int id = AddProfile(name, u"游戏.exe"_qs);
    ASSERT_EQ(id, 1);
    CString read;
    ASSERT_TRUE(Store().GetProfileName(id, read));
    EXPECT_EQ(read, name);
    std::vector<ProfileRecord> list;
    ASSERT_EQ(Store().ListProfiles(list), 1);
    EXPECT_EQ(list[0].name, name);
    EXPECT_EQ(list[0].app, u"游戏.exe"_qs);

    // The file holds the UTF-8 bytes, without a terminator.
    RawDatabase db(PathOf(u"vn87"_qs));
    EXPECT_EQ(db.Rows("SELECT hex(name), typeof(name) FROM t_profile_data"),
              QStringList{QString::fromLatin1(name.toUtf8().toHex().toUpper()) + u"|text"_qs});

    const QString renamed = u"配置 – ✓ 😀"_qs;
    EXPECT_TRUE(Store().RenameProfile(id, renamed));
    ASSERT_TRUE(Store().GetProfileName(id, read));
    EXPECT_EQ(read, renamed);
}

TEST_F(ProfileTest, NullTextReadsAsEmpty)
{
    RawDatabase db(PathOf(u"vn87"_qs));
    ASSERT_EQ(db.Exec("INSERT INTO t_profile_data(name, status, app, type) VALUES (NULL, 0, NULL, 0)"), 0);
    CString name = u"stale"_qs;
    EXPECT_TRUE(Store().GetProfileName(1, name));
    EXPECT_TRUE(name.isEmpty());
    EXPECT_FALSE(Store().GetProfileName(2, name));
    std::vector<ProfileRecord> list;
    ASSERT_EQ(Store().ListProfiles(list), 1);
    EXPECT_TRUE(list[0].name.isEmpty());
    EXPECT_TRUE(list[0].app.isEmpty());
}

TEST_F(ProfileTest, ListAndChosenProfile)
{
    EXPECT_EQ(Store().GetChosenProfile(), 0);
    EXPECT_EQ(AddProfile(u"One"_qs), 1);
    EXPECT_EQ(AddProfile(u"Two"_qs, u"app"_qs), 2);
    EXPECT_EQ(AddProfile(u"Three"_qs), 3);
    EXPECT_TRUE(Store().MarkFirstProfileChosen());
    EXPECT_EQ(Store().GetChosenProfile(), 1);

    std::vector<ProfileRecord> list(5);  // stale content is dropped
    ASSERT_EQ(Store().ListProfiles(list), 3);
    const struct { int profile; const char16_t* name; int status; const char16_t* app; } want[] = {
        {1, u"One", 1, u""}, {2, u"Two", 0, u"app"}, {3, u"Three", 0, u""}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list[i].profile, want[i].profile);
        EXPECT_EQ(list[i].name, QString::fromUtf16(want[i].name));
        EXPECT_EQ(list[i].status, want[i].status);
        EXPECT_EQ(list[i].app, QString::fromUtf16(want[i].app));
        EXPECT_EQ(list[i].type, 0);
    }

    // The main window switches profiles with its own statements; marking
    // the first profile chosen again clears every other status.
    RawDatabase db(PathOf(u"vn87"_qs));
    ASSERT_EQ(db.Exec("UPDATE t_profile_data SET status = 1 WHERE profile = 3"), 0);
    EXPECT_TRUE(Store().MarkFirstProfileChosen());
    EXPECT_EQ(db.Rows("SELECT status FROM t_profile_data ORDER BY profile"),
              (QStringList{u"1"_qs, u"0"_qs, u"0"_qs}));
}

TEST_F(ProfileTest, DeletingAProfileKeepsItsBindingsUntilAskedToDropThem)
{
    AddProfile(u"One"_qs);
    AddProfile(u"Two"_qs);
    for (int profile : {1, 2}) {
        KeyBindingRecord b;
        b.profile = profile;
        b.key_code = 30;
        b.macro_value = 5;
        ASSERT_GT(Store().SaveKeyBinding(b), 0);
    }
    EXPECT_TRUE(Store().DeleteProfile(2));
    std::vector<KeyBindingRecord> bindings;
    EXPECT_EQ(Store().ListProfileBindings(2, bindings), 1);
    Store().DeleteProfileBindings(2);
    EXPECT_EQ(Store().ListProfileBindings(2, bindings), 0);
    EXPECT_EQ(Store().ListProfileBindings(1, bindings), 1);
}

// Deleting the newest row and inserting again must not hand out its
// identifier a second time, or rows left under it would attach to the new
// object.
TEST_F(ProfileTest, IdentifiersAreNeverReused)
{
    DataStore& s = Store();
    const struct {
        const char* what;
        std::function<int()> insert;
        std::function<bool(int)> remove;
    } cases[] = {
        {"profile", [&] { return AddProfile(u"p"_qs); }, [&](int id) { return s.DeleteProfile(id); }},
        {"macro", [&] { return s.InsertMacro(u"m"_qs); }, [&](int id) { return s.DeleteMacro(id); }},
        {"custom light", [&] { return s.InsertCustomLight(1, u"c"_qs); },
         [&](int id) { return s.DeleteCustomLight(id); }},
        {"user light", [&] { return s.InsertUserLight(1, u"u"_qs); }, [&](int id) { return s.DeleteUserLight(id); }},
        {"music layer", [&] { return s.InsertMusicLayer(u"m"_qs, 1); },
         [&](int id) { return s.DeleteMusicLayer(id); }},
        {"screen layer", [&] { return s.InsertScreenLayer(1, u"l"_qs); },
         [&](int id) { return s.DeleteScreenLayer(id); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.insert(), 1);
        EXPECT_EQ(c.insert(), 2);
        EXPECT_TRUE(c.remove(2));
        EXPECT_EQ(c.insert(), 3);
        EXPECT_TRUE(c.remove(1));
        EXPECT_TRUE(c.remove(3));
        EXPECT_EQ(c.insert(), 4);
    }
}

}  // namespace
