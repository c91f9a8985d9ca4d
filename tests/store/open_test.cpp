// Where the database lives, one file per keyboard model, switching models
// and deleting a model's file.
#include <QDir>
#include <QFileInfo>

#include "store/sqlite_statement.h"
#include "store_fixture.h"

namespace {

using OpenTest = StoreTest;

TEST_F(OpenTest, CreatesDbFolderAndModelFile)
{
    // The data folder is given with or without its trailing separator.
    for (const QString& folder : {DataFolder(), DataFolder() + u'/'}) {
        Store().Close();
        EXPECT_TRUE(Store().OpenForDevice(folder, u"vn104"_qs));
        EXPECT_TRUE(Store().IsOpened());
        EXPECT_TRUE(QFileInfo(PathOf(u"vn104"_qs)).isFile());
    }
    EXPECT_EQ(QDir(DataFolder() + u"/db"_qs).entryList({u"*.db"_qs}, QDir::Files), QStringList{u"vn104_datav1.db"_qs});
}

TEST_F(OpenTest, OpeningExistingFileChangesNothing)
{
    ASSERT_TRUE(Open());
    ASSERT_GT(Store().InsertProfile({0, u"P"_qs, 0, {}, 0}), 0);
    Store().Close();
    {
        // A table dropped behind the store's back is not created again.
        RawDatabase db(PathOf(u"vn87"_qs));
        ASSERT_EQ(db.Exec("DROP TABLE t_musiclayer_data"), 0);
    }
    ASSERT_TRUE(Open());
    Store().Close();
    RawDatabase db(PathOf(u"vn87"_qs));
    EXPECT_EQ(db.Rows("SELECT name FROM t_profile_data"), QStringList{u"P"_qs});
    EXPECT_EQ(db.Number("SELECT count(*) FROM sqlite_master WHERE name = 't_musiclayer_data'"), 0);
}

TEST_F(OpenTest, EachModelHasItsOwnFile)
{
    ASSERT_TRUE(Open(u"vn87"_qs));
    Store().InsertMacro(u"on 87"_qs);
    // Switching without closing first: the old connection is not used again.
    ASSERT_TRUE(Open(u"vn75"_qs));
    Store().InsertMacro(u"on 75"_qs);
    Store().Close();
    EXPECT_FALSE(Store().IsOpened());
    // Re-opening the same model while open keeps the connection.
    ASSERT_TRUE(Open(u"vn87"_qs));
    ASSERT_TRUE(Open(u"vn87"_qs));
    Store().InsertMacro(u"again 87"_qs);
    Store().Close();

    RawDatabase a(PathOf(u"vn87"_qs)), b(PathOf(u"vn75"_qs));
    EXPECT_EQ(a.Rows("SELECT name FROM t_macro_data"), (QStringList{u"on 87"_qs, u"again 87"_qs}));
    EXPECT_EQ(b.Rows("SELECT name FROM t_macro_data"), QStringList{u"on 75"_qs});
}

TEST_F(OpenTest, SwitchForcesShutAConnectionThatRefusesToClose)
{
    ASSERT_TRUE(Open(u"vn87"_qs));
    Store().InsertMacro(u"old"_qs);
    // A statement left alive on the old connection makes a plain close fail.
    SQLiteStatement leftOver;
    ASSERT_EQ(Store().Connection().Prepare(leftOver, "SELECT * FROM t_macro_data", -1), 0);
    ASSERT_EQ(leftOver.Step(), 100);
    EXPECT_FALSE(Store().Close());
    EXPECT_TRUE(Store().Connection().IsOpen());

    ASSERT_TRUE(Open(u"vn75"_qs));
    EXPECT_EQ(Store().InsertMacro(u"new"_qs), 1);  // a fresh file: first identifier
    leftOver.Finalize();
    Store().Close();

    RawDatabase a(PathOf(u"vn87"_qs)), b(PathOf(u"vn75"_qs));
    EXPECT_EQ(a.Rows("SELECT name FROM t_macro_data"), QStringList{u"old"_qs});
    EXPECT_EQ(b.Rows("SELECT name FROM t_macro_data"), QStringList{u"new"_qs});
    EXPECT_EQ(a.Rows("PRAGMA integrity_check"), QStringList{u"ok"_qs});
}

TEST_F(OpenTest, DeleteDatabaseFileGivesAFreshDatabase)
{
    ASSERT_TRUE(Open());
    Store().InsertMacro(u"a"_qs);
    Store().InsertMacro(u"b"_qs);
    ASSERT_TRUE(QFileInfo::exists(PathOf(u"vn87"_qs) + u"-wal"_qs));

    // Deleting the open model's file closes the store first.
    Store().DeleteDatabaseFile(DataFolder(), u"vn87"_qs);
    EXPECT_FALSE(Store().IsOpened());
    EXPECT_FALSE(Store().Connection().IsOpen());
    for (const char* suffix : {"", "-wal", "-shm"})
        EXPECT_FALSE(QFileInfo::exists(PathOf(u"vn87"_qs) + QLatin1String(suffix))) << suffix;

    ASSERT_TRUE(Open());
    std::vector<MacroRecord> macros;
    EXPECT_EQ(Store().ListMacros(macros), 0);
    EXPECT_EQ(Store().InsertMacro(u"c"_qs), 1);

    // Deleting a model that is not open leaves the open one alone.
    Store().DeleteDatabaseFile(DataFolder(), u"vn75"_qs);
    EXPECT_TRUE(Store().IsOpened());
    EXPECT_EQ(Store().InsertMacro(u"d"_qs), 2);
}

TEST_F(OpenTest, ModelNamesThatLeaveTheDbFolderAreRefused)
{
    ASSERT_TRUE(Open(u"vn87"_qs));
    const QString withNul = u"x"_qs + QChar(0) + u"y"_qs;
    for (const QString& model : {u"../evil"_qs, u"a/b"_qs, u"a\\b"_qs, u".."_qs, withNul}) {
        EXPECT_FALSE(Open(model)) << model.toStdString();
        EXPECT_FALSE(Store().IsOpened());
        EXPECT_FALSE(Store().Connection().IsOpen());
    }
    EXPECT_FALSE(QFileInfo::exists(DataFolder() + u"/evil_datav1.db"_qs));
    EXPECT_EQ(QDir(DataFolder() + u"/db"_qs).entryList({u"*.db"_qs}, QDir::Files), QStringList{u"vn87_datav1.db"_qs});
}

TEST_F(OpenTest, CreateFailsQuietlyWhenTheFolderCannotBeMade)
{
    // A plain file where the data folder should be.
    const QString blocker = DataFolder() + u"/blocker"_qs;
    WriteBytes(blocker, "x");
    EXPECT_FALSE(Store().OpenForDevice(blocker, u"vn87"_qs));
    EXPECT_FALSE(Store().IsOpened());
    EXPECT_EQ(Store().InsertMacro(u"m"_qs), 0);
    EXPECT_EQ(FileBytes(blocker), QByteArray("x"));
}

}  // namespace
