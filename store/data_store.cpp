#include "store/data_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "store/schema.h"
#include "store/statement_helpers.h"

namespace {

// Files SQLite keeps beside a database: the write-ahead log, its shared
// memory index and the rollback journal.
const char* const kCompanionSuffixes[] = {"-wal", "-shm", "-journal"};

// The model name becomes part of a file name; it must not lead out of the
// "db" folder or cut the path short.
bool IsUsableModelName(const CString& model)
{
    return !model.contains(u'/') && !model.contains(u'\\') && !model.contains(QChar(0)) &&
           model != u".." && model != u".";
}

CString DbFolder(const CString& dataFolder)
{
    CString folder = dataFolder;
    if (!folder.isEmpty() && !folder.endsWith(u'/')) folder += u'/';
    return folder + u"db"_qs;
}

void RemoveCompanions(const CString& path)
{
    for (const char* suffix : kCompanionSuffixes) QFile::remove(path + QLatin1String(suffix));
}

}  // namespace

DataStore& DataStore::Instance()
{
    static DataStore store;
    return store;
}

DataStore::~DataStore()
{
    m_db.ForceClose();
}

CString DataStore::DatabasePath(const CString& dataFolder, const CString& model)
{
    return DbFolder(dataFolder) + u'/' + model + u"_datav1.db"_qs;
}

void DataStore::ShutConnection()
{
    if (!m_db.Close()) m_db.ForceClose();
}

bool DataStore::OpenForDevice(const CString& dataFolder, const CString& model)
{
    std::lock_guard guard(m_lock);
    m_opened = false;
    if (!IsUsableModelName(model)) {
        ShutConnection();
        m_path.clear();
        return false;
    }
    const CString path = DatabasePath(dataFolder, model);
    const QByteArray utf8Path = path.toUtf8();
    // Never go on with another model's connection.
    if (m_db.IsOpen() && utf8Path != m_path) ShutConnection();
    m_path = utf8Path;

    bool ok;
    if (QFileInfo::exists(path)) {
        ok = m_db.IsOpen() || m_db.Open(m_path.constData(), kSQLiteOpenExisting);
    } else {
        QDir().mkpath(DbFolder(dataFolder));
        ok = CreateDatabase();
    }
    m_opened = ok;
    return ok;
}

bool DataStore::CreateDatabase()
{
    std::lock_guard guard(m_lock);
    if (m_db.IsOpen()) return true;
    if (m_path.isEmpty() || !m_db.Open(m_path.constData(), kSQLiteOpenCreate)) return false;
    bool ok = true;
    for (const char* statement : SchemaStatements())
        if (m_db.Exec(statement) != 0) ok = false;
    return ok;
}

void DataStore::InsertDefaultConfig()
{
    std::lock_guard guard(m_lock);
    SQLiteStatement statement;
    for (const DefaultConfigEntry& entry : DefaultConfigEntries()) {
        m_db.Prepare(statement, "INSERT INTO t_config_data(profile, key, value) VALUES (?, ?, ?);", -1);
        statement.BindInt(1, kSettingsProfile);
        statement.BindText(2, entry.key, -1);
        statement.BindText(3, entry.value, -1);
        statement.Step();
    }
}

void DataStore::DeleteDatabaseFile(const CString& dataFolder, const CString& model)
{
    if (!IsUsableModelName(model)) return;
    std::lock_guard guard(m_lock);
    const CString path = DatabasePath(dataFolder, model);
    // Deleting the file under an open connection would leave the store
    // writing into a file nobody can open again.
    if (m_db.IsOpen() && path.toUtf8() == m_path) {
        ShutConnection();
        m_opened = false;
    }
    QFile::remove(path);
    RemoveCompanions(path);
}

bool DataStore::Close()
{
    std::lock_guard guard(m_lock);
    m_opened = false;
    return m_db.Close();
}
