// Key bindings (t_key_macro_data) and the long parameters of key actions
// (t_key_otherdata).
#include "store/data_store.h"
#include "store/statement_helpers.h"

namespace {

void ReadKeyBinding(const SQLiteStatement& s, KeyBindingRecord& r)
{
    r.key_id = s.ColumnInt(0);
    r.profile = s.ColumnInt(1);
    r.fn_layer = s.ColumnInt(2);
    r.key_code = s.ColumnInt(3);
    r.layout_value = s.ColumnInt(4);
    r.layout_desc = ColumnString(s, 5);
    r.macro_type = s.ColumnInt(6);
    r.macro_value = s.ColumnInt(7);
    r.macro_value2 = s.ColumnInt(8);
    r.macro_value3 = s.ColumnInt(9);
    r.macro_desc = ColumnString(s, 10);
}

int ReadKeyBindings(SQLiteStatement& s, std::vector<KeyBindingRecord>& out)
{
    while (s.Step() == 100) ReadKeyBinding(s, out.emplace_back());
    return static_cast<int>(out.size());
}

}  // namespace

int DataStore::SaveKeyBinding(const KeyBindingRecord& record)
{
    if (record.key_code == 0) return 0;
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?", -1);
    statement.BindInt(1, record.profile);
    statement.BindInt(2, record.fn_layer);
    statement.BindInt(3, record.key_code);
    statement.Step();
    // Both values 0: the key is back to its default and has no row.
    if (record.macro_value == 0 && record.macro_value2 == 0) return 0;

    m_db.Prepare(statement,
                 "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, layout_desc, "
                 "macro_type, macro_value, macro_value2, macro_value3, macro_desc) "
                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
                 -1);
    const QByteArray layoutDesc = record.layout_desc.toUtf8(), macroDesc = record.macro_desc.toUtf8();
    statement.BindInt(1, record.profile);
    statement.BindInt(2, record.fn_layer);
    statement.BindInt(3, record.key_code);
    statement.BindInt(4, record.layout_value);
    BindUtf8(statement, 5, layoutDesc);
    statement.BindInt(6, record.macro_type);
    statement.BindInt(7, record.macro_value);
    statement.BindInt(8, record.macro_value2);
    statement.BindInt(9, record.macro_value3);
    BindUtf8(statement, 10, macroDesc);
    return StepInsert(m_db, statement);
}

bool DataStore::GetKeyBinding(int profile, int fnLayer, int keyCode, KeyBindingRecord& out)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?", -1);
    statement.BindInt(1, profile);
    statement.BindInt(2, fnLayer);
    statement.BindInt(3, keyCode);
    if (statement.Step() != 100) return false;
    ReadKeyBinding(statement, out);
    return true;
}

int DataStore::ListLayerBindings(int profile, int fnLayer, std::vector<KeyBindingRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?", -1);
    statement.BindInt(1, profile);
    statement.BindInt(2, fnLayer);
    return ReadKeyBindings(statement, out);
}

int DataStore::ListProfileBindings(int profile, std::vector<KeyBindingRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_key_macro_data WHERE profile = ?", -1);
    statement.BindInt(1, profile);
    return ReadKeyBindings(statement, out);
}

int DataStore::InsertKeyAction(const CString& macroDesc, const CString& param, int type)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "INSERT INTO t_key_otherdata(macro_desc, param, type) VALUES (?, ?, ?);", -1);
    const QByteArray descText = macroDesc.toUtf8(), paramText = param.toUtf8();
    BindUtf8(statement, 1, descText);
    BindUtf8(statement, 2, paramText);
    statement.BindInt(3, type);
    return StepInsert(m_db, statement);
}

bool DataStore::GetKeyAction(int macroValue, CString& macroDesc, CString& param, int& type)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT macro_desc, param, type FROM t_key_otherdata WHERE macro_value = ?", -1);
    statement.BindInt(1, macroValue);
    if (statement.Step() == 100) {
        macroDesc = ColumnString(statement, 0);
        param = ColumnString(statement, 1);
        type = statement.ColumnInt(2);
    }
    return true;
}
