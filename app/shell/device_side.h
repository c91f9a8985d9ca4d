#pragma once
// What the worker needs of the device link: the operations of tasks 1 to 4,
// the polls between tasks, the refresh after an external program ended, and
// the state flags every task is checked against.
//
// Threads: the operations are called on the worker only; the flags are read
// from the worker and from the UI thread, so they must be safe to read from
// any thread (atomics).
class DeviceSide {
public:
    virtual ~DeviceSide() = default;

    // Rebuilds the HID link and the presence marks of the device list.
    virtual void RefreshDevices() = 0;
    // Makes the chosen keyboard current, loads its layout, sets the view and
    // queues task 5 when it is connected.
    virtual void SelectDevice() = 0;
    // Battery query (receiver only), at most every 15 s unless forced.
    virtual void PollBattery(bool forced) = 0;
    // One notification report, at most every 200 ms.
    virtual void PollNotifications() = 0;
    // Refresh of the HID link alone (clear the cached handle, close all,
    // open the devices, mark opened, clear busy): after the firmware updater
    // the worker waited for has ended.
    virtual void RefreshLink() = 0;

    // At least one command interface of a known keyboard is open.
    virtual bool DevicePresent() const = 0;
    // The current keyboard answers.
    virtual bool DeviceOnline() const = 0;
    // Connection mode of the current keyboard: 0 cable, 1 Bluetooth,
    // 2 receiver, -1 none.
    virtual int ConnectMode() const = 0;
};

// The device side while no device link is wired in: no keyboard is ever
// present, and the operations do nothing.
class NoDeviceSide final : public DeviceSide {
public:
    void RefreshDevices() override {}
    void SelectDevice() override {}
    void PollBattery(bool) override {}
    void PollNotifications() override {}
    void RefreshLink() override {}
    bool DevicePresent() const override { return false; }
    bool DeviceOnline() const override { return false; }
    int ConnectMode() const override { return -1; }
};
