#pragma once
// One compiled SQL statement. Parameter indexes start at 1, column indexes
// at 0. Without a compiled statement every call returns SQLite's "misuse".

struct sqlite3_stmt;

class SQLiteStatement {
public:
    SQLiteStatement() = default;
    // Finalizes the statement.
    virtual ~SQLiteStatement();
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    bool IsPrepared() const { return m_handle != nullptr; }

    int BindInt(int index, int value);
    // Binds without copying: the bytes must stay alive until the statement
    // has been stepped. A null pointer binds SQL NULL.
    int BindText(int index, const char* utf8, int bytes);
    // 100 when a row is ready, 101 when done.
    int Step();
    // Makes the statement ready to run again; bindings are kept.
    int Reset();

    int ColumnInt(int column) const;
    // UTF-8 text of the column, or null for SQL NULL.
    const char* ColumnText(int column) const;
    int ColumnBytes(int column) const;

    // Releases the compiled statement. SQLite frees it whatever the result,
    // so the handle is cleared in any case. Returns the last step's error.
    int Finalize();

private:
    friend class SQLiteDB;
    sqlite3_stmt* m_handle = nullptr;
};

// The success test of every table operation: a step result of 0, 100 or 101.
inline bool IsStepSuccess(int result)
{
    return result == 0 || result == 100 || result == 101;
}
