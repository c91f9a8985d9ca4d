// Music-reactive light layers (t_musiclayer_data), stored under the
// settings profile.
#include "store/data_store.h"
#include "store/statement_helpers.h"

int DataStore::CountMusicLayers()
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "select count(*) FROM t_musiclayer_data WHERE profile = ?", -1);
    statement.BindInt(1, kSettingsProfile);
    return StepCount(statement);
}

int DataStore::InsertMusicLayer(const CString& name, int foremode)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "INSERT INTO t_musiclayer_data(profile, name, deviceindex, foremode, fore_amplitude, "
                 "backmode, backb_right, sel) VALUES (?, ?, ?, ?, ?, ?, ?, ?);",
                 -1);
    const QByteArray nameText = name.toUtf8();
    statement.BindInt(1, kSettingsProfile);
    BindUtf8(statement, 2, nameText);
    statement.BindInt(3, 0);
    statement.BindInt(4, foremode);
    statement.BindInt(5, 300);
    statement.BindInt(6, 0);
    statement.BindInt(7, 100);
    statement.BindInt(8, 0);
    return StepInsert(m_db, statement);
}

bool DataStore::DeleteMusicLayer(int layerId)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "DELETE FROM t_musiclayer_data WHERE layer_id = ?", -1);
    statement.BindInt(1, layerId);
    return StepDone(statement);
}

bool DataStore::RenameMusicLayer(int layerId, const CString& name)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_musiclayer_data SET name = ? WHERE layer_id = ?", -1);
    const QByteArray nameText = name.toUtf8();
    BindUtf8(statement, 1, nameText);
    statement.BindInt(2, layerId);
    return StepDone(statement);
}

int DataStore::ListMusicLayers(std::vector<MusicLayerRecord>& out)
{
    out.clear();
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_musiclayer_data WHERE profile = ?", -1);
    statement.BindInt(1, kSettingsProfile);
    while (statement.Step() == 100) {
        MusicLayerRecord& r = out.emplace_back();
        r.layer_id = statement.ColumnInt(0);
        r.profile = statement.ColumnInt(1);
        r.name = ColumnString(statement, 2);
    }
    return static_cast<int>(out.size());
}

bool DataStore::GetMusicLayer(int layerId, MusicLayerRecord& out)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT * FROM t_musiclayer_data WHERE layer_id = ?", -1);
    statement.BindInt(1, layerId);
    if (statement.Step() != 100) return false;
    out.layer_id = statement.ColumnInt(0);
    out.profile = statement.ColumnInt(1);
    out.name = ColumnString(statement, 2);
    out.deviceindex = statement.ColumnInt(3);
    out.foremode = statement.ColumnInt(4);
    out.fore_amplitude = statement.ColumnInt(5);
    out.backmode = statement.ColumnInt(6);
    out.backb_right = statement.ColumnInt(7);
    return true;
}

bool DataStore::UpdateMusicLayer(int layerId, const MusicLayerRecord& record)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement,
                 "UPDATE t_musiclayer_data SET deviceindex= ?, foremode= ?, fore_amplitude = ?, backmode= ?, "
                 "backb_right= ? WHERE layer_id = ?",
                 -1);
    statement.BindInt(1, record.deviceindex);
    statement.BindInt(2, record.foremode);
    statement.BindInt(3, record.fore_amplitude);
    statement.BindInt(4, record.backmode);
    statement.BindInt(5, record.backb_right);
    statement.BindInt(6, layerId);
    return StepDone(statement);
}

bool DataStore::SelectMusicLayer(int layerId)
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_musiclayer_data SET sel = ? WHERE profile = ?", -1);
    statement.BindInt(1, 0);
    statement.BindInt(2, kSettingsProfile);
    statement.Step();
    m_db.Prepare(statement, "UPDATE t_musiclayer_data SET sel = ? WHERE profile = ? AND layer_id = ?", -1);
    statement.BindInt(1, 1);
    statement.BindInt(2, kSettingsProfile);
    statement.BindInt(3, layerId);
    return StepDone(statement);
}

int DataStore::GetSelectedMusicLayer()
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT layer_id FROM t_musiclayer_data WHERE profile = ? AND sel = ?", -1);
    statement.BindInt(1, kSettingsProfile);
    statement.BindInt(2, 1);
    return StepCount(statement);
}
