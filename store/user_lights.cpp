// Per-key static colour sets (t_userlight_data) and their colours
// (t_userlightrgb_data), stored under the settings profile.
#include "store/data_store.h"
#include "store/sqlite_auto_transaction.h"
#include "store/statement_helpers.h"

namespace {

const char kInsertColour[] =
    "INSERT INTO t_userlightrgb_data(profile, userlight_id, key_code, key_rgb) VALUES (?, ?, ?, ?);";

bool InsertColourRow(SQLiteStatement& statement, int userlightId, const UserLightColourRecord& c)
{
    statement.BindInt(1, c.profile);
    statement.BindInt(2, userlightId);
    statement.BindInt(3, c.key_code);
    statement.BindInt(4, c.key_rgb);
    return StepAndReset(statement);
}

}  // namespace

int DataStore::CountUserLights()
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "select count(*) FROM t_userlight_data WHERE profile = ?", -1);
    statement.BindInt(1, kSettingsProfile);
    return StepCount(statement);
}

int DataStore::InsertUserLight(int profile, const CString& name)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "INSERT INTO t_userlight_data(profile, name, speed, brightness, status) VALUES (?, ?, ?, ?, ?);",
                 -1);
    const QByteArray nameText = name.toUtf8();
    statement.BindInt(1, profile);
    BindUtf8(statement, 2, nameText);
    statement.BindInt(3, 15);
    statement.BindInt(4, 15);
    statement.BindInt(5, 0);
    return StepInsert(m_db, statement);
}

bool DataStore::DeleteUserLight(int userlightId)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_userlight_data WHERE userlight_id = ?", -1);
    statement.BindInt(1, userlightId);
    return StepDone(statement);
}

bool DataStore::RenameUserLight(int userlightId, const CString& name)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_userlight_data SET name = ? WHERE userlight_id = ?", -1);
    const QByteArray nameText = name.toUtf8();
    BindUtf8(statement, 1, nameText);
    statement.BindInt(2, userlightId);
    return StepDone(statement);
}

int DataStore::ListUserLights(std::vector<UserLightRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_userlight_data WHERE profile = ?", -1);
    statement.BindInt(1, kSettingsProfile);
    while (statement.Step() == 100) {
        UserLightRecord& r = out.emplace_back();
        r.userlight_id = statement.ColumnInt(0);
        r.profile = statement.ColumnInt(1);
        r.name = ColumnString(statement, 2);
        r.speed = statement.ColumnInt(3);
        r.brightness = statement.ColumnInt(4);
        r.status = statement.ColumnInt(5);
    }
    return static_cast<int>(out.size());
}

int DataStore::InsertUserLightColours(const std::vector<UserLightColourRecord>& colours)
{
    SQLiteAutoTransaction transaction(this);
    SQLiteStatement statement;
    m_db.Prepare(statement, kInsertColour, -1);
    int written = 0;
    for (const UserLightColourRecord& c : colours)
        if (InsertColourRow(statement, c.userlight_id, c)) ++written;
    return written;
}

bool DataStore::ReplaceUserLightColours(int userlightId, const std::vector<UserLightColourRecord>& colours)
{
    return ReplaceRows("DELETE FROM t_userlightrgb_data WHERE userlight_id = ?", userlightId, kInsertColour, colours.size(),
                       [&](SQLiteStatement& s, size_t i) { return InsertColourRow(s, userlightId, colours[i]); });
}

bool DataStore::DeleteUserLightColours(int userlightId)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_userlightrgb_data WHERE userlight_id = ?", -1);
    statement.BindInt(1, userlightId);
    return StepDone(statement);
}

int DataStore::ListUserLightColours(int userlightId, std::vector<UserLightColourRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_userlightrgb_data WHERE userlight_id = ?", -1);
    statement.BindInt(1, userlightId);
    while (statement.Step() == 100) {
        UserLightColourRecord& r = out.emplace_back();
        r.userlightrgb_id = statement.ColumnInt(0);
        r.profile = statement.ColumnInt(1);
        r.userlight_id = statement.ColumnInt(2);
        r.key_code = statement.ColumnInt(3);
        r.key_rgb = statement.ColumnInt(4);
    }
    return static_cast<int>(out.size());
}
