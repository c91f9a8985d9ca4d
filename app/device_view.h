#pragma once
// What the main window shows of device discovery: the device list's marks
// and selection, the loaded keyboard, the two views, the controls that
// depend on the connection mode, the battery, the firmware-check timer and
// the computer-side key actions.
//
// Threads: called from the thread that runs the discovery operation (the
// worker, the udev monitor, the UI thread for list selection). The window
// hands everything except the device-list marks over to its UI thread.
#include "device/device_entry.h"
#include "device/layout_file.h"

class DeviceView {
public:
    virtual ~DeviceView() = default;

    virtual void SetAllDeviceState(int state) = 0;
    virtual void SetDeviceState(int deviceType, int state) = 0;
    virtual void SetSelectDevice(int deviceType) = 0;
    // The layout of the chosen keyboard was read (caption, pictures, tabs).
    virtual void LayoutLoaded(const DeviceEntry& keyboard, const LayoutFile& layout) = 0;
    virtual void ShowNoKeyboardView() = 0;
    virtual void ShowConnectedView(bool keyAssignmentPage) = 0;
    virtual void ApplyConnectMode(int connectMode) = 0;
    virtual void StartFirmwareCheckTimer(int milliseconds) = 0;
    virtual void SetBatteryInfo(int level, bool charging) = 0;
    virtual void RunKeyAction(int value) = 0;
};
