#pragma once
// Test support for the device link: the shipped catalogue's keyboards as
// plain data, a simulator wired to a manager on a manual clock, and reading
// of the simulator's trace.
#include <memory>
#include <string>
#include <vector>

#include "device/catalogue.h"
#include "device/key_tables.h"
#include "device/layout_file.h"
#include "link/device_commands.h"
#include "link/hid_device_manager.h"
#include "link/link_clock.h"
#include "sim/sim_backend.h"
#include "sim/sim_model.h"
#include "sim/sim_trace.h"

namespace linktest {

constexpr int kK104 = 101;  // cable, receiver, Bluetooth; RGB
constexpr int kK75 = 102;   // cable with screen, receiver; RGB
constexpr int kK87 = 103;   // cable only; single colour

inline DeviceEntry Mode(int type, const char* info, int mode, unsigned pid, const char* product, const char* iface)
{
    DeviceEntry e;
    e.deviceType = type;
    e.deviceInfo = QString::fromLatin1(info);
    e.mode = mode;
    e.vendorId = 0x3A7E;
    e.productId = pid;
    e.name = QString::fromLatin1(product);
    e.hidInterface = QString::fromLatin1(iface);
    return e;
}

// The keyboards and connections of data/config.xml.
inline Catalogue ShippedCatalogue()
{
    Catalogue c;
    auto keyboard = [&](int type, const char* name, const char* info) {
        DeviceEntry k;
        k.name = QString::fromLatin1(name);
        k.deviceType = type;
        k.deviceInfo = QString::fromLatin1(info);
        c.keyboards.push_back(k);
    };
    keyboard(kK104, "Varnet K104 RGB", "vn104");
    c.modes.push_back(Mode(kK104, "vn104", 0, 0x0104, "Varnet K104", "VID_3A7E&PID_0104&MI_02"));
    c.modes.push_back(Mode(kK104, "vn104", 2, 0x2104, "Varnet 2.4G Receiver", "VID_3A7E&PID_2104&MI_02"));
    c.modes.push_back(Mode(kK104, "vn104", 1, 0xB104, "Varnet K104 BT", "VID_3A7E&PID_B104"));
    keyboard(kK75, "Varnet K75 RGB Screen", "vn75");
    c.modes.push_back(Mode(kK75, "vn75", 0, 0x0075, "Varnet K75", "VID_3A7E&PID_0075&MI_03"));
    c.modes.push_back(Mode(kK75, "vn75", 2, 0x2075, "Varnet 2.4G Receiver", "VID_3A7E&PID_2075&MI_02"));
    keyboard(kK87, "Varnet K87", "vn87");
    c.modes.push_back(Mode(kK87, "vn87", 0, 0x0087, "Varnet K87", "VID_3A7E&PID_0087&MI_02"));
    return c;
}

inline LayoutKey Key(int code, int keyIndex, int lightIndex, bool fnDisabled = false)
{
    LayoutKey k;
    k.code = code;
    k.keyIndex = keyIndex;
    k.lightIndex = lightIndex;
    k.fnDisabled = fnDisabled;
    return k;
}

// The layout values the link uses, as in data/layouts (with a few keys).
inline LayoutFile ShippedLayout(int type)
{
    LayoutFile l;
    l.light.defaultBrightness = 4;
    l.keys = {Key(0x29, 1, 1), Key(0x3A, 2, 2), Key(0x1E, 18, 18, true), Key(0x04, 46, 46), Key(0xE0, 80, 80)};
    if (type == kK104) {
        l.fnLayer = 1;
        l.light.rgbKeyboard = 1;
        l.firmware.version = u"108"_qs;
        l.firmware.file = u"vn104_updater"_qs;
        l.commandDelay = 15;
    } else if (type == kK75) {
        l.fnLayer = 1;
        l.light.rgbKeyboard = 1;
        l.firmware.version = u"103"_qs;
        l.firmware.file = u"vn75_updater"_qs;
        l.hasScreen = true;
        l.screen = {256, 30, 3, 320, 172};
    } else {
        l.light.rgbKeyboard = 0;
        l.firmware.version = u"101"_qs;
        l.firmware.file = u"vn87_updater"_qs;
    }
    return l;
}

inline KeyTables TablesOf(const LayoutFile& layout)
{
    KeyTables t;
    BuildKeyTables(layout, t);
    return t;
}

// A manager on a manual clock talking to simulated keyboards.
struct SimRig {
    ManualLinkClock clock;
    std::shared_ptr<SimTrace> trace = std::make_shared<SimTrace>(&clock);
    std::shared_ptr<SimBackend> sim = SimBackend::Create(&clock);
    HidDeviceManager manager{sim, &clock};

