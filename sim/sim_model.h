#pragma once
// The hardware of a simulated keyboard: its connections (cable, receiver,
// Bluetooth), the HID interfaces each connection shows with their usages and
// report lengths, and the few layout facts the firmware needs (RGB or single
// colour, the screen, the light positions of its keys).
#include <string>
#include <vector>

#include "device/catalogue.h"
#include "device/layout_file.h"
#include "link/hid_backend.h"

enum class SimInterfaceKind {
    kKeyboard,  // boot keyboard: 8-byte input, 1-byte LED output
    kConsumer,  // media keys
    kNotify,    // usage page 0xFFFF, usage 1: input reports with id 5
    kCommand,   // 65-byte feature reports (cable and Bluetooth)
    kReceiver,  // 33-byte output and input reports (2.4 GHz receiver)
    kScreen,    // 4097-byte output and input reports
};
const char* SimInterfaceKindName(SimInterfaceKind kind);

struct SimInterfaceDesc {
    SimInterfaceKind kind = SimInterfaceKind::kKeyboard;
    int number = -1;      // USB interface number (MI_xx); -1 over Bluetooth
    int collection = 0;   // 1-based collection on a shared interface; 0 when alone
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    HidReportLengths lengths;
};

struct SimConnectionDesc {
    int mode = 0;  // 0 cable, 1 Bluetooth, 2 receiver
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    CString productName;
    std::vector<SimInterfaceDesc> interfaces;
};

// Where a light sits on the keyboard: its light position and the centre of
// its key, scaled so that the keys span 0..1 across and down.
struct SimLightPlace {
    int position = 0;
    float x = 0, y = 0;
};

struct SimModel {
    int deviceType = 0;
    CString name;             // layout name (device_info), e.g. "vn104"
    bool rgb = true;          // per-key RGB, else single colour
    bool hasScreen = false;
    ScreenInfo screen;        // head length, frames, slots, size
    std::vector<int> lightPositions;  // of the layout's keys, for the LED read-back
    std::vector<SimLightPlace> lightPlaces;  // the same lights with their key centres
    int brightnessMax = 5;            // of the preset effects (layout's light element)
    int speedMax = 5;
    uint16_t release = 0x0100;        // firmware release (bcdDevice) of the cable connection
    std::vector<SimConnectionDesc> connections;

    const SimConnectionDesc* Connection(int mode) const;
};

// The USB interface number named by an hid_interface text ("...&MI_02"); -1
// when the text names none (a Bluetooth connection).
int InterfaceNumberOf(const CString& hidInterface);

// Builds the model of one keyboard of the catalogue: for each of its mode
// entries a connection whose interfaces are those its hid_interface implies.
// A cable or receiver connection has a boot keyboard at MI_00, media keys and
// the notify collection at MI_01, the screen interface just before the
// command interface when the layout has a screen, and the command (or
// receiver) interface at the number its hid_interface names. A Bluetooth
// connection has a keyboard and a command collection.
SimModel SimModelFromCatalogue(const Catalogue& catalogue, int deviceType, const LayoutFile& layout);
