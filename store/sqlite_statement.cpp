#include "store/sqlite_statement.h"

#include <sqlite3.h>

SQLiteStatement::~SQLiteStatement()
{
    Finalize();
}

int SQLiteStatement::BindInt(int index, int value)
{
    if (!m_handle) return SQLITE_MISUSE;
    return sqlite3_bind_int(m_handle, index, value);
}

int SQLiteStatement::BindText(int index, const char* utf8, int bytes)
{
    if (!m_handle) return SQLITE_MISUSE;
    return sqlite3_bind_text(m_handle, index, utf8, bytes, SQLITE_STATIC);
}

int SQLiteStatement::Step()
{
    if (!m_handle) return SQLITE_MISUSE;
    return sqlite3_step(m_handle);
}

int SQLiteStatement::Reset()
{
    if (!m_handle) return SQLITE_MISUSE;
    return sqlite3_reset(m_handle);
}

int SQLiteStatement::ColumnInt(int column) const
{
    if (!m_handle) return 0;
    return sqlite3_column_int(m_handle, column);
}

const char* SQLiteStatement::ColumnText(int column) const
{
    if (!m_handle) return nullptr;
    return reinterpret_cast<const char*>(sqlite3_column_text(m_handle, column));
}

int SQLiteStatement::ColumnBytes(int column) const
{
    if (!m_handle) return 0;
    return sqlite3_column_bytes(m_handle, column);
}

int SQLiteStatement::Finalize()
{
    if (!m_handle) return SQLITE_OK;
    const int result = sqlite3_finalize(m_handle);
    m_handle = nullptr;
    return result;
}
