// A file that is not a database, a truncated database, a folder or no open
// store at all: every operation fails quietly and the file is never written.
// A database missing a table opens as it is.
#include <QDir>
#include <QFileInfo>

#include "store_fixture.h"

namespace {

// Runs every table operation once and names those that reported success.
QStringList OperationsThatSucceed(DataStore& s)
{
    QStringList ok;
    auto note = [&ok](const char* name, bool success) {
        if (success) ok << QLatin1String(name);
    };
    CString text = u"kept"_qs;
    int number = 77;
    ProfileRecord profile;
    profile.name = u"p"_qs;
    KeyBindingRecord binding;
    binding.profile = binding.key_code = binding.macro_value = 1;
    MacroRecord macro;
    LightModeRecord light;
    MusicLayerRecord music;
    ScreenLayerRecord layer;
    std::vector<ProfileRecord> profiles;
    std::vector<KeyBindingRecord> bindings;
    std::vector<MacroRecord> macros;
    std::vector<MacroEventRecord> events(2);
    std::vector<LightModeRecord> lights;
    std::vector<UserLightRecord> userLights;
    std::vector<UserLightColourRecord> colours(2);
    std::vector<CustomLightRecord> customs;
    std::vector<CustomKeyRecord> keys(2);
    std::vector<MusicLayerRecord> musics;
    std::vector<ScreenLayerRecord> layers;
    std::vector<ScreenFrameRecord> frames(2);
    for (auto& k : keys) k.light_mode = 1;

    note("SetConfigValue", s.SetConfigValue(1, u"fn_switch"_qs, u"1"_qs));
    note("GetConfigValue", s.GetConfigValue(1, u"fn_switch"_qs, text) || !text.isEmpty());
    note("InsertProfile", s.InsertProfile(profile) != 0);
    note("DeleteProfile", s.DeleteProfile(1));
    note("RenameProfile", s.RenameProfile(1, u"x"_qs));
    note("GetProfileName", s.GetProfileName(1, text));
    note("ListProfiles", s.ListProfiles(profiles) != 0 || !profiles.empty());
    note("MarkFirstProfileChosen", s.MarkFirstProfileChosen());
    note("GetChosenProfile", s.GetChosenProfile() != 0);
    s.DeleteProfileBindings(1);
    note("SaveKeyBinding", s.SaveKeyBinding(binding) != 0);
    note("GetKeyBinding", s.GetKeyBinding(1, 0, 1, binding));
    note("ListLayerBindings", s.ListLayerBindings(1, 0, bindings) != 0);
    note("ListProfileBindings", s.ListProfileBindings(1, bindings) != 0);
    note("InsertKeyAction", s.InsertKeyAction(u"a"_qs, u"b"_qs, 1) != 0);
    note("GetKeyAction", s.GetKeyAction(1, text, text, number));
    note("InsertMacro", s.InsertMacro(u"m"_qs) != 0);
    note("InsertMacroWithSettings", s.InsertMacroWithSettings(macro) != 0);
    note("RenameMacro", s.RenameMacro(1, u"m"_qs));
    note("UpdateMacroPlayback", s.UpdateMacroPlayback(macro));
    note("DeleteMacro", s.DeleteMacro(1));
    note("GetMacro", s.GetMacro(1, macro));
    note("ListMacros", s.ListMacros(macros) != 0);
    note("InsertMacroEvent", s.InsertMacroEvent(1, 1, 1, u"e"_qs, 1, 1) != 0);
    s.InsertMacroEvents(events);
    note("ReplaceMacroEvents", s.ReplaceMacroEvents(1, events));
    note("ListMacroEvents", s.ListMacroEvents(1, events) != 0);
    note("DeleteMacroEvents", s.DeleteMacroEvents(1));
    note("CountAllMacroEvents", s.CountAllMacroEvents() != 0);
    note("CountMacroEvents", s.CountMacroEvents(1) != 0);
    note("CountLightModes", s.CountLightModes() != 0);
    note("InsertLightMode", s.InsertLightMode(light) != 0);
    note("UpdateLightMode", s.UpdateLightMode(1, light));
    note("SetActiveLightMode", s.SetActiveLightMode(1));
    note("GetActiveLightMode", s.GetActiveLightMode(1) != 0);
    note("GetLightMode", s.GetLightMode(1, light));
    note("ListLightModes", s.ListLightModes(1, lights) != 0);
    note("CountUserLights", s.CountUserLights() != 0);
    note("InsertUserLight", s.InsertUserLight(1, u"u"_qs) != 0);
    note("DeleteUserLight", s.DeleteUserLight(1));
    note("RenameUserLight", s.RenameUserLight(1, u"u"_qs));
    note("ListUserLights", s.ListUserLights(userLights) != 0);
    note("InsertUserLightColours", s.InsertUserLightColours(colours) != 0);
    note("ReplaceUserLightColours", s.ReplaceUserLightColours(1, colours));
    note("DeleteUserLightColours", s.DeleteUserLightColours(1));
    note("ListUserLightColours", s.ListUserLightColours(1, colours) != 0);
    note("InsertCustomLight", s.InsertCustomLight(1, u"c"_qs) != 0);
    note("SetCustomLightSpeed", s.SetCustomLightSpeed(1, 3));
    note("GetCustomLightSpeed", s.GetCustomLightSpeed(1, number));
    note("DeleteCustomLight", s.DeleteCustomLight(1));
    note("ListCustomLights", s.ListCustomLights(1, customs) != 0);
    note("SaveCustomKey", s.SaveCustomKey(keys[0]) != 0);
    s.SaveCustomKeys(keys);
    note("ReplaceCustomKeys", s.ReplaceCustomKeys(1, keys));
    note("ListCustomKeys", s.ListCustomKeys(1, keys) != 0);
    note("CountMusicLayers", s.CountMusicLayers() != 0);
    note("InsertMusicLayer", s.InsertMusicLayer(u"m"_qs, 1) != 0);
    note("DeleteMusicLayer", s.DeleteMusicLayer(1));
    note("RenameMusicLayer", s.RenameMusicLayer(1, u"m"_qs));
    note("ListMusicLayers", s.ListMusicLayers(musics) != 0);
    note("GetMusicLayer", s.GetMusicLayer(1, music));
    note("UpdateMusicLayer", s.UpdateMusicLayer(1, music));
    note("SelectMusicLayer", s.SelectMusicLayer(1));
    note("GetSelectedMusicLayer", s.GetSelectedMusicLayer() != 0);
    note("InsertScreenLayer", s.InsertScreenLayer(1, u"l"_qs) != 0);
    note("SetScreenLayerFrameCount", s.SetScreenLayerFrameCount(1, 2));
    note("SetScreenLayerFirstFile", s.SetScreenLayerFirstFile(1, u"f"_qs));
    note("DeleteScreenLayer", s.DeleteScreenLayer(1));
    note("GetScreenLayer", s.GetScreenLayer(1, layer));
    note("ListScreenLayers", s.ListScreenLayers(1, layers) != 0);
    note("InsertScreenFrames", s.InsertScreenFrames(frames) != 0);
    note("ReplaceScreenFrames", s.ReplaceScreenFrames(1, frames));
    note("DeleteScreenFrames", s.DeleteScreenFrames(1));
    note("ListScreenFrames", s.ListScreenFrames(1, frames) != 0);
    note("CountScreenFrames", s.CountScreenFrames(1) != 0);
    s.DeleteAllScreenLayers();
    s.InsertDefaultConfig();
    // The two reads that report true whether or not the row exists; their
    // outputs keep the caller's values.
    EXPECT_EQ(number, 77);
    return ok;
}

const QStringList kAlwaysTrue = {u"GetKeyAction"_qs, u"GetCustomLightSpeed"_qs};

// A real database of several pages, as bytes.
QByteArray SampleDatabase(const QString& folder)
{
    DataStore& s = DataStore::Instance();
    EXPECT_TRUE(s.OpenForDevice(folder, u"sample"_qs));
    for (int i = 0; i < 300; ++i) s.InsertMacro(QString(200, QChar(u'a' + i % 26)));
    s.Close();
    return FileBytes(DataStore::DatabasePath(folder, u"sample"_qs));
}

using BadFileTest = StoreTest;

TEST_F(BadFileTest, ClosedStoreFailsEveryOperationQuietly)
{
    EXPECT_EQ(OperationsThatSucceed(Store()), kAlwaysTrue);
}

TEST_F(BadFileTest, ForeignOrDamagedFileIsNeverWritten)
{
    const QByteArray sample = SampleDatabase(DataFolder() + u"/sample"_qs);
    ASSERT_GT(sample.size(), 16 * 4096);
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"text file", QByteArray("Not a database, just some words.\n").repeated(300)},
        {"database cut in half", sample.left(sample.size() / 2)},
        {"database cut inside its first page", sample.left(1000)},
        {"database cut inside its header", sample.left(60)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(DataFolder() + u"/db"_qs).removeRecursively();
        QDir().mkpath(DataFolder() + u"/db"_qs);
        WriteBytes(PathOf(u"vn87"_qs), c.bytes);

        Open();
        EXPECT_EQ(OperationsThatSucceed(Store()), kAlwaysTrue);
        Store().Close();
        // Nothing new may be left beside it either.
        EXPECT_EQ(FileBytes(PathOf(u"vn87"_qs)), c.bytes);
        EXPECT_EQ(QDir(DataFolder() + u"/db"_qs).entryList(QDir::Files), QStringList{u"vn87_datav1.db"_qs});
    }
}

