#pragma once
// The numbers of the worker's tasks and what the shell knows about each:
// whether it needs the keyboard, and which wait dialog it closes.
namespace ShellTask {

constexpr int kFirstRefresh = 1;         // refresh, selection, audio start, battery; once
constexpr int kDeviceArrival = 2;        // refresh, selection, battery
constexpr int kDeviceRemoval = 3;        // refresh, selection
constexpr int kDeviceListSelect = 4;     // refresh, selection, battery, then task 5's work
constexpr int kReloadPages = 5;
constexpr int kWriteKeyMap = 6;
constexpr int kWriteOneKey = 7;
constexpr int kWriteMacros = 8;
constexpr int kWriteLightMode = 9;
constexpr int kWriteSideLightMode = 10;
constexpr int kWriteUserLight = 11;
constexpr int kWriteSettings = 12;
constexpr int kResetKeyMap = 13;
constexpr int kRestoreDefaults = 14;
constexpr int kSaveScreenAnimation = 15;
constexpr int kUploadScreenAnimation = 16;
constexpr int kScreenLibrary = 17;
constexpr int kWriteScreenClock = 19;
constexpr int kUpdateSoftware = 20;
constexpr int kUpdateFirmware = 21;

// Tasks from this number on are dropped while the keyboard is not both
// present and online.
constexpr int kFirstKeyboardTask = 5;

inline bool NeedsKeyboard(int task) { return task >= kFirstKeyboardTask; }

}  // namespace ShellTask

// The modal wait dialogs a page opens before queuing a task.
enum class WaitDialog {
    kNone,
    kMain,    // WaitDlg: key map, macros, user light, key reset, restore
    kScreen,  // LEDWaitDlg: saving and importing screen animations
    kUpload,  // LEDWaitDlg2: sending a screen animation
};

// The wait dialog the page opened for a task, which the worker closes when
// the task is done or dropped.
inline WaitDialog WaitDialogOfTask(int task)
{
    switch (task) {
    case ShellTask::kWriteKeyMap:
    case ShellTask::kWriteMacros:
    case ShellTask::kWriteUserLight:
    case ShellTask::kResetKeyMap:
    case ShellTask::kRestoreDefaults: return WaitDialog::kMain;
    case ShellTask::kSaveScreenAnimation:
    case ShellTask::kScreenLibrary: return WaitDialog::kScreen;
    case ShellTask::kUploadScreenAnimation: return WaitDialog::kUpload;
    default: return WaitDialog::kNone;
    }
}
