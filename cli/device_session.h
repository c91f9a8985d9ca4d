#pragma once
// What the device commands of varnetctl share: the catalogue, a HID link on
// hidraw or on the simulated keyboards (--simulate, --sim-trace), and the
// layout of the keyboard being talked to.
#include <memory>

#include "cli/command_line.h"
#include "device/catalogue.h"
#include "device/key_tables.h"
#include "device/layout_file.h"
#include "link/hid_device_manager.h"
#include "sim/sim_session.h"

class DeviceSession {
public:
    // Reads the catalogue, chooses the back end and registers the known
    // devices. False (with a message) when the catalogue or the simulation
    // desc cannot be used.
    bool Open(const CommandLine& line, CString& error);
    // Starts the trace file (when asked for) from now on.
    bool StartTrace(CString& error);
    // Refreshes the link.
    void Refresh() { m_manager->Refresh(); }
    // Makes a keyboard current and loads its layout: the given device type,
    // else the simulated one, else the first one found. False when none.
    bool SelectKeyboard(int deviceType, CString& error);

    HidDeviceManager& Manager() { return *m_manager; }
    const Catalogue& GetCatalogue() const { return m_catalogue; }
    const LayoutFile& Layout() const { return m_layout; }
    const KeyTables& Tables() const { return m_tables; }
    int DeviceType() const { return m_deviceType; }
    bool Simulated() const { return m_simulated; }
    SimSession& Simulation() { return m_simulation; }

private:
    CString m_programFolder;
    CString m_traceFile;
    Catalogue m_catalogue;
    bool m_simulated = false;
    SimSession m_simulation;
    std::unique_ptr<HidDeviceManager> m_manager;
    int m_deviceType = 0;
    LayoutFile m_layout;
    KeyTables m_tables;
};
