#pragma once
// Hot-plug on Linux: a udev monitor of the hidraw subsystem. Each arrival or
// removal of a hidraw node becomes an OnDeviceChange call with the interface
// name in the upper-cased Windows form the catalogue's hid_interface texts
// are written against:
//   \\?\HID#VID_3A7E&PID_0104&MI_02#HIDRAW3#{4D1E55B2-F16F-11CF-88CB-001111000030}
// The name is built from the device path alone, so that removals (whose
// sysfs entries are already gone) are named like their arrivals.
#include <atomic>
#include <string>
#include <thread>

#include "link/hid_backend.h"

// The Windows-form name of a hidraw node from its udev device path
// ("/devices/.../1-2:1.2/0003:3A7E:0104.0005/hidraw/hidraw3"). USB gives
// VID_xxxx&PID_xxxx&MI_xx; classic Bluetooth VID_xxxx&PID_xxxx; Bluetooth
// low-energy (through uhid) the HID-over-GATT service identifier. Empty when
// the path names no HID device.
CString HidInterfaceName(const std::string& devpath);

class UdevMonitor {
public:
    explicit UdevMonitor(DeviceChangeSink& sink);
    ~UdevMonitor();
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    // Starts the monitor thread; false when udev cannot be monitored here.
    bool Start();
    void Stop();
    bool Running() const { return m_thread.joinable(); }

private:
    void Run(void* monitor);

    DeviceChangeSink& m_sink;
    std::thread m_thread;
    int m_stopFd = -1;
    void* m_udev = nullptr;
};