TEST_F(BadFileTest, FolderInPlaceOfTheFile)
{
    QDir().mkpath(PathOf(u"vn87"_qs));
    EXPECT_FALSE(Open());
    EXPECT_EQ(OperationsThatSucceed(Store()), kAlwaysTrue);
    EXPECT_TRUE(QFileInfo(PathOf(u"vn87"_qs)).isDir());
}

TEST_F(BadFileTest, MissingTableFailsOnlyItsOwnOperations)
{
    ASSERT_TRUE(Open());
    KeyBindingRecord binding;
    binding.profile = 1;
    binding.key_code = 4;
    binding.macro_type = 3;
    binding.macro_value = 1;
    ASSERT_GT(Store().SaveKeyBinding(binding), 0);
    Store().Close();
    {
        RawDatabase db(PathOf(u"vn87"_qs));
        ASSERT_EQ(db.Exec("DROP TABLE t_macro_data"), 0);
    }

    ASSERT_TRUE(Open());
    EXPECT_EQ(Store().InsertMacro(u"m"_qs), 0);
    MacroRecord macro;
    EXPECT_FALSE(Store().GetMacro(1, macro));
    std::vector<MacroRecord> macros(3);
    EXPECT_EQ(Store().ListMacros(macros), 0);
    EXPECT_TRUE(macros.empty());
    EXPECT_FALSE(Store().RenameMacro(1, u"x"_qs));
    // The cascade stops at the missing table: the binding stays.
    EXPECT_FALSE(Store().DeleteMacro(1));
    EXPECT_TRUE(Store().GetKeyBinding(1, 0, 4, binding));

    // The other tables work.
    EXPECT_EQ(Store().InsertProfile({0, u"P"_qs, 0, {}, 0}), 1);
    EXPECT_EQ(Store().InsertMacroEvent(1, 1, 0, u"e"_qs, 1, 1), 1);
    EXPECT_EQ(Store().CountMacroEvents(1), 1);
    Store().Close();
    RawDatabase db(PathOf(u"vn87"_qs));
    EXPECT_EQ(db.Number("SELECT count(*) FROM sqlite_master WHERE name = 't_macro_data'"), 0);
}

}  // namespace
