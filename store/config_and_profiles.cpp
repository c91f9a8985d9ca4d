// Configuration values (t_config_data) and key profiles (t_profile_data).
#include "store/data_store.h"
#include "store/statement_helpers.h"

bool DataStore::SetConfigValue(int profile, const CString& key, const CString& value)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_config_data SET value = ? WHERE profile = ? and key = ?", -1);
    const QByteArray valueText = value.toUtf8(), keyText = key.toUtf8();
    BindUtf8(statement, 1, valueText);
    statement.BindInt(2, profile);
    BindUtf8(statement, 3, keyText);
    return StepDone(statement);
}

bool DataStore::GetConfigValue(int profile, const CString& key, CString& value)
{
    value.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT value FROM t_config_data WHERE profile = ? and key = ?", -1);
    const QByteArray keyText = key.toUtf8();
    statement.BindInt(1, profile);
    BindUtf8(statement, 2, keyText);
    if (statement.Step() != 100) return false;
    value = ColumnString(statement, 0);
    return true;
}

int DataStore::InsertProfile(const ProfileRecord& record)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);", -1);
    const QByteArray name = record.name.toUtf8(), app = record.app.toUtf8();
    BindUtf8(statement, 1, name);
    statement.BindInt(2, 0);
    BindUtf8(statement, 3, app);
    statement.BindInt(4, 0);
    return StepInsert(m_db, statement);
}

bool DataStore::DeleteProfile(int profile)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_profile_data WHERE profile = ?", -1);
    statement.BindInt(1, profile);
    return StepDone(statement);
}

bool DataStore::RenameProfile(int profile, const CString& name)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_profile_data SET name = ? WHERE profile = ?", -1);
    const QByteArray nameText = name.toUtf8();
    BindUtf8(statement, 1, nameText);
    statement.BindInt(2, profile);
    return StepDone(statement);
}

bool DataStore::GetProfileName(int profile, CString& name)
{
    name.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT name FROM t_profile_data WHERE profile = ?", -1);
    statement.BindInt(1, profile);
    if (statement.Step() != 100) return false;
    name = ColumnString(statement, 0);
    return true;
}

int DataStore::ListProfiles(std::vector<ProfileRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_profile_data", -1);
    while (statement.Step() == 100) {
        ProfileRecord& r = out.emplace_back();
        r.profile = statement.ColumnInt(0);
        r.name = ColumnString(statement, 1);
        r.status = statement.ColumnInt(2);
        r.app = ColumnString(statement, 3);
        r.type = statement.ColumnInt(4);
    }
    return static_cast<int>(out.size());
}

bool DataStore::MarkFirstProfileChosen()
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_profile_data SET status = ?", -1);
    statement.BindInt(1, 0);
    statement.Step();
    m_db.Prepare(statement, "UPDATE t_profile_data SET status = ? WHERE profile = ?", -1);
    statement.BindInt(1, 1);
    statement.BindInt(2, 1);
    return StepDone(statement);
}

int DataStore::GetChosenProfile()
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT profile FROM t_profile_data WHERE status = ?", -1);
    statement.BindInt(1, 1);
    return StepCount(statement);
}

void DataStore::DeleteProfileBindings(int profile)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_key_macro_data WHERE profile = ?", -1);
    statement.BindInt(1, profile);
    statement.Step();
}
