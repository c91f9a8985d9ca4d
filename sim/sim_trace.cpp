#include "sim/sim_trace.h"

#include <sstream>

SimTrace::SimTrace(LinkClock* clock) : m_clock(clock), m_start(clock->Now()) {}

bool SimTrace::OpenFile(const std::string& path)
{
    std::lock_guard lock(m_lock);
    m_file.open(path, std::ios::out | std::ios::app);
    return m_file.is_open();
}

void SimTrace::KeepInMemory(bool keep)
{
    std::lock_guard lock(m_lock);
    m_keep = keep;
}

std::string SimTrace::Hex(const uint8_t* bytes, size_t size)
{
    static const char digits[] = "0123456789abcdef";
    std::string text(size * 2, '0');
    for (size_t i = 0; i < size; ++i) {
        text[2 * i] = digits[bytes[i] >> 4];
        text[2 * i + 1] = digits[bytes[i] & 15];
    }
    return text;
}

void SimTrace::Write(const char* iface, const char* op, const uint8_t* bytes, size_t size)
{
    const int64_t micros =
        std::chrono::duration_cast<std::chrono::microseconds>(m_clock->Now() - m_start).count();
    std::lock_guard lock(m_lock);
    if (m_file.is_open()) {
        m_file << micros << ' ' << iface << ' ' << op << ' ' << Hex(bytes, size) << '\n';
        m_file.flush();
    }
    if (m_keep) m_lines.push_back({micros, iface, op, std::vector<uint8_t>(bytes, bytes + size)});
}

std::vector<SimTraceLine> SimTrace::Lines() const
{
    std::lock_guard lock(m_lock);
    return m_lines;
}

void SimTrace::Clear()
{
    std::lock_guard lock(m_lock);
    m_lines.clear();
}

bool SimTrace::ParseLine(const std::string& text, SimTraceLine& line)
{
    std::istringstream in(text);
    std::string hex;
    if (!(in >> line.micros >> line.iface >> line.op >> hex) || hex.size() % 2) return false;
    line.bytes.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        unsigned v = 0;
        for (size_t k = i; k < i + 2; ++k) {
            const char c = hex[k];
            v <<= 4;
            if (c >= '0' && c <= '9') v |= unsigned(c - '0');
            else if (c >= 'a' && c <= 'f') v |= unsigned(c - 'a' + 10);
            else return false;
        }
        line.bytes.push_back(uint8_t(v));
    }
    return true;
}
