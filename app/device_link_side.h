#pragma once
// The device side of the worker on the real device link: the HID manager on
// hidraw or on the simulated keyboard, device discovery, and hot-plug (a
// udev monitor, or the simulator's plug notices). It keeps discovery's
// host state (the device list's marks and selection, the stored choice, the
// layout of the chosen keyboard with its store), hands what is to be shown
// to the main window's DeviceView when one is attached, and says on
// standard error what changes (one line per view change, which also lets a
// script follow the program).
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "app/device_view.h"
#include "app/shell/device_side.h"
#include "app/shell/shell_options.h"
#include "app/shell/task_queue.h"
#include "device/catalogue.h"
#include "device/key_tables.h"
#include "device/layout_file.h"
#include "link/device_commands.h"
#include "link/device_discovery.h"
#include "link/discovery_host.h"
#include "link/udev_monitor.h"
#include "sim/sim_session.h"

class DeviceLinkSide final : public DeviceSide, private DiscoveryHost {
public:
    // Null (and a message) when the simulator cannot be set up as asked.
    static std::unique_ptr<DeviceLinkSide> Create(const ShellOptions& options, const CString& programFolder,
                                                  const CString& dataFolder, TaskQueue& queue, CString& error);
    ~DeviceLinkSide() override;

    void RefreshDevices() override { m_discovery->RefreshDevices(); }
    void SelectDevice() override { m_discovery->SelectDevice(); }
    void PollBattery(bool forced) override { m_discovery->PollBattery(forced); }
    void PollNotifications() override { m_discovery->PollNotifications(); }
    void RefreshLink() override { m_manager.Refresh(); }
    bool DevicePresent() const override { return m_discovery->DevicePresent(); }
    bool DeviceOnline() const override { return m_discovery->DeviceOnline(); }
    int ConnectMode() const override { return m_discovery->ConnectMode(); }

    // The window that shows discovery; null for none. Set before the worker
    // starts and cleared after it stopped.
    void SetView(DeviceView* view) { m_view.store(view); }
    const Catalogue& GetCatalogue() const { return m_catalogue; }
    HidDeviceManager& Manager() { return m_manager; }
    DeviceDiscovery& Discovery() { return *m_discovery; }
    // The simulated keyboards; null on the real link.
    SimBackend* Simulation() const { return m_simulated ? m_simulation.Backend().get() : nullptr; }
    int SimulatedDeviceType() const { return m_simulated ? m_simulation.DeviceType() : 0; }
    // UI thread: the user chose a keyboard in the device list.
    void OnDeviceListSelect(int deviceType);

    // The layout of the keyboard chosen last (a copy: read from any thread).
    LayoutFile CurrentLayout() const;
    // Runs a device exchange with the current keyboard's layout, key tables
    // and connection mode (worker thread). The layout is the one loaded
    // when the call began, even if another is loaded meanwhile.
    void RunCommand(const std::function<void(const CommandContext&)>& exchange);
    int CurrentDeviceType() const { return m_selected.load(); }
    int DeviceState(int deviceType) const;
    int BatteryLevel() const { return m_batteryLevel.load(); }

private:
    DeviceLinkSide(const CString& programFolder, const CString& dataFolder, TaskQueue& queue);

    // DiscoveryHost: kept here, shown through the view.
    void SetAllDeviceState(int state) override;
    void SetDeviceState(int deviceType, int state) override;
    void SetSelectDevice(int deviceType) override;
    int GetSelectDevice() override { return m_selected.load(); }
    int ReadStoredDeviceType() override;
    void WriteStoredDeviceType(int deviceType) override;
    void LoadLayout(int deviceType) override;
    void ShowNoKeyboardView() override;
    void ShowConnectedView(bool keyAssignmentPage) override;
    void ApplyConnectMode(int connectMode) override;
    void StartFirmwareCheckTimer(int milliseconds) override;
    void QueueTask(int task) override { m_queue.Push(task); }
    void SetBatteryInfo(int level, bool charging) override;
    void RunKeyAction(int value) override;

    CString m_programFolder;
    CString m_dataFolder;
    TaskQueue& m_queue;
    Catalogue m_catalogue;
    SimSession m_simulation;
    bool m_simulated = false;
    HidDeviceManager& m_manager;
    std::unique_ptr<DeviceDiscovery> m_discovery;
    std::unique_ptr<UdevMonitor> m_udev;

    mutable std::mutex m_lock;  // guards the marks and the layout
    std::map<int, int> m_deviceStates;
    LayoutFile m_layout;
    // What device exchanges use: replaced as a whole when a layout loads.
    struct CommandLayout {
        LayoutFile layout;
        KeyTables tables;
    };
    std::shared_ptr<const CommandLayout> m_commandLayout = std::make_shared<CommandLayout>();
    std::atomic<int> m_selected{0};
    std::atomic<int> m_batteryLevel{-1};
    std::atomic<DeviceView*> m_view{nullptr};
};
