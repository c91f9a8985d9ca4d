#pragma once
// The process-wide local store: one SQLite database per keyboard model,
// "<data folder>/db/<model>_datav1.db", the lock that serialises its users
// (the UI thread and the worker) and every table operation.
//
// Failures are results: false, 0 or an empty list; nothing is shown and
// nothing throws. Every operation, and opening, closing and creating the
// file, holds the store lock for its whole duration; the lock is
// re-entrant. List operations clear the caller's vector first.
#include <atomic>
#include <mutex>
#include <functional>
#include <vector>

#include <QByteArray>

#include "platform/cstring.h"
#include "store/sqlite_db.h"
#include "store/store_records.h"

class DataStore {
public:
    // The settings profile: configuration, lighting, music and screen rows
    // are all stored under it, whatever key profile is chosen.
    static constexpr int kSettingsProfile = 1;

    static DataStore& Instance();

    // --- the file --------------------------------------------------------
    // "<dataFolder>/db/<model>_datav1.db".
    static CString DatabasePath(const CString& dataFolder, const CString& model);

    // Opens the model's file, creating "db/" and a fresh database when the
    // file does not exist. A connection to another model's file is closed
    // first (by force when SQLite refuses); a connection to this model's
    // file is kept. The result is also kept (IsOpened). A model name that
    // would leave the "db" folder is refused.
    bool OpenForDevice(const CString& dataFolder, const CString& model);
    // Opens the current path with the create flag and runs the 25 schema
    // statements in order, going on after a failure; true only if all
    // succeeded. True at once when a connection is open.
    bool CreateDatabase();
    // Writes the 23 default configuration rows (profile 1), unchecked.
    void InsertDefaultConfig();
    // Deletes the model's database file with its write-ahead log and shared
    // memory files; closes the connection first when it is on that file.
    void DeleteDatabaseFile(const CString& dataFolder, const CString& model);
    // Closes the connection (device switch, factory reset); IsOpened becomes
    // false. False when SQLite refused, in which case the handle is kept.
    bool Close();

    bool IsOpened() const { return m_opened.load(); }
    int DeviceId() const { return m_deviceId.load(); }
    void SetDeviceId(int id) { m_deviceId.store(id); }

    // The connection and its lock, for the wrapper classes and for code
    // that must run its own statements: hold Lock() while using it.
    SQLiteDB& Connection() { return m_db; }
    std::recursive_mutex& Lock() { return m_lock; }

    // --- t_config_data ------------------------------------------------------
    // Updates only: a key without a row is not created, yet reports success.
    bool SetConfigValue(int profile, const CString& key, const CString& value);
    // `value` is cleared first; true when the key has a row.
    bool GetConfigValue(int profile, const CString& key, CString& value);

    // --- t_profile_data -----------------------------------------------------
    int InsertProfile(const ProfileRecord& record);  // uses name and app
    bool DeleteProfile(int profile);                 // bindings stay
    bool RenameProfile(int profile, const CString& name);
    bool GetProfileName(int profile, CString& name);  // `name` cleared first
    int ListProfiles(std::vector<ProfileRecord>& out);
    bool MarkFirstProfileChosen();
    int GetChosenProfile();  // 0 when none
    void DeleteProfileBindings(int profile);

    // --- t_key_macro_data -------------------------------------------------
    // Keeps at most one row per (profile, fn_layer, key_code): deletes the
    // key's row, then inserts the record unless macro_value and
    // macro_value2 are both 0. New key_id, or 0 (also for key_code 0).
    int SaveKeyBinding(const KeyBindingRecord& record);
    bool GetKeyBinding(int profile, int fnLayer, int keyCode, KeyBindingRecord& out);
    int ListLayerBindings(int profile, int fnLayer, std::vector<KeyBindingRecord>& out);
    int ListProfileBindings(int profile, std::vector<KeyBindingRecord>& out);

    // --- t_key_otherdata ----------------------------------------------------
    int InsertKeyAction(const CString& macroDesc, const CString& param, int type);
    // Always true; the outputs are set only when the row exists.
    bool GetKeyAction(int macroValue, CString& macroDesc, CString& param, int& type);

    // --- t_macro_data, t_macrorecord --------------------------------------
    int InsertMacro(const CString& name);  // play once, default delays
    int InsertMacroWithSettings(const MacroRecord& record);
    bool RenameMacro(int macroId, const CString& name);
    bool UpdateMacroPlayback(const MacroRecord& record);
    // Deletes the macro, its events and every key bound to it (binding
    // type 3) in every profile and layer.
    bool DeleteMacro(int macroId);
    bool GetMacro(int macroId, MacroRecord& out);
    int ListMacros(std::vector<MacroRecord>& out);
    int InsertMacroEvent(int macroId, int type, int recordIndex, const CString& desc, int value,
                         int delayTime);
    // One transaction; failed rows are skipped, the rest is kept.
    void InsertMacroEvents(const std::vector<MacroEventRecord>& events);
    // Deletes the macro's events and inserts `events` under macroId as one
    // transaction; on any failure nothing changes.
    bool ReplaceMacroEvents(int macroId, const std::vector<MacroEventRecord>& events);
    int ListMacroEvents(int macroId, std::vector<MacroEventRecord>& out);  // by record_index
    bool DeleteMacroEvents(int macroId);
    int CountAllMacroEvents();
    int CountMacroEvents(int macroId);

