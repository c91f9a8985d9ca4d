// Macros (t_macro_data) and their events (t_macrorecord).
#include "store/data_store.h"
#include "store/sqlite_auto_transaction.h"
#include "store/statement_helpers.h"

namespace {

const char kInsertMacro[] =
    "INSERT INTO t_macro_data(play_times, delay_type, delay_time, link_count, name) VALUES (?, ?, ?, ?, ?);";
const char kInsertEvent[] =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
    "VALUES (?, ?, ?, ?, ?, ?);";

int InsertMacroRow(SQLiteDB& db, const MacroRecord& r)
{
    SQLiteStatement statement;
    db.Prepare(statement, kInsertMacro, -1);
    const QByteArray name = r.name.toUtf8();
    statement.BindInt(1, r.play_times);
    statement.BindInt(2, r.delay_type);
    statement.BindInt(3, r.delay_time);
    statement.BindInt(4, r.link_count);
    BindUtf8(statement, 5, name);
    return StepInsert(db, statement);
}

// Runs the prepared event insert for one event under `macroId`.
bool InsertEventRow(SQLiteStatement& statement, int macroId, const MacroEventRecord& e)
{
    const QByteArray desc = e.desc.toUtf8();
    statement.BindInt(1, macroId);
    statement.BindInt(2, e.type);
    statement.BindInt(3, e.record_index);
    BindUtf8(statement, 4, desc);
    statement.BindInt(5, e.value);
    statement.BindInt(6, e.delay_time);
    return StepAndReset(statement);
}

void ReadMacro(const SQLiteStatement& s, MacroRecord& r)
{
    r.macro_id = s.ColumnInt(0);
    r.play_times = s.ColumnInt(1);
    r.delay_type = s.ColumnInt(2);
    r.delay_time = s.ColumnInt(3);
    r.link_count = s.ColumnInt(4);
    r.name = ColumnString(s, 5);
}

}  // namespace

int DataStore::InsertMacro(const CString& name)
{
    std::lock_guard guard(m_lock);
    MacroRecord r;
    r.play_times = 1;
    r.delay_type = 1;
    r.name = name;
    return InsertMacroRow(m_db, r);
}

int DataStore::InsertMacroWithSettings(const MacroRecord& record)
{
    std::lock_guard guard(m_lock);
    return InsertMacroRow(m_db, record);
}

bool DataStore::RenameMacro(int macroId, const CString& name)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?", -1);
    const QByteArray nameText = name.toUtf8();
    BindUtf8(statement, 1, nameText);
    statement.BindInt(2, macroId);
    return StepDone(statement);
}

bool DataStore::UpdateMacroPlayback(const MacroRecord& record)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "UPDATE t_macro_data SET play_times = ?, delay_type = ?, delay_time = ? WHERE macro_id = ?", -1);
    statement.BindInt(1, record.play_times);
    statement.BindInt(2, record.delay_type);
    statement.BindInt(3, record.delay_time);
    statement.BindInt(4, record.macro_id);
    return StepDone(statement);
}

bool DataStore::DeleteMacro(int macroId)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_macro_data WHERE macro_id = ?", -1);
    statement.BindInt(1, macroId);
    if (!StepDone(statement)) return false;

    m_db.Prepare(statement, "DELETE FROM t_macrorecord WHERE macro_id = ?", -1);
    statement.BindInt(1, macroId);
    statement.Step();

    // Keys bound to the macro (binding type 3) return to their defaults in
    // every profile and layer.
    m_db.Prepare(statement, "DELETE FROM t_key_macro_data WHERE macro_type = ? and macro_value = ?", -1);
    statement.BindInt(1, 3);
    statement.BindInt(2, macroId);
    return StepDone(statement);
}

bool DataStore::GetMacro(int macroId, MacroRecord& out)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_macro_data WHERE macro_id = ?", -1);
    statement.BindInt(1, macroId);
    if (statement.Step() != 100) return false;
    ReadMacro(statement, out);
    return true;
}

int DataStore::ListMacros(std::vector<MacroRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_macro_data", -1);
    while (statement.Step() == 100) ReadMacro(statement, out.emplace_back());
    return static_cast<int>(out.size());
}

int DataStore::InsertMacroEvent(int macroId, int type, int recordIndex, const CString& desc, int value,
                                int delayTime)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, kInsertEvent, -1);
    const QByteArray descText = desc.toUtf8();
    statement.BindInt(1, macroId);
    statement.BindInt(2, type);
    statement.BindInt(3, recordIndex);
    BindUtf8(statement, 4, descText);
    statement.BindInt(5, value);
    statement.BindInt(6, delayTime);
    return StepInsert(m_db, statement);
}

void DataStore::InsertMacroEvents(const std::vector<MacroEventRecord>& events)
{
    SQLiteAutoTransaction transaction(this);
    SQLiteStatement statement;
    m_db.Prepare(statement, kInsertEvent, -1);
    for (const MacroEventRecord& e : events) InsertEventRow(statement, e.macro_id, e);
}

bool DataStore::ReplaceMacroEvents(int macroId, const std::vector<MacroEventRecord>& events)
{
    return ReplaceRows("DELETE FROM t_macrorecord WHERE macro_id = ?", macroId, kInsertEvent, events.size(),
                       [&](SQLiteStatement& s, size_t i) { return InsertEventRow(s, macroId, events[i]); });
}

int DataStore::ListMacroEvents(int macroId, std::vector<MacroEventRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC", -1);
    statement.BindInt(1, macroId);
    while (statement.Step() == 100) {
        MacroEventRecord& r = out.emplace_back();
        r.record_id = statement.ColumnInt(0);
        r.macro_id = statement.ColumnInt(1);
        r.type = statement.ColumnInt(2);
        r.record_index = statement.ColumnInt(3);
        r.desc = ColumnString(statement, 4);
        r.value = statement.ColumnInt(5);
        r.delay_time = statement.ColumnInt(6);
    }
    return static_cast<int>(out.size());
}

bool DataStore::DeleteMacroEvents(int macroId)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_macrorecord WHERE macro_id = ?", -1);
    statement.BindInt(1, macroId);
    return StepDone(statement);
}

int DataStore::CountAllMacroEvents()
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "select count(*) FROM t_macrorecord", -1);
    return StepCount(statement);
}

int DataStore::CountMacroEvents(int macroId)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "select count(*) FROM t_macrorecord WHERE macro_id = ?", -1);
    statement.BindInt(1, macroId);
    return StepCount(statement);
}
