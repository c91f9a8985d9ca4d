#include "store/sqlite_db.h"

#include <cstring>
#include <sqlite3.h>

#include "store/sqlite_statement.h"

static_assert(kSQLiteOpenExisting == (SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX));
static_assert(kSQLiteOpenCreate == (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX));
static_assert(kSQLiteMisuse == SQLITE_MISUSE);

SQLiteDB::~SQLiteDB()
{
    ForceClose();
}

bool SQLiteDB::Open(const char* utf8Path, int flags)
{
    ForceClose();
    if (!utf8Path) return false;
    if (sqlite3_open_v2(utf8Path, &m_handle, flags, nullptr) != SQLITE_OK) {
        // SQLite may hand back a half-open handle even on failure.
        sqlite3_close(m_handle);
        m_handle = nullptr;
        return false;
    }
    // Results are not checked: a file that is not a database refuses the
    // journal change without being written, and every later statement fails.
    Exec("PRAGMA journal_mode=WAL;");
    Exec("PRAGMA synchronous=NORMAL;");
    return true;
}

bool SQLiteDB::Close()
{
    if (!m_handle) return true;
    if (sqlite3_close(m_handle) != SQLITE_OK) return false;
    m_handle = nullptr;
    return true;
}

void SQLiteDB::ForceClose()
{
    if (!m_handle) return;
    sqlite3_interrupt(m_handle);
    // close_v2 always succeeds: with statements still alive the connection
    // lingers as a zombie and is freed when the last one is finalized.
    sqlite3_close_v2(m_handle);
    m_handle = nullptr;
}

int SQLiteDB::Exec(const char* sql)
{
    if (!m_handle || !sql) return SQLITE_MISUSE;
    return sqlite3_exec(m_handle, sql, nullptr, nullptr, nullptr);
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length)
{
    statement.Finalize();
    if (!m_handle || !sql || !*sql) return SQLITE_MISUSE;
    const int bytes = length < 0 ? static_cast<int>(std::strlen(sql)) + 1 : length;
    return sqlite3_prepare_v2(m_handle, sql, bytes, &statement.m_handle, nullptr);
}

int64_t SQLiteDB::LastInsertRowId() const
{
    if (!m_handle) return -1;
    return sqlite3_last_insert_rowid(m_handle);
}

bool SQLiteDB::InTransaction() const
{
    return m_handle && sqlite3_get_autocommit(m_handle) == 0;
}
