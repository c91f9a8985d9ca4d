#pragma once
// One connection to an SQLite database file. Every text handed to SQLite is
// UTF-8. Results are SQLite result codes or booleans; nothing throws.
#include <cstdint>

struct sqlite3;
class SQLiteStatement;

// Open flags of the store: read-write in full-mutex mode, with and without
// creating the file.
inline constexpr int kSQLiteOpenExisting = 0x00010002;
inline constexpr int kSQLiteOpenCreate = 0x00010006;
// SQLite's "misuse" code, returned when there is no connection or no text.
inline constexpr int kSQLiteMisuse = 21;

class SQLiteDB {
public:
    SQLiteDB() = default;
    // Interrupts any running statement, then closes the connection.
    virtual ~SQLiteDB();
    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;

    // Closes any connection held (by force), then opens the file with the
    // given flags. On success the connection is switched to write-ahead
    // logging with synchronous=NORMAL, so that a power loss can lose at most
    // the last commit but never corrupts the file.
    bool Open(const char* utf8Path, int flags);
    // True without a connection. Otherwise closes it; if SQLite refuses (a
    // statement is still alive) the handle is kept and the result is false.
    bool Close();
    // Interrupts whatever runs on the connection and lets it go whatever
    // holds on to it: statements still alive keep working memory until they
    // are finalized, but the connection is no longer ours. Never fails.
    void ForceClose();
    bool IsOpen() const { return m_handle != nullptr; }

    // Runs one or more statements that return no rows of interest.
    int Exec(const char* sql);
    // Finalizes what `statement` held, then compiles `sql` into it. A
    // negative length means `sql` is null-terminated; the terminator is then
    // counted in the length handed to SQLite.
    int Prepare(SQLiteStatement& statement, const char* sql, int length);
    // Row id of the last insert on this connection; -1 without a connection.
    int64_t LastInsertRowId() const;
    // True while an explicit transaction is open on the connection.
    bool InTransaction() const;

private:
    sqlite3* m_handle = nullptr;
};
