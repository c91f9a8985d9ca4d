#pragma once
// The main window: the frame around the pages (caption, system buttons,
// battery and connection displays, page tabs, the home page with the
// device list), the page switch, the views of device discovery, the
// notification-area icon, the close paths and the worker that performs
// every device exchange.
//
// Threads: the worker and the device monitors call the ShellWindow and
// DeviceView operations from their threads; each is handed over to the UI
// thread (UiQueue) and applied there in the order it was called.
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "app/device_view.h"
#include "app/shell/shell_window.h"
#include "app/shell/shell_worker.h"
#include "app/window/main_page.h"
#include "app/window/tray_icon.h"
#include "app/window/ui_queue.h"
#include "oxa/core/dialog.h"

class DeviceLinkSide;
class FeatureTasks;
class TaskQueue;

namespace OXA {
class MTabCtrl;
class MTabLayout;
class MText;
class MPicture;
class CGifPicture;
class CDeviceList;
class CDeviceCtrl;
class BatteryCtrl;
}  // namespace OXA

class KeyboardDlg : public OXA::MDialog, public ShellWindow, public DeviceView {
public:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 720;
    static constexpr unsigned long kStyle = 0x96000000UL;  // popup, visible, clip siblings and children

    KeyboardDlg(TaskQueue& queue, DeviceLinkSide& device, FeatureTasks& features, const CString& softwareName,
                const CString& programFolder);
    ~KeyboardDlg() override;

    // Pages join before the window is created.
    void AddPage(std::unique_ptr<MainPage> page);

    // Creates the window (1280 x 720, centred) and runs it modally with the
    // show mode (0 hidden in the notification area, 5 shown) until it is
    // destroyed. Returns the process exit code asked for (0).
    int Run(int showMode);
    // Creates and centres the window without running it (tests, screenshots).
    bool CreateMainWindow();
    // Stops the worker, removes the icon, empties the device list and
    // destroys the window. False when the worker did not stop in time.
    bool DestroyMainWindow();

    // --- MDialog ------------------------------------------------------------
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
    int OnInitDialog() override;
    void InitUI(OXA::CRect client) override;
    void UISize(OXA::CRect client) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    int OnTimer(unsigned id) override;
    void PostNcDestroy() override;

    // --- ShellWindow (worker thread) ----------------------------------------
    void CloseWaitDialog(WaitDialog which) override;
    void RestoreAfterExternalProgram() override;
    void ShowAndRaise() override;

    // --- DeviceView (any thread) ---------------------------------------------
    void SetAllDeviceState(int state) override;
    void SetDeviceState(int deviceType, int state) override;
    void SetSelectDevice(int deviceType) override;
    void LayoutLoaded(const DeviceEntry& keyboard, const LayoutFile& layout) override;
    void ShowNoKeyboardView() override;
    void ShowConnectedView(bool keyAssignmentPage) override;
    void ApplyConnectMode(int connectMode) override;
    void StartFirmwareCheckTimer(int milliseconds) override;
    void SetBatteryInfo(int level, bool charging) override;
    void RunKeyAction(int value) override;

    // --- operations of the pages (UI thread) ---------------------------------
    ShellWorker& Worker() { return m_worker; }
    // Any thread: hands work to the UI thread.
    void PostToUi(std::function<void()> work) { m_ui.Post(std::move(work)); }
    // Queues a task and shows the wait dialog until the worker closes it.
    void QueueTaskAndWait(int task);
    // Firmware: compares the keyboard's release with the layout's version
    // and starts the updater when the keyboard is older; otherwise says it
    // is up to date.
    void StartFirmwareUpdater();
    // Timer 300: offers the update prompt when the keyboard is older.
    void CheckFirmwareVersion();
    // The close button: asks once, then hides or ends as "exit_mode" says.
    void OnCloseButton();
    // Re-applies the interface texts to every control.
    void ApplyLanguageTexts();
    // Page switch for the tab at `position` (the tab control's notification).
    void SwitchPage(int position);
    // Selects the tab at `position` and runs the page switch, also when that
    // tab is selected already.
    void SelectTab(int position);
    // Click on the keyboard picture of the home page.
    void EnterMainFrame();

    // --- state, for tests and the screenshot option ----------------------------
    int CurrentPage() const { return m_currentPage; }
    int PreviousPage() const { return m_previousPage; }
    int ConnectModeShown() const { return m_connectMode; }
    bool ConnectedViewShown() const { return m_connectedView; }
    bool TrayIconShown() const { return m_tray.IsShown(); }
    int EndRequested() const { return m_endRequested; }
    // False when the worker's pass had not ended 1000 ms after the stop.
    bool WorkerStopped() const { return m_workerStopped; }
    // Called on the UI thread after each view change (true: connected).
    void SetViewHook(std::function<void(bool)> hook) { m_viewHook = std::move(hook); }
    // Control of the frame or a page by id.
    OXA::MControl* FindControl(unsigned id);

private:
    void CreateFrame(OXA::CRect client);
    void CreateHomePage(OXA::CRect client);
    void FillDeviceList();
    void SetCloseTooltip();
    void ApplyModeControls(int connectMode);
    void ShowFrameParts(bool show);
    void StartUpdater(const LayoutFile& layout);
    void EndProcess();
    void OnTrayEvent(unsigned event);
    void ShowTrayMenu();
    void OpenWebsite();

    DeviceLinkSide& m_device;
    CString m_softwareName;
    CString m_programFolder;
    ShellWorker m_worker;
    UiQueue m_ui;
    TrayIcon m_tray;
    std::vector<std::unique_ptr<MainPage>> m_pages;

    // Frame controls (owned by the window's manager).
    OXA::MPicture* m_background = nullptr;
    OXA::CGifPicture* m_animated = nullptr;
    OXA::MText* m_caption = nullptr;
    OXA::MText* m_pageTitle = nullptr;
    OXA::MPicture* m_pageIcon = nullptr;
    OXA::MPicture* m_logo = nullptr;
    OXA::BatteryCtrl* m_battery = nullptr;
    OXA::MPicture* m_modePicture = nullptr;
    OXA::MTabCtrl* m_tabs = nullptr;
    std::array<OXA::MTabLayout*, 9> m_containers{};
    OXA::MText* m_noKeyboardText = nullptr;
    OXA::CDeviceCtrl* m_devicePicture = nullptr;
    OXA::CDeviceList* m_deviceList = nullptr;

    // UI thread only.
    int m_currentPage = 0;
    int m_previousPage = 1;
    int m_connectMode = -1;
    bool m_connectedView = false;
    LayoutFile m_layout;
    DeviceEntry m_keyboard;
    bool m_created = false;
    bool m_destroyed = false;
    bool m_workerStopped = true;
    int m_endRequested = -1;
    std::array<OXA::MDialog*, 4> m_waitDialogs{};
    std::function<void(bool)> m_viewHook;
};
