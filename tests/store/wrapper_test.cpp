// The thin wrapper classes: results without a connection, the prepare
// length rule, closing with a live statement, and transactions that commit
// when abandoned.
#include <QFileInfo>

#include "store/sqlite_auto_transaction.h"
#include "store/sqlite_statement.h"
#include "store_fixture.h"

namespace {

TEST(SQLiteWrapper, WithoutConnectionEverythingIsMisuse)
{
    SQLiteDB db;
    SQLiteStatement st;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(db.Exec("SELECT 1"), kSQLiteMisuse);
    EXPECT_EQ(db.Prepare(st, "SELECT 1", -1), kSQLiteMisuse);
    EXPECT_EQ(db.LastInsertRowId(), -1);
    EXPECT_EQ(st.BindInt(1, 5), kSQLiteMisuse);
    EXPECT_EQ(st.BindText(1, "x", 1), kSQLiteMisuse);
    EXPECT_EQ(st.Step(), kSQLiteMisuse);
    EXPECT_EQ(st.ColumnText(0), nullptr);
    EXPECT_FALSE(IsStepSuccess(kSQLiteMisuse));
}

TEST(SQLiteWrapper, SuccessTestAcceptsOkRowAndDone)
{
    const struct { int code; bool success; } cases[] = {{0, true}, {100, true}, {101, true},
                                                        {1, false}, {5, false}, {19, false}, {21, false}};
    for (const auto& c : cases) EXPECT_EQ(IsStepSuccess(c.code), c.success) << c.code;
}

TEST(SQLiteWrapper, OpenWithoutCreateFlagLeavesMissingFileAlone)
{
    QTemporaryDir dir;
    const QString path = dir.path() + u"/none.db"_qs;
    SQLiteDB db;
    EXPECT_FALSE(db.Open(path.toUtf8().constData(), kSQLiteOpenExisting));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(SQLiteWrapper, PrepareLengthAndReuse)
{
    QTemporaryDir dir;
    SQLiteDB db;
    ASSERT_TRUE(db.Open((dir.path() + u"/w.db"_qs).toUtf8().constData(), kSQLiteOpenCreate));
    ASSERT_EQ(db.Exec("CREATE TABLE t (a INTEGER PRIMARY KEY AUTOINCREMENT, b TEXT);"), 0);

    SQLiteStatement st;
    // An explicit length compiles only that many bytes: the broken tail is
    // never seen.
    const char text[] = "SELECT 7 this is not SQL";
    ASSERT_EQ(db.Prepare(st, text, 8), 0);
    ASSERT_EQ(st.Step(), 100);
    EXPECT_EQ(st.ColumnInt(0), 7);

    // The same object takes the next statement; the text is not copied, so
    // the bytes stay alive until the step.
    ASSERT_EQ(db.Prepare(st, "INSERT INTO t(b) VALUES (?);", -1), 0);
    const QByteArray utf8 = u"键盘"_qs.toUtf8();
    ASSERT_EQ(st.BindText(1, utf8.constData(), static_cast<int>(utf8.size())), 0);
    EXPECT_EQ(st.Step(), 101);
    EXPECT_EQ(db.LastInsertRowId(), 1);

    ASSERT_EQ(db.Prepare(st, "SELECT b, NULL FROM t", -1), 0);
    ASSERT_EQ(st.Step(), 100);
    EXPECT_EQ(QString::fromUtf8(st.ColumnText(0), st.ColumnBytes(0)), u"键盘"_qs);
    EXPECT_EQ(st.ColumnText(1), nullptr);
    EXPECT_EQ(st.Step(), 101);

    EXPECT_NE(db.Prepare(st, "SELEKT nothing", -1), 0);
    EXPECT_EQ(st.Step(), kSQLiteMisuse);
}

TEST(SQLiteWrapper, CloseRefusedWhileStatementLives)
{
    QTemporaryDir dir;
    SQLiteDB db;
    ASSERT_TRUE(db.Open((dir.path() + u"/c.db"_qs).toUtf8().constData(), kSQLiteOpenCreate));
    SQLiteStatement st;
    ASSERT_EQ(db.Prepare(st, "SELECT 1", -1), 0);
    EXPECT_FALSE(db.Close());
    EXPECT_TRUE(db.IsOpen());
    st.Finalize();
    EXPECT_TRUE(db.Close());
    EXPECT_FALSE(db.IsOpen());
}

TEST(SQLiteWrapper, ForceCloseLetsGoOfConnectionWithLiveStatement)
{
    QTemporaryDir dir;
    SQLiteDB db;
    ASSERT_TRUE(db.Open((dir.path() + u"/f.db"_qs).toUtf8().constData(), kSQLiteOpenCreate));
    SQLiteStatement st;
    ASSERT_EQ(db.Prepare(st, "SELECT 1", -1), 0);
    db.ForceClose();
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(db.Exec("SELECT 1"), kSQLiteMisuse);
    // The statement still finalizes cleanly afterwards.
    EXPECT_EQ(st.Finalize(), 0);
}

// --- transactions on the store ----------------------------------------------

using TransactionTest = StoreTest;

TEST_F(TransactionTest, AbandonedTransactionIsCommitted)
{
    ASSERT_TRUE(Open());
    {
        SQLiteAutoTransaction transaction(&Store());
        EXPECT_TRUE(transaction.IsActive());
        EXPECT_FALSE(transaction.Begin());  // already active
        EXPECT_GT(Store().InsertMacro(u"kept"_qs), 0);
        EXPECT_TRUE(Store().Connection().InTransaction());
    }
    EXPECT_FALSE(Store().Connection().InTransaction());
    RawDatabase db(PathOf(u"vn87"_qs));
    EXPECT_EQ(db.Rows("SELECT name FROM t_macro_data"), QStringList{u"kept"_qs});
}

TEST_F(TransactionTest, RollbackUndoesAndCommitEnds)
{
    ASSERT_TRUE(Open());
    SQLiteAutoTransaction transaction(&Store());
    Store().InsertMacro(u"gone"_qs);
    EXPECT_TRUE(transaction.Rollback());
    EXPECT_FALSE(transaction.IsActive());
    EXPECT_TRUE(transaction.Begin());
    Store().InsertMacro(u"kept"_qs);
    EXPECT_TRUE(transaction.Commit());
    EXPECT_FALSE(transaction.Commit());  // nothing left to end
    std::vector<MacroRecord> macros;
    ASSERT_EQ(Store().ListMacros(macros), 1);
    EXPECT_EQ(macros[0].name, u"kept"_qs);
}

TEST_F(TransactionTest, NoTransactionWithoutConnection)
{
    SQLiteAutoTransaction transaction(&Store());
    EXPECT_FALSE(transaction.IsActive());
    EXPECT_FALSE(transaction.Commit());
}

}  // namespace
