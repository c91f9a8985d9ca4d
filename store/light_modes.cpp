// Preset light modes (t_light_data), stored under the settings profile.
#include "store/data_store.h"
#include "store/statement_helpers.h"

namespace {

void ReadLightMode(const SQLiteStatement& s, LightModeRecord& r)
{
    r.light_id = s.ColumnInt(0);
    r.profile = s.ColumnInt(1);
    r.name = ColumnString(s, 2);
    r.mode = s.ColumnInt(3);
    r.brightness = s.ColumnInt(4);
    r.speed = s.ColumnInt(5);
    r.direction = s.ColumnInt(6);
    r.colorful = s.ColumnInt(7);
    r.colorindex = s.ColumnInt(8);
    r.color_value = s.ColumnInt(9);
    r.config_func = s.ColumnInt(10);
    r.reserved = s.ColumnInt(11);
    r.status = s.ColumnInt(12);
}

}  // namespace

int DataStore::CountLightModes()
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "select count(*) FROM t_light_data WHERE profile = ?", -1);
    statement.BindInt(1, kSettingsProfile);
    return StepCount(statement);
}

int DataStore::InsertLightMode(const LightModeRecord& record)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, colorful, "
                 "colorindex, color_value, config_func, reserved, status) "
                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
                 -1);
    const QByteArray name = record.name.toUtf8();
    statement.BindInt(1, kSettingsProfile);
    BindUtf8(statement, 2, name);
    statement.BindInt(3, record.mode);
    statement.BindInt(4, record.brightness);
    statement.BindInt(5, record.speed);
    statement.BindInt(6, record.direction);
    statement.BindInt(7, record.colorful);
    statement.BindInt(8, record.colorindex);
    statement.BindInt(9, record.color_value);
    statement.BindInt(10, record.config_func);
    statement.BindInt(11, record.reserved);
    statement.BindInt(12, record.status);
    return StepInsert(m_db, statement);
}

bool DataStore::UpdateLightMode(int mode, const LightModeRecord& record)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, "
                 "colorindex = ?, color_value = ?, config_func = ?, reserved = ? "
                 "WHERE profile = ? and mode = ?",
                 -1);
    statement.BindInt(1, record.brightness);
    statement.BindInt(2, record.speed);
    statement.BindInt(3, record.direction);
    statement.BindInt(4, record.colorful);
    statement.BindInt(5, record.colorindex);
    statement.BindInt(6, record.color_value);
    statement.BindInt(7, record.config_func);
    statement.BindInt(8, record.reserved);
    statement.BindInt(9, kSettingsProfile);
    statement.BindInt(10, mode);
    return StepDone(statement);
}

bool DataStore::SetActiveLightMode(int mode)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_light_data SET status = ? WHERE profile = ?", -1);
    statement.BindInt(1, 0);
    statement.BindInt(2, kSettingsProfile);
    statement.Step();
    m_db.Prepare(statement, "UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?", -1);
    statement.BindInt(1, 1);
    statement.BindInt(2, kSettingsProfile);
    statement.BindInt(3, mode);
    return StepDone(statement);
}

int DataStore::GetActiveLightMode(int profile)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT mode FROM t_light_data WHERE profile = ? and status = ?", -1);
    statement.BindInt(1, profile);
    statement.BindInt(2, 1);
    return StepCount(statement);
}

bool DataStore::GetLightMode(int mode, LightModeRecord& out)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?", -1);
    statement.BindInt(1, kSettingsProfile);
    statement.BindInt(2, mode);
    if (statement.Step() != 100) return false;
    ReadLightMode(statement, out);
    return true;
}

int DataStore::ListLightModes(int profile, std::vector<LightModeRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_light_data WHERE profile = ?", -1);
    statement.BindInt(1, profile);
    while (statement.Step() == 100) ReadLightMode(statement, out.emplace_back());
    return static_cast<int>(out.size());
}
