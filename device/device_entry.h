#pragma once
// One record of the device catalogue: a keyboard entry (one per keyboard
// model) or a mode entry (one per connection of a keyboard). Both share this
// shape; a mode entry inherits its keyboard's device type, layout name and
// pictures.
#include <cstdint>

#include "platform/cstring.h"

// How a keyboard is connected.
enum ConnectMode : int { kConnectNone = -1, kConnectCable = 0, kConnectBluetooth = 1, kConnectReceiver = 2 };

struct DeviceEntry {
    CString name;             // keyboard name, or the product string of a mode entry
    int deviceType = 0;       // catalogue number (100 and above)
    CString deviceInfo;       // layout file name without ".xml"
    int mode = 0;             // ConnectMode of a mode entry
    unsigned vendorId = 0;
    unsigned productId = 0;
    CString desc;             // description, kept but not shown
    CString unused;           // always empty
    CString hidInterface;     // text found in the upper-cased interface name
    CString imgConnected;     // absolute path of the connected picture
    CString imgDisconnected;  // absolute path of the disconnected picture
    int present = 0;          // set at run time by discovery
    int32_t reserved = -1;
};
