// Screen animation layers (t_ledlayer_data) and their frames
// (t_ledframe_data).
#include "store/data_store.h"
#include "store/sqlite_auto_transaction.h"
#include "store/statement_helpers.h"

namespace {

const char kInsertFrame[] =
    "INSERT INTO t_ledframe_data(led_id, name, delay_time, frame_index, file_name) VALUES (?, ?, ?, ?, ?);";

bool InsertFrameRow(SQLiteStatement& statement, int ledId, const ScreenFrameRecord& f)
{
    const QByteArray name = f.name.toUtf8(), fileName = f.file_name.toUtf8();
    statement.BindInt(1, ledId);
    BindUtf8(statement, 2, name);
    statement.BindInt(3, f.delay_time);
    statement.BindInt(4, f.frame_index);
    BindUtf8(statement, 5, fileName);
    return StepAndReset(statement);
}

void ReadScreenLayer(const SQLiteStatement& s, ScreenLayerRecord& r)
{
    r.led_id = s.ColumnInt(0);
    r.profile = s.ColumnInt(1);
    r.type = s.ColumnInt(2);
    r.name = ColumnString(s, 3);
    r.frame_size = s.ColumnInt(4);
    r.file_dir = ColumnString(s, 5);
    r.first_file = ColumnString(s, 6);
}

}  // namespace

int DataStore::InsertScreenLayer(int profile, const CString& name)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "INSERT INTO t_ledlayer_data(profile, type, name, frame_size, file_dir, first_file) "
                 "VALUES (?, ?, ?, ?, ?, ?);",
                 -1);
    // The layer's folder and first picture start out named like the layer.
    const QByteArray nameText = name.toUtf8();
    statement.BindInt(1, profile);
    statement.BindInt(2, 0);
    BindUtf8(statement, 3, nameText);
    statement.BindInt(4, 0);
    BindUtf8(statement, 5, nameText);
    BindUtf8(statement, 6, nameText);
    return StepInsert(m_db, statement);
}

bool DataStore::SetScreenLayerFrameCount(int ledId, int frameSize)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_ledlayer_data SET frame_size = ? WHERE led_id = ?", -1);
    statement.BindInt(1, frameSize);
    statement.BindInt(2, ledId);
    return StepDone(statement);
}

bool DataStore::SetScreenLayerFirstFile(int ledId, const CString& firstFile)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_ledlayer_data SET first_file = ? WHERE led_id = ?", -1);
    const QByteArray fileText = firstFile.toUtf8();
    BindUtf8(statement, 1, fileText);
    statement.BindInt(2, ledId);
    return StepDone(statement);
}

bool DataStore::DeleteScreenLayer(int ledId)
{
    std::lock_guard guard(m_lock);
    bool ok;
    {
        SQLiteStatement statement;
        m_db.Prepare(statement, "DELETE FROM t_ledlayer_data WHERE led_id = ?", -1);
        statement.BindInt(1, ledId);
        ok = StepDone(statement);
    }
    DeleteScreenFrames(ledId);  // re-enters the store lock
    return ok;
}

bool DataStore::GetScreenLayer(int ledId, ScreenLayerRecord& out)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_ledlayer_data WHERE led_id = ?", -1);
    statement.BindInt(1, ledId);
    if (statement.Step() != 100) return false;
    ReadScreenLayer(statement, out);
    return true;
}

int DataStore::ListScreenLayers(int profile, std::vector<ScreenLayerRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_ledlayer_data WHERE profile = ?", -1);
    statement.BindInt(1, profile);
    while (statement.Step() == 100) ReadScreenLayer(statement, out.emplace_back());
    return static_cast<int>(out.size());
}

int DataStore::InsertScreenFrames(const std::vector<ScreenFrameRecord>& frames)
{
    SQLiteAutoTransaction transaction(this);
    SQLiteStatement statement;
    m_db.Prepare(statement, kInsertFrame, -1);
    int written = 0;
    for (const ScreenFrameRecord& f : frames)
        if (InsertFrameRow(statement, f.led_id, f)) ++written;
    return written;
}

bool DataStore::ReplaceScreenFrames(int ledId, const std::vector<ScreenFrameRecord>& frames)
{
    return ReplaceRows("DELETE FROM t_ledframe_data WHERE led_id = ?", ledId, kInsertFrame, frames.size(),
                       [&](SQLiteStatement& s, size_t i) { return InsertFrameRow(s, ledId, frames[i]); });
}

bool DataStore::DeleteScreenFrames(int ledId)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_ledframe_data WHERE led_id = ?", -1);
    statement.BindInt(1, ledId);
    return StepDone(statement);
}

int DataStore::ListScreenFrames(int ledId, std::vector<ScreenFrameRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_ledframe_data WHERE led_id = ? ORDER BY frame_index ASC", -1);
    statement.BindInt(1, ledId);
    while (statement.Step() == 100) {
        ScreenFrameRecord& r = out.emplace_back();
        r.frame_id = statement.ColumnInt(0);
        r.led_id = statement.ColumnInt(1);
        r.name = ColumnString(statement, 2);
        r.delay_time = statement.ColumnInt(3);
        r.frame_index = statement.ColumnInt(4);
        r.file_name = ColumnString(statement, 5);
    }
    return static_cast<int>(out.size());
}

int DataStore::CountScreenFrames(int ledId)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "select count(*) FROM t_ledframe_data WHERE led_id = ?", -1);
    statement.BindInt(1, ledId);
    return StepCount(statement);
}

void DataStore::DeleteAllScreenLayers()
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_ledlayer_data", -1);
    statement.Step();
    m_db.Prepare(statement, "DELETE FROM t_ledframe_data", -1);
    statement.Step();
}