    SimRig()
    {
        trace->KeepInMemory(true);
        sim->SetTrace(trace);
        for (const DeviceEntry& m : ShippedCatalogue().modes)
            manager.AddKnownDevice(m.vendorId, m.productId, m.name, m.deviceType, m.mode);
    }
    // Adds a shipped keyboard (not plugged); returns its simulator index.
    int Add(int type) { return sim->AddKeyboard(SimModelFromCatalogue(ShippedCatalogue(), type, ShippedLayout(type))); }
    // Refreshes the link and makes a device type current.
    void Select(int type)
    {
        manager.Refresh();
        manager.SetCurrentDeviceType(type);
    }
    // Trace lines of one interface (all when iface is empty), then clears the trace.
    std::vector<SimTraceLine> Take(const std::string& iface = {})
    {
        std::vector<SimTraceLine> out;
        for (const SimTraceLine& l : trace->Lines())
            if (iface.empty() || l.iface == iface) out.push_back(l);
        trace->Clear();
        return out;
    }
};

// Bytes from a compact hex text ("04 18 00", spaces ignored).
inline std::vector<uint8_t> Bytes(const std::string& hex)
{
    std::vector<uint8_t> out;
    std::string digits;
    for (char c : hex)
        if (c != ' ') digits += c;
    for (size_t i = 0; i + 1 < digits.size(); i += 2) out.push_back(uint8_t(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

// A 64-byte payload with the given leading bytes and the rest zero.
inline std::vector<uint8_t> Pad(const std::vector<uint8_t>& head, size_t size = 64)
{
    std::vector<uint8_t> p(size, 0);
    std::copy(head.begin(), head.begin() + long(std::min(head.size(), size)), p.begin());
    return p;
}

// The payload of a feature report line (report bytes 1..64).
inline std::vector<uint8_t> PayloadOf(const SimTraceLine& line)
{
    if (line.bytes.size() < 2) return {};
    return std::vector<uint8_t>(line.bytes.begin() + 1, line.bytes.end());
}

// A shipped keyboard on the simulator, connected in one mode, with the
// layout and key tables its commands are built from.
struct ConnectedKeyboard {
    SimRig rig;
    int kb = -1;
    int type = 0;
    LayoutFile layout;
    KeyTables tables;

    void Connect(int deviceType, int mode)
    {
        type = deviceType;
        kb = rig.Add(deviceType);
        layout = ShippedLayout(deviceType);
        tables = TablesOf(layout);
        rig.sim->SwitchMode(kb, mode);
        rig.Select(deviceType);
        rig.manager.SetCommandDelay(10);
        rig.Take();
    }
    CommandContext Context() { return CommandContext{rig.manager, rig.manager.GetConnectMode(), layout, tables}; }
    SimMemory Memory() { return rig.sim->Memory(kb); }
    // The simulated firmware found nothing to complain about.
    void ExpectNoFirmwareErrors()
    {
        if (kb < 0) return;
        EXPECT_EQ(rig.sim->ErrorCount(kb), 0);
        for (const std::string& e : rig.sim->Errors(kb)) ADD_FAILURE() << e;
    }
};

}  // namespace linktest
