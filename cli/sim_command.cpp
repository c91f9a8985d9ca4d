// varnetctl sim: drives a simulated keyboard living in another process (the
// program started with --simulate) through its control socket, or serves one
// itself (sim serve) for tests and experiments.
#include <csignal>
#include <thread>

#include "cli/commands.h"
#include "cli/device_session.h"
#include "sim/sim_control.h"
#include "sim/sim_control_server.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

void SimUsage()
{
    PrintError(
        u"usage: varnetctl sim [--sim-socket PATH] COMMAND ...\n"
        "       varnetctl sim serve [--simulate=MODEL:MODES] [--sim-trace FILE] [--sim-socket PATH]\n\n"
        "commands (sent to the simulator):\n"
        "  status                      keyboards, interfaces, battery, link\n"
        "  plug|unplug MODE [INDEX]    MODE: cable, receiver, bluetooth; INDEX: one interface\n"
        "  mode MODE                   only this connection plugged\n"
        "  battery PERCENT | link | unlink | key VALUE | release 0xNNNN\n"
        "  notify MODE HEX             an input report on the notify interface\n"
        "  fault NAME [COUNT] [VALUE]  none, no-answer, late MS, wrong-echo, busy, nack, garbage,\n"
        "                              disconnect-after N, latency MS (COUNT -1: always)\n"
        "  memory | errors | clear-errors | quit (ends sim serve)\n"
        "  kb=N                        picks the keyboard (device type or index)\n"
        "socket: --sim-socket, else $VARNET_SIM_SOCKET, else $XDG_RUNTIME_DIR/varnet-sim.sock\n"_qs);
}

int Serve(const CommandLine& line, const std::string& socket)
{
    CommandLine simulated = line;
    simulated.simulate = true;
    DeviceSession session;
    CString error;
    if (!session.Open(simulated, error) || !session.StartTrace(error)) {
        PrintError(u"varnetctl sim serve: "_qs + error + u"\n"_qs);
        return 1;
    }
    if (!session.Simulation().Listen(socket, error)) {
        PrintError(u"varnetctl sim serve: "_qs + error + u"\n"_qs);
        return 1;
    }
    SimControlServer& server = *session.Simulation().Server();
    Print(u"simulator listening at "_qs + QString::fromStdString(socket) + u"\n"_qs);
    std::fflush(stdout);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    while (!g_stop && !server.QuitRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    session.Simulation().StopListening();
    return 0;
}

}  // namespace

int RunSimCommand(const CommandLine& line)
{
    if (line.words.isEmpty() || line.words[0] == u"help") {
        SimUsage();
        return line.words.isEmpty() ? 2 : 0;
    }
    const std::string socket = line.simSocket.isEmpty() ? DefaultSimSocketPath() : line.simSocket.toStdString();
    if (line.words[0] == u"serve") return Serve(line, socket);

    std::string reply;
    const bool reached = SendSimCommand(socket, line.words.join(u' ').toStdString(), reply);
    if (!reached) {
        PrintError(u"varnetctl sim: "_qs + QString::fromStdString(reply));
        return 1;
    }
    const bool ok = reply.rfind("ok", 0) == 0;
    (ok ? Print : PrintError)(QString::fromStdString(reply));
    return ok ? 0 : 1;
}