    // --- t_light_data (settings profile) ------------------------------------
    int CountLightModes();
    int InsertLightMode(const LightModeRecord& record);
    bool UpdateLightMode(int mode, const LightModeRecord& record);
    bool SetActiveLightMode(int mode);
    int GetActiveLightMode(int profile);  // 0 when none
    bool GetLightMode(int mode, LightModeRecord& out);
    int ListLightModes(int profile, std::vector<LightModeRecord>& out);

    // --- t_userlight_data, t_userlightrgb_data (settings profile) -------------
    int CountUserLights();
    int InsertUserLight(int profile, const CString& name);
    bool DeleteUserLight(int userlightId);  // the set's row only
    bool RenameUserLight(int userlightId, const CString& name);
    int ListUserLights(std::vector<UserLightRecord>& out);
    // One transaction; returns the number of rows written.
    int InsertUserLightColours(const std::vector<UserLightColourRecord>& colours);
    // Deletes the set's colours and inserts `colours` under userlightId as
    // one transaction; on any failure nothing changes.
    bool ReplaceUserLightColours(int userlightId, const std::vector<UserLightColourRecord>& colours);
    bool DeleteUserLightColours(int userlightId);
    int ListUserLightColours(int userlightId, std::vector<UserLightColourRecord>& out);

    // --- t_customlight_data, t_customrgb_data -------------------------------
    int InsertCustomLight(int profile, const CString& name);  // status stays null
    bool SetCustomLightSpeed(int customlightId, int speed);
    // Always true; `speed` is set only when the effect exists.
    bool GetCustomLightSpeed(int customlightId, int& speed);
    // Deletes the effect and, if that succeeded, its keys.
    bool DeleteCustomLight(int customlightId);
    // Reads customlight_id, profile and name only.
    int ListCustomLights(int profile, std::vector<CustomLightRecord>& out);
    // Replaces the key's row in the effect; light_mode 0 only clears it.
    // New customrgb_id, or 0.
    int SaveCustomKey(const CustomKeyRecord& record);
    // The same for every element in one transaction, inserting every
    // element whatever its light_mode.
    void SaveCustomKeys(const std::vector<CustomKeyRecord>& records);
    // Deletes all the effect's keys and inserts `records` under
    // customlightId as one transaction; on any failure nothing changes.
    bool ReplaceCustomKeys(int customlightId, const std::vector<CustomKeyRecord>& records);
    int ListCustomKeys(int customlightId, std::vector<CustomKeyRecord>& out);

    // --- t_musiclayer_data (settings profile) -------------------------------
    int CountMusicLayers();
    int InsertMusicLayer(const CString& name, int foremode);
    bool DeleteMusicLayer(int layerId);
    bool RenameMusicLayer(int layerId, const CString& name);
    // Reads layer_id, profile and name only.
    int ListMusicLayers(std::vector<MusicLayerRecord>& out);
    // Reads every column but sel.
    bool GetMusicLayer(int layerId, MusicLayerRecord& out);
    bool UpdateMusicLayer(int layerId, const MusicLayerRecord& record);
    bool SelectMusicLayer(int layerId);
    int GetSelectedMusicLayer();  // 0 when none

    // --- t_ledlayer_data, t_ledframe_data -------------------------------------
    int InsertScreenLayer(int profile, const CString& name);
    bool SetScreenLayerFrameCount(int ledId, int frameSize);
    bool SetScreenLayerFirstFile(int ledId, const CString& firstFile);
    bool DeleteScreenLayer(int ledId);  // and its frames
    bool GetScreenLayer(int ledId, ScreenLayerRecord& out);
    int ListScreenLayers(int profile, std::vector<ScreenLayerRecord>& out);
    // One transaction; returns the number of rows written.
    int InsertScreenFrames(const std::vector<ScreenFrameRecord>& frames);
    // Deletes the layer's frames and inserts `frames` under ledId as one
    // transaction; on any failure nothing changes.
    bool ReplaceScreenFrames(int ledId, const std::vector<ScreenFrameRecord>& frames);
    bool DeleteScreenFrames(int ledId);
    int ListScreenFrames(int ledId, std::vector<ScreenFrameRecord>& out);  // by frame_index
    int CountScreenFrames(int ledId);
    void DeleteAllScreenLayers();

private:
    // Replaces every row of one owner in one transaction: the delete and all
    // inserts commit together, or the rows that were there stay.
    bool ReplaceRows(const char* deleteSql, int ownerId, const char* insertSql, size_t count,
                     const std::function<bool(SQLiteStatement&, size_t)>& insertRow);

    DataStore() = default;
    ~DataStore();
    DataStore(const DataStore&) = delete;
    DataStore& operator=(const DataStore&) = delete;

    // Closes the connection, by force when SQLite refuses.
    void ShutConnection();

    SQLiteDB m_db;
    std::recursive_mutex m_lock;
    QByteArray m_path;  // UTF-8 path of the current model's file
    std::atomic<int> m_deviceId{0};
    std::atomic<bool> m_opened{false};
};
