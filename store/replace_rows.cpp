// The one way a set of rows is replaced: delete and bulk insert in one
// transaction, rolled back on the first failure.
#include "store/data_store.h"
#include "store/sqlite_auto_transaction.h"
#include "store/statement_helpers.h"

bool DataStore::ReplaceRows(const char* deleteSql, int ownerId, const char* insertSql, size_t count,
                            const std::function<bool(SQLiteStatement&, size_t)>& insertRow)
{
    SQLiteAutoTransaction transaction(this);
    if (!transaction.IsActive()) return false;
    SQLiteStatement statement;
    m_db.Prepare(statement, deleteSql, -1);
    statement.BindInt(1, ownerId);
    bool ok = StepDone(statement);
    if (ok) m_db.Prepare(statement, insertSql, -1);
    for (size_t i = 0; ok && i < count; ++i) ok = insertRow(statement, i);
    statement.Finalize();
    if (!ok) {
        transaction.Rollback();
        return false;
    }
    return transaction.Commit();
}
