#pragma once
// Device discovery: which keyboard the program works with, over which
// connection, and whether it answers. Refresh and selection run on the
// worker; device changes and list selection arrive on other threads and only
// mark entries and queue tasks. Battery and notification polls are
// rate-limited by the link's clock.
#include <atomic>
#include <mutex>
#include <optional>
#include <vector>

#include "device/device_entry.h"
#include "device/layout_file.h"
#include "link/discovery_host.h"
#include "link/hid_device_manager.h"

class DeviceDiscovery final : public DeviceChangeSink {
public:
    // The catalogue's mode entries, in catalogue order.
    DeviceDiscovery(HidDeviceManager& manager, DiscoveryHost& host, std::vector<DeviceEntry> modeEntries);

    void RefreshDevices();
    void SelectDevice();
    // An interface arrived or left: queues task 2 or 3 when a mode entry's
    // hid_interface occurs in the upper-cased name (Bluetooth low-energy HID
    // interfaces excepted).
    void OnDeviceChange(bool arrival, const CString& interfaceName) override;
    void OnDeviceListSelect();
    // Receiver mode only: QueryBattery at most every 15 s unless forced.
    void PollBattery(bool forced);
    // At most every 200 ms: one notify report with a 10 ms time-out.
    void PollNotifications();

    bool DevicePresent() const { return m_present.load(); }
    bool DeviceOnline() const { return m_online.load(); }
    int ConnectMode() const { return m_connectMode.load(); }
    bool ModeEntryPresent(size_t index) const;

    enum class FirmwareCheck { kNotOffered, kNoRelease, kUpToDate, kOlder };
    // Timer 300: compares the cable's release with the layout's version.
    FirmwareCheck CheckFirmwareVersion(const FirmwareInfo& firmware) const;

    // The release written in hexadecimal digits and read as a decimal number
    // (0x0105 -> 105); digits after a letter are not read.
    static int ReleaseAsDecimal(int release);
    // True when the keyboard's release is older than the layout's version.
    static bool IsFirmwareOlder(int release, const CString& layoutVersion);

    static constexpr int kFirstDeviceType = 101;
    static constexpr int kBatteryIntervalMs = 15000;
    static constexpr int kNotifyIntervalMs = 200;
    static constexpr int kNotifyTimeoutMs = 10;
    static constexpr int kFirmwareTimerMs = 3000;

private:
    void ShowConnected(bool keyAssignmentPage);

    HidDeviceManager& m_manager;
    DiscoveryHost& m_host;
    mutable std::mutex m_entriesLock;
    std::vector<DeviceEntry> m_entries;
    std::atomic<bool> m_present{false};
    std::atomic<bool> m_online{false};
    std::atomic<int> m_connectMode{-1};
    // Worker only.
    std::optional<LinkClock::TimePoint> m_lastBattery;
    std::optional<LinkClock::TimePoint> m_lastNotify;
};
