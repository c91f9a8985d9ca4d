#pragma once
// The simulator's control channel: a UNIX domain socket served by a thread of
// its own (so it needs no event loop in the program it lives in). Each
// connection carries one command line and gets its reply, then is closed.
// Commands are those of sim_control.h.
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "sim/sim_backend.h"

class SimControlServer {
public:
    explicit SimControlServer(std::shared_ptr<SimBackend> sim);
    ~SimControlServer();
    SimControlServer(const SimControlServer&) = delete;
    SimControlServer& operator=(const SimControlServer&) = delete;

    // Listens at the path (a stale socket file there is replaced); false with
    // a message when that is impossible.
    bool Start(const std::string& path, std::string* error = nullptr);
    void Stop();
    const std::string& Path() const { return m_path; }
    // Set when a client sent "quit" (used by `varnetctl sim serve`).
    bool QuitRequested() const { return m_quit.load(); }

private:
    void Run();
    void Serve(int client);

    std::shared_ptr<SimBackend> m_sim;
    std::string m_path;
    int m_listen = -1;
    int m_stopFd = -1;
    std::thread m_thread;
    std::atomic<bool> m_quit{false};
};

// Sends one command line to a control socket and returns the reply; false
// (with the reason in the reply) when the socket cannot be reached.
bool SendSimCommand(const std::string& path, const std::string& line, std::string& reply, int timeoutMs = 5000);
