#pragma once
// The HID access the device link needs, behind one interface with two
// implementations: hidapi on hidraw for real keyboards (hidapi_backend.h) and
// the simulated keyboard (sim/sim_backend.h).
//
// Results follow hidapi as the link expects it: counts of bytes, -1 on
// failure. GetFeatureReport returns the data bytes without the report id (64
// for a 65-byte report); ReadTimeout strips a report id of 0 (a 33-byte input
// report yields 32 bytes) and returns 0 when nothing arrived in time.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/cstring.h"

// One enumerated HID interface (one top-level collection).
struct HidInterfaceInfo {
    std::string path;         // opens the interface
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t release = 0;     // bcdDevice
    CString productName;      // empty when the device reports none
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    int interfaceNumber = -1; // USB interface (MI_xx); -1 when not known
};

// Longest report of each kind plus one byte for the report id; 0 when the
// interface has no report of that kind.
struct HidReportLengths {
    int input = 0;
    int output = 0;
    int feature = 0;
};

class HidDevice {
public:
    virtual ~HidDevice() = default;  // closes the device
    virtual int SendFeatureReport(const uint8_t* data, int length) = 0;
    virtual int GetFeatureReport(uint8_t* data, int length) = 0;
    virtual int Write(const uint8_t* data, int length) = 0;
    virtual int ReadTimeout(uint8_t* data, int length, int timeoutMs) = 0;
    virtual HidReportLengths ReportLengths() const = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // Every HID interface present, in the back end's order.
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Null when the interface cannot be opened.
    virtual std::unique_ptr<HidDevice> Open(const std::string& path) = 0;
};

// Told of interfaces arriving and leaving. The name is the interface name in
// the upper-cased Windows form (containing VID_xxxx&PID_xxxx&MI_xx) that the
// catalogue's hid_interface texts are written against. Called on the thread
// that noticed the change (a monitor thread, or whoever plugs the simulator).
class DeviceChangeSink {
public:
    virtual ~DeviceChangeSink() = default;
    virtual void OnDeviceChange(bool arrival, const CString& interfaceName) = 0;
};
