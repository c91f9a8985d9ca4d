#pragma once
// A fixture that points the process-wide store at a fresh temporary data
// folder, and a second, independent SQLite connection for looking at the
// files the store writes.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "store/data_store.h"

// Direct access to a database file through SQLite itself, so that checks do
// not go through the code under test.
class RawDatabase {
public:
    explicit RawDatabase(const QString& path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            sqlite3_close(m_db);
            m_db = nullptr;
        }
    }
    ~RawDatabase() { sqlite3_close_v2(m_db); }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    bool IsOpen() const { return m_db != nullptr; }
    int Exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }

    // Every row, its columns joined with "|"; NULL shows as "<null>".
    QStringList Rows(const char* sql)
    {
        QStringList rows;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr) != SQLITE_OK) return {u"<error>"_qs};
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList cells;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                cells << (text ? QString::fromUtf8(text) : u"<null>"_qs);
            }
            rows << cells.join(u'|');
        }
        sqlite3_finalize(st);
        return rows;
    }
    // First column of the first row as a number; -1 when there is none.
    int Number(const char* sql)
    {
        const QStringList rows = Rows(sql);
        bool ok = false;
        const int n = rows.isEmpty() ? -1 : rows.first().section(u'|', 0, 0).toInt(&ok);
        return ok ? n : -1;
    }

private:
    sqlite3* m_db = nullptr;
};

inline QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        Store().Close();
    }
    void TearDown() override { Store().Close(); }

    static DataStore& Store() { return DataStore::Instance(); }
    QString DataFolder() const { return m_dir.path(); }
    QString PathOf(const QString& model) const { return m_dir.path() + u"/db/"_qs + model + u"_datav1.db"_qs; }
    bool Open(const QString& model = u"vn87"_qs) { return Store().OpenForDevice(DataFolder(), model); }

    QTemporaryDir m_dir;
};
