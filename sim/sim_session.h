#pragma once
// Everything --simulate[=MODEL:MODES] sets up, for varnetctl and the
// program alike: the simulated keyboards of the catalogue (the chosen one
// plugged), the wire trace of --sim-trace, and the control socket through
// which `varnetctl sim` drives them from another process.
//
// The program gives Backend() to HidDeviceManager::SetBackend and its device
// discovery to Backend()->SetDeviceChangeSink (plug and unplug notices come
// on the thread that plugs: the control socket's thread, or a test's).
#include <memory>
#include <string>

#include "device/catalogue.h"
#include "sim/sim_backend.h"
#include "sim/sim_control_server.h"
#include "sim/sim_trace.h"

class SimSession {
public:
    // False (with a message) when the choice names nothing of the catalogue
    // or the keyboard has none of the connections asked for.
    bool Start(const Catalogue& catalogue, const CString& programFolder, const CString& choice, CString& error);
    // Appends the trace to a file from now on.
    bool OpenTrace(const CString& file, CString& error);
    // Serves the control socket (DefaultSimSocketPath() when the path is empty).
    bool Listen(const std::string& socketPath, CString& error);
    void StopListening();

    std::shared_ptr<SimBackend> Backend() const { return m_sim; }
    int DeviceType() const { return m_deviceType; }
    SimControlServer* Server() const { return m_server.get(); }

private:
    std::shared_ptr<SimBackend> m_sim;
    std::shared_ptr<SimTrace> m_trace;
    std::unique_ptr<SimControlServer> m_server;
    int m_deviceType = 0;
};
