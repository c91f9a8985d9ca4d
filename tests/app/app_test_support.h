#pragma once
// Helpers of the shell's tests: files in temporary folders, and recorders
// that stand in for the device side, the pages and the main window.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/shell/device_side.h"
#include "app/shell/feature_tasks.h"
#include "app/shell/shell_window.h"

namespace apptest {

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Sets environment variables for one test and restores them afterwards.
class EnvironmentGuard {
public:
    void Set(const char* name, const QByteArray& value)
    {
        m_saved.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        qputenv(name, value);
    }
    ~EnvironmentGuard()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->wasSet)
                qputenv(it->name, it->value);
            else
                qunsetenv(it->name);
        }
    }

private:
    struct Saved {
        const char* name;
        bool wasSet;
        QByteArray value;
    };
    std::vector<Saved> m_saved;
};

// One log of calls, in order, shared by the recorders of a test; the worker
// thread writes it while the test thread reads it.
class CallLog {
public:
    void Add(std::string call)
    {
        const std::lock_guard lock(m_lock);
        m_calls.push_back(std::move(call));
    }
    std::vector<std::string> Take()
    {
        const std::lock_guard lock(m_lock);
        return std::exchange(m_calls, {});
    }
    size_t Count(const std::string& call) const
    {
        const std::lock_guard lock(m_lock);
        size_t n = 0;
        for (const std::string& c : m_calls) n += c == call;
        return n;
    }

private:
    mutable std::mutex m_lock;
    std::vector<std::string> m_calls;
};

class RecordingDevice final : public DeviceSide {
public:
    explicit RecordingDevice(CallLog& log) : m_log(log) {}
    void RefreshDevices() override { m_log.Add("refresh"); }
    void SelectDevice() override { m_log.Add("select"); }
    void PollBattery(bool forced) override { m_log.Add(forced ? "battery!" : "battery"); }
    void PollNotifications() override { m_log.Add("notify"); }
    void RefreshLink() override { m_log.Add("link"); }
    bool DevicePresent() const override { return present.load(); }
    bool DeviceOnline() const override { return online.load(); }
    int ConnectMode() const override { return present.load() ? 0 : -1; }

    std::atomic<bool> present{false};
    std::atomic<bool> online{false};

private:
    CallLog& m_log;
};

class RecordingFeatures final : public FeatureTasks {
public:
    explicit RecordingFeatures(CallLog& log) : m_log(log) {}
    void StartAudioCapture() override { m_log.Add("audio"); }
    void ReloadPages() override { m_log.Add("reload"); }
    void WriteKeyMap() override { m_log.Add("keymap"); }
    void WriteOneKey() override { m_log.Add("onekey"); }
    void WriteMacros() override { m_log.Add("macros"); }
    void WriteLightMode() override { m_log.Add("light"); }
    void WriteSideLightMode() override { m_log.Add("sidelight"); }
    void WriteUserLight() override { m_log.Add("userlight"); }
    void WriteSettings() override { m_log.Add("settings"); }
    void ResetKeyMap() override { m_log.Add("resetkeys"); }
    void RestoreDefaults() override { m_log.Add("restore"); }
    void SaveScreenAnimation() override { m_log.Add("savegif"); }
    void UploadScreenAnimation() override { m_log.Add("upload"); }
    void MaintainScreenLibrary() override { m_log.Add("library"); }
    void WriteScreenClock() override { m_log.Add("clock"); }
    void UpdateSoftware() override { m_log.Add("update-software"); }
    void UpdateFirmware() override { m_log.Add("update-firmware"); }
    void ReadKeyColours() override { m_log.Add("colours"); }
    void LiveFrame() override { m_log.Add("live"); }
    void MusicFrame() override { m_log.Add("music"); }

private:
    CallLog& m_log;
};

class RecordingWindow final : public ShellWindow {
public:
    explicit RecordingWindow(CallLog& log) : m_log(log) {}
    void CloseWaitDialog(WaitDialog which) override
    {
        switch (which) {
        case WaitDialog::kMain: m_log.Add("close-main"); break;
        case WaitDialog::kScreen: m_log.Add("close-screen"); break;
        case WaitDialog::kUpload: m_log.Add("close-upload"); break;
        case WaitDialog::kNone: m_log.Add("close-none"); break;
        }
    }
    void RestoreAfterExternalProgram() override { m_log.Add("restore-window"); }
    void ShowAndRaise() override { m_log.Add("show"); }

private:
    CallLog& m_log;
};

}  // namespace apptest
