#pragma once
// The wire trace of the simulated keyboard: one line per report,
//   <microseconds since start> <iface> <op> <hex>
// iface: cmd (command), rcv (receiver), scr (screen), ntf (notify);
// op: set-feature, get-feature, write, read; hex: the whole report including
// the report id byte, lower case, no spaces (for get-feature and read the
// bytes returned). Lines go to a file and, for tests, to memory.
#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "link/link_clock.h"

struct SimTraceLine {
    int64_t micros = 0;
    std::string iface;
    std::string op;
    std::vector<uint8_t> bytes;
};

class SimTrace {
public:
    explicit SimTrace(LinkClock* clock = &LinkClock::Real());
    // Appends to this file as well (false when it cannot be opened).
    bool OpenFile(const std::string& path);
    void KeepInMemory(bool keep);

    void Write(const char* iface, const char* op, const uint8_t* bytes, size_t size);

    std::vector<SimTraceLine> Lines() const;
    void Clear();

    static std::string Hex(const uint8_t* bytes, size_t size);
    // Parses one trace line; false when it is not one.
    static bool ParseLine(const std::string& text, SimTraceLine& line);

private:
    LinkClock* m_clock;
    LinkClock::TimePoint m_start;
    mutable std::mutex m_lock;
    std::ofstream m_file;
    bool m_keep = false;
    std::vector<SimTraceLine> m_lines;
};
