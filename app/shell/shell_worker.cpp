#include "app/shell/shell_worker.h"

#include <chrono>
#include <thread>

#include "platform/external_process.h"

namespace {

// Page ids with idle work.
constexpr int kLightModesPage = 3;
constexpr int kPerKeyAnimationPage = 6;
constexpr int kMusicPage = 7;

}  // namespace

ShellWorker::ShellWorker(TaskQueue& queue, DeviceSide& device, FeatureTasks& features, ShellWindow& window)
    : m_queue(queue), m_device(device), m_features(features), m_window(window)
{
}

ShellWorker::~ShellWorker()
{
    if (!StopWorker()) Join();
}

void ShellWorker::StartWorker()
{
    Start(kPeriodMs, true);
    QueueTask(ShellTask::kFirstRefresh);
}

bool ShellWorker::StopWorker() { return Stop(kStopWaitMs); }

void ShellWorker::Run()
{
    if (const pid_t pid = m_waitProcess.load(); pid != 0) {
        WaitForExternalProgram(pid);
        if (m_waitProcess.load() == pid) return;  // stopped while waiting
    }
    if (const std::optional<int> task = m_queue.Pop()) {
        if (ShellTask::NeedsKeyboard(*task) && !KeyboardReady())
            Drop(*task);
        else
            Perform(*task);
        return;
    }
    if (m_device.DevicePresent()) IdleWork();
}

void ShellWorker::WaitForExternalProgram(pid_t pid)
{
    // No time-out, but a shutdown ends the wait; a process that cannot be
    // waited for is not waited for.
    if (WaitForProcessEnd(pid, [this] { return KeepRunning(); }) == ProcessWait::kInterrupted) return;
    m_window.RestoreAfterExternalProgram();
    m_device.RefreshLink();
    pid_t expected = pid;
    m_waitProcess.compare_exchange_strong(expected, 0);
}

void ShellWorker::Drop(int task)
{
    const WaitDialog dialog = WaitDialogOfTask(task);
    if (dialog != WaitDialog::kNone) m_window.CloseWaitDialog(dialog);
}

void ShellWorker::Perform(int task)
{
    using namespace ShellTask;
    switch (task) {
    case kFirstRefresh:
        if (m_firstRefreshDone.exchange(true)) break;
        m_device.RefreshDevices();
        m_device.SelectDevice();
        m_features.StartAudioCapture();
        m_device.PollBattery(true);
        break;
    case kDeviceArrival:
        m_device.RefreshDevices();
        m_device.SelectDevice();
        m_device.PollBattery(true);
        break;
    case kDeviceRemoval:
        m_device.RefreshDevices();
        m_device.SelectDevice();
        break;
    case kDeviceListSelect:
        m_device.RefreshDevices();
        m_device.SelectDevice();
        m_device.PollBattery(true);
        // Task 5's work needs the keyboard like task 5 itself.
        if (KeyboardReady()) m_features.ReloadPages();
        break;
    case kReloadPages: m_features.ReloadPages(); break;
    case kWriteKeyMap: m_features.WriteKeyMap(); break;
    case kWriteOneKey: m_features.WriteOneKey(); break;
    case kWriteMacros: m_features.WriteMacros(); break;
    case kWriteLightMode: m_features.WriteLightMode(); break;
    case kWriteSideLightMode: m_features.WriteSideLightMode(); break;
    case kWriteUserLight: m_features.WriteUserLight(); break;
    case kWriteSettings: m_features.WriteSettings(); break;
    case kResetKeyMap: m_features.ResetKeyMap(); break;
    case kRestoreDefaults: m_features.RestoreDefaults(); break;
    case kSaveScreenAnimation: m_features.SaveScreenAnimation(); break;
    case kUploadScreenAnimation: m_features.UploadScreenAnimation(); break;
    case kScreenLibrary: m_features.MaintainScreenLibrary(); break;
    case kWriteScreenClock: m_features.WriteScreenClock(); break;
    case kUpdateSoftware: m_features.UpdateSoftware(); break;
    case kUpdateFirmware: m_features.UpdateFirmware(); break;
    default: return;  // 0, 18 and unknown numbers: taken and ignored
    }
    const WaitDialog dialog = WaitDialogOfTask(task);
    if (dialog == WaitDialog::kNone) return;
    m_window.CloseWaitDialog(dialog);
    if (dialog == WaitDialog::kMain) std::this_thread::sleep_for(std::chrono::milliseconds(kPauseAfterMainWaitMs));
}

void ShellWorker::IdleWork()
{
    // Linux timers and sleeps are already fine-grained: the live frames need
    // no raised timer resolution.
    switch (m_currentPage.load()) {
    case kLightModesPage: m_features.ReadKeyColours(); break;
    case kPerKeyAnimationPage: m_features.LiveFrame(); break;
    case kMusicPage:
        if (m_device.DeviceOnline()) m_features.MusicFrame();
        break;
    default: break;
    }
    m_device.PollBattery(false);
    m_device.PollNotifications();
}
