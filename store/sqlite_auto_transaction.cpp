#include "store/sqlite_auto_transaction.h"

#include "store/data_store.h"

SQLiteAutoTransaction::SQLiteAutoTransaction(DataStore* store)
    : m_store(store), m_lock(store->Lock())
{
    if (m_store->Connection().IsOpen()) Begin();
}

SQLiteAutoTransaction::~SQLiteAutoTransaction()
{
    if (m_active) Commit();
}

bool SQLiteAutoTransaction::Begin()
{
    if (m_active) return false;
    // Only a transaction that really started is ended later: an "END" after
    // a failed "BEGIN" would end somebody else's transaction.
    m_active = m_store->Connection().Exec("BEGIN") == 0;
    return m_active;
}

bool SQLiteAutoTransaction::Commit()
{
    if (!m_active) return false;
    m_active = false;
    SQLiteDB& db = m_store->Connection();
    if (db.Exec("END") == 0) return true;
    if (db.InTransaction()) db.Exec("ROLLBACK");
    return false;
}

bool SQLiteAutoTransaction::Rollback()
{
    if (!m_active) return false;
    m_active = false;
    SQLiteDB& db = m_store->Connection();
    // SQLite rolls back by itself after some errors (disk full, I/O error).
    if (!db.InTransaction()) return true;
    return db.Exec("ROLLBACK") == 0;
}
