#pragma once
// What device discovery needs of the main window: the device list, the
// stored choice of keyboard, the layout, the views and the worker's queue.
// The main window implements it; tests implement it with a recorder.
// Calls come from the thread that runs the discovery operation (the worker
// for refresh, selection and polls; the UI or monitor thread for device
// changes and list selection).
#include "platform/cstring.h"

// Worker tasks queued by discovery.
enum DiscoveryTask : int {
    kTaskDeviceArrival = 2,
    kTaskDeviceRemoval = 3,
    kTaskDeviceListSelect = 4,
    kTaskKeyboardConnected = 5,
};

class DiscoveryHost {
public:
    virtual ~DiscoveryHost() = default;
    // Device list: presence marks and selection.
    virtual void SetAllDeviceState(int state) = 0;
    virtual void SetDeviceState(int deviceType, int state) = 0;
    virtual void SetSelectDevice(int deviceType) = 0;
    virtual int GetSelectDevice() = 0;
    // The stored choice ("DeviceType"); 0 when none is stored.
    virtual int ReadStoredDeviceType() = 0;
    virtual void WriteStoredDeviceType(int deviceType) = 0;
    // Loads the layout of a device type (its command delay reaches the link).
    virtual void LoadLayout(int deviceType) = 0;
    // The views: no keyboard (home page, device status 0), or connected
    // (device status 1) with the key assignment page or the previous page.
    virtual void ShowNoKeyboardView() = 0;
    virtual void ShowConnectedView(bool keyAssignmentPage) = 0;
    // Tabs, battery display, status control, mode picture and firmware
    // button for a connection mode (-1 leaves them as they are).
    virtual void ApplyConnectMode(int connectMode) = 0;
    virtual void StartFirmwareCheckTimer(int milliseconds) = 0;
    virtual void QueueTask(int task) = 0;
    virtual void SetBatteryInfo(int level, bool charging) = 0;
    // The computer-side function stored for a key's value (kept by the key pages).
    virtual void RunKeyAction(int value) = 0;
};
