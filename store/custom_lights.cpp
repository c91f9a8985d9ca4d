// Per-key animated effects (t_customlight_data) and their keys
// (t_customrgb_data).
#include "store/data_store.h"
#include "store/sqlite_auto_transaction.h"
#include "store/statement_helpers.h"

namespace {

const char kDeleteKey[] = "DELETE FROM t_customrgb_data WHERE customlight_id = ? AND keycode = ?";
const char kInsertKey[] =
    "INSERT INTO t_customrgb_data(customlight_id, keycode, rgbvalue, light_mode, colortype, light_type) "
    "VALUES (?, ?, ?, ?, ?, ?);";

void BindKey(SQLiteStatement& statement, int customlightId, const CustomKeyRecord& r)
{
    statement.BindInt(1, customlightId);
    statement.BindInt(2, r.keycode);
    statement.BindInt(3, r.rgbvalue);
    statement.BindInt(4, r.light_mode);
    statement.BindInt(5, r.colortype);
    statement.BindInt(6, r.light_type);
}

}  // namespace

int DataStore::InsertCustomLight(int profile, const CString& name)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "INSERT INTO t_customlight_data(profile, name, speed, brightness) VALUES (?, ?, ?, ?);",
                 -1);
    const QByteArray nameText = name.toUtf8();
    statement.BindInt(1, profile);
    BindUtf8(statement, 2, nameText);
    statement.BindInt(3, 15);
    statement.BindInt(4, 15);
    return StepInsert(m_db, statement);
}

bool DataStore::SetCustomLightSpeed(int customlightId, int speed)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_customlight_data SET speed = ? WHERE customlight_id = ?", -1);
    statement.BindInt(1, speed);
    statement.BindInt(2, customlightId);
    return StepDone(statement);
}

bool DataStore::GetCustomLightSpeed(int customlightId, int& speed)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT speed FROM t_customlight_data WHERE customlight_id = ?", -1);
    statement.BindInt(1, customlightId);
    if (statement.Step() == 100) speed = statement.ColumnInt(0);
    return true;
}

bool DataStore::DeleteCustomLight(int customlightId)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_customlight_data WHERE customlight_id = ?", -1);
    statement.BindInt(1, customlightId);
    if (!StepDone(statement)) return false;
    m_db.Prepare(statement, "DELETE FROM t_customrgb_data WHERE customlight_id = ?", -1);
    statement.BindInt(1, customlightId);
    return StepDone(statement);
}

int DataStore::ListCustomLights(int profile, std::vector<CustomLightRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_customlight_data WHERE profile = ?", -1);
    statement.BindInt(1, profile);
    while (statement.Step() == 100) {
        CustomLightRecord& r = out.emplace_back();
        r.customlight_id = statement.ColumnInt(0);
        r.profile = statement.ColumnInt(1);
        r.name = ColumnString(statement, 2);
    }
    return static_cast<int>(out.size());
}

int DataStore::SaveCustomKey(const CustomKeyRecord& record)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, kDeleteKey, -1);
    statement.BindInt(1, record.customlight_id);
    statement.BindInt(2, record.keycode);
    statement.Step();
    // light_mode 0 means the key has no effect: clearing it is all.
    if (record.light_mode == 0) return 0;
    m_db.Prepare(statement, kInsertKey, -1);
    BindKey(statement, record.customlight_id, record);
    return StepInsert(m_db, statement);
}

void DataStore::SaveCustomKeys(const std::vector<CustomKeyRecord>& records)
{
    SQLiteAutoTransaction transaction(this);
    SQLiteStatement remove, insert;
    m_db.Prepare(remove, kDeleteKey, -1);
    m_db.Prepare(insert, kInsertKey, -1);
    for (const CustomKeyRecord& r : records) {
        remove.BindInt(1, r.customlight_id);
        remove.BindInt(2, r.keycode);
        StepAndReset(remove);
        BindKey(insert, r.customlight_id, r);
        StepAndReset(insert);
    }
}

bool DataStore::ReplaceCustomKeys(int customlightId, const std::vector<CustomKeyRecord>& records)
{
    return ReplaceRows("DELETE FROM t_customrgb_data WHERE customlight_id = ?", customlightId, kInsertKey,
                       records.size(), [&](SQLiteStatement& s, size_t i) {
                           BindKey(s, customlightId, records[i]);
                           return StepAndReset(s);
                       });
}

int DataStore::ListCustomKeys(int customlightId, std::vector<CustomKeyRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_customrgb_data WHERE customlight_id = ?", -1);
    statement.BindInt(1, customlightId);
    while (statement.Step() == 100) {
        CustomKeyRecord& r = out.emplace_back();
        r.customrgb_id = statement.ColumnInt(0);
        r.customlight_id = statement.ColumnInt(1);
        r.keycode = statement.ColumnInt(2);
        r.rgbvalue = statement.ColumnInt(3);
        r.light_mode = statement.ColumnInt(4);
        r.colortype = statement.ColumnInt(5);
        r.light_type = statement.ColumnInt(6);
    }
    return static_cast<int>(out.size());
}
