#include "sim/sim_session.h"

#include "sim/sim_control.h"
#include "sim/sim_setup.h"

bool SimSession::Start(const Catalogue& catalogue, const CString& programFolder, const CString& choice, CString& error)
{
    SimChoice parsed;
    if (!ParseSimChoice(choice, catalogue, parsed, &error)) return false;
    m_sim = SimBackend::Create();
    if (SetUpSimulator(*m_sim, LoadSimModels(catalogue, programFolder), parsed) < 0) {
        error = u"the simulated keyboard has none of the connections asked for"_qs;
        return false;
    }
    m_deviceType = parsed.deviceType;
    return true;
}

bool SimSession::OpenTrace(const CString& file, CString& error)
{
    if (!m_sim || file.isEmpty()) return true;
    auto trace = std::make_shared<SimTrace>();
    if (!trace->OpenFile(file.toStdString())) {
        error = u"cannot write the trace file "_qs + file;
        return false;
    }
    m_trace = trace;
    m_sim->SetTrace(m_trace);
    return true;
}

bool SimSession::Listen(const std::string& socketPath, CString& error)
{
    if (!m_sim) return false;
    m_server = std::make_unique<SimControlServer>(m_sim);
    std::string why;
    if (!m_server->Start(socketPath.empty() ? DefaultSimSocketPath() : socketPath, &why)) {
        error = QString::fromStdString(why);
        m_server.reset();
        return false;
    }
    return true;
}

void SimSession::StopListening()
{
    if (m_server) m_server->Stop();
    m_server.reset();
}
