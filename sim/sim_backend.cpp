#include "sim/sim_backend.h"

#include <algorithm>
#include <cstring>

namespace {

std::string Hex4(unsigned v)
{
    static const char d[] = "0123456789abcdef";
    std::string s(4, '0');
    for (int i = 3; i >= 0; --i, v >>= 4) s[size_t(i)] = d[v & 15];
    return s;
}

}  // namespace

// A handle on one simulated interface; dead once the interface is unplugged.
class SimDevice final : public HidDevice {
public:
    SimDevice(std::shared_ptr<SimBackend> backend, SimBackend::Handle handle)
        : m_backend(std::move(backend)), m_handle(handle)
    {
    }
    int SendFeatureReport(const uint8_t* data, int length) override
    {
        return m_backend->SendFeature(m_handle, data, length);
    }
    int GetFeatureReport(uint8_t* data, int length) override { return m_backend->GetFeature(m_handle, data, length); }
    int Write(const uint8_t* data, int length) override { return m_backend->Write(m_handle, data, length); }
    int ReadTimeout(uint8_t* data, int length, int timeoutMs) override
    {
        return m_backend->Read(m_handle, data, length, timeoutMs);
    }
    HidReportLengths ReportLengths() const override { return m_backend->Lengths(m_handle); }

private:
    std::shared_ptr<SimBackend> m_backend;
    SimBackend::Handle m_handle;
};

std::shared_ptr<SimBackend> SimBackend::Create(LinkClock* clock)
{
    return std::shared_ptr<SimBackend>(new SimBackend(clock));
}

SimBackend::SimBackend(LinkClock* clock) : m_clock(clock ? clock : &LinkClock::Real()), m_start(m_clock->Now()) {}

int64_t SimBackend::Uptime() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(m_clock->Now() - m_start).count();
}

SimBackend::~SimBackend() = default;

std::string SimBackend::PathOf(const SimConnectionDesc& c, const SimInterfaceDesc& i, int deviceType)
{
    std::string p = "\\\\?\\hid#vid_" + Hex4(c.vendorId) + "&pid_" + Hex4(c.productId);
    if (i.number >= 0) {
        p += "&mi_";
        p += char('0' + (i.number / 16) % 10);
        p += "0123456789abcdef"[i.number % 16];
    }
    if (i.collection > 0) p += "&col0" + std::to_string(i.collection);
    p += "#sim&" + std::to_string(deviceType) + "&" + std::to_string(c.mode) +
         "#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    return p;
}

const char* SimBackend::TraceName(SimInterfaceKind kind)
{
    switch (kind) {
    case SimInterfaceKind::kCommand: return "cmd";
    case SimInterfaceKind::kReceiver: return "rcv";
    case SimInterfaceKind::kScreen: return "scr";
    case SimInterfaceKind::kNotify: return "ntf";
    default: return nullptr;
    }
}

void SimBackend::SetTrace(std::shared_ptr<SimTrace> trace)
{
    std::lock_guard lock(m_lock);
    m_trace = std::move(trace);
}

void SimBackend::SetDeviceChangeSink(DeviceChangeSink* sink)
{
    std::lock_guard lock(m_sinkLock);
    m_sink = sink;
}

void SimBackend::Deliver(const Notices& notices)
{
    if (notices.empty()) return;
    std::lock_guard lock(m_sinkLock);
    if (!m_sink) return;
    for (const auto& [arrival, name] : notices) m_sink->OnDeviceChange(arrival, name);
}

void SimBackend::Trace(const char* iface, const char* op, const uint8_t* bytes, size_t size)
{
    if (iface && m_trace) m_trace->Write(iface, op, bytes, size);
}

// --- keyboards and plugging ------------------------------------------------------

int SimBackend::AddKeyboard(const SimModel& model)
{
    std::lock_guard lock(m_lock);
    Keyboard k;
    k.firmware = std::make_unique<SimFirmware>(model);
    k.release = model.release;
    for (const SimConnectionDesc& desc : model.connections) {
        Connection c;
        c.desc = desc;
        for (const SimInterfaceDesc& is : desc.interfaces) {
            Interface i;
            i.desc = is;
            i.path = PathOf(desc, is, model.deviceType);
            c.interfaces.push_back(std::move(i));
        }
        k.connections.push_back(std::move(c));
    }
    m_keyboards.push_back(std::move(k));
    return int(m_keyboards.size()) - 1;
}

int SimBackend::KeyboardCount() const
{
    std::lock_guard lock(m_lock);
    return int(m_keyboards.size());
}

int SimBackend::FindKeyboard(int deviceType) const
{
    std::lock_guard lock(m_lock);
    for (size_t i = 0; i < m_keyboards.size(); ++i)
        if (m_keyboards[i].firmware->Model().deviceType == deviceType) return int(i);
    return -1;
}

SimModel SimBackend::Model(int keyboard) const
{
    std::lock_guard lock(m_lock);
    if (keyboard < 0 || keyboard >= int(m_keyboards.size())) return {};
    return m_keyboards[size_t(keyboard)].firmware->Model();
}

SimBackend::Connection* SimBackend::ConnectionOf(int keyboard, int mode)
{
    if (keyboard < 0 || keyboard >= int(m_keyboards.size())) return nullptr;
    for (Connection& c : m_keyboards[size_t(keyboard)].connections)
        if (c.desc.mode == mode) return &c;
    return nullptr;
}

bool SimBackend::SetPlugged(Keyboard& k, Connection& c, Interface& i, bool plugged, Notices& notices)
{
    if (i.plugged == plugged) return false;
    i.plugged = plugged;
    i.input.clear();
    if (plugged) ++i.generation;
    notices.emplace_back(plugged, QString::fromStdString(i.path).toUpper());
    m_inputArrived.notify_all();
    return true;
}

bool SimBackend::Plug(int keyboard, int mode) { return SetConnectionPlugged(keyboard, mode, true); }

bool SimBackend::Unplug(int keyboard, int mode) { return SetConnectionPlugged(keyboard, mode, false); }

// Every interface of one connection in or out; the plug notices go out
// after the lock is released.
bool SimBackend::SetConnectionPlugged(int keyboard, int mode, bool plugged)
{
    Notices notices;
    {
        std::lock_guard lock(m_lock);
        Connection* c = ConnectionOf(keyboard, mode);
        if (!c) return false;
        for (Interface& i : c->interfaces) SetPlugged(m_keyboards[size_t(keyboard)], *c, i, plugged, notices);
    }
    Deliver(notices);
    return true;
}

bool SimBackend::PlugInterface(int keyboard, int mode, int interfaceIndex, bool plugged)
{
    Notices notices;
    {
        std::lock_guard lock(m_lock);
        Connection* c = ConnectionOf(keyboard, mode);
        if (!c || interfaceIndex < 0 || interfaceIndex >= int(c->interfaces.size())) return false;
        SetPlugged(m_keyboards[size_t(keyboard)], *c, c->interfaces[size_t(interfaceIndex)], plugged, notices);
    }
    Deliver(notices);
    return true;
}

bool SimBackend::SwitchMode(int keyboard, int mode)
{
    Notices notices;
    {
        std::lock_guard lock(m_lock);
        Connection* target = ConnectionOf(keyboard, mode);
        if (!target) return false;
        Keyboard& k = m_keyboards[size_t(keyboard)];
        for (Connection& c : k.connections)
            if (&c != target)
                for (Interface& i : c.interfaces) SetPlugged(k, c, i, false, notices);
        for (Interface& i : target->interfaces) SetPlugged(k, *target, i, true, notices);
    }
    Deliver(notices);
    return true;
}

std::vector<SimInterfaceState> SimBackend::Interfaces() const
{
    std::lock_guard lock(m_lock);
    std::vector<SimInterfaceState> list;
    for (size_t k = 0; k < m_keyboards.size(); ++k)
        for (const Connection& c : m_keyboards[k].connections)
            for (const Interface& i : c.interfaces) list.push_back({int(k), c.desc.mode, i.desc, i.path, i.plugged});
    return list;
}

std::vector<HidInterfaceInfo> SimBackend::Enumerate()
{
    std::lock_guard lock(m_lock);
    std::vector<HidInterfaceInfo> list;
    for (const Keyboard& k : m_keyboards)
        for (const Connection& c : k.connections)
            for (const Interface& i : c.interfaces) {
                if (!i.plugged) continue;
                HidInterfaceInfo info;
                info.path = i.path;
                info.vendorId = c.desc.vendorId;
                info.productId = c.desc.productId;
                info.release = k.release;
                info.productName = c.desc.productName;
                info.usagePage = i.desc.usagePage;
                info.usage = i.desc.usage;
                info.interfaceNumber = i.desc.number;
                list.push_back(std::move(info));
            }
    return list;
}

std::unique_ptr<HidDevice> SimBackend::Open(const std::string& path)
{
    std::lock_guard lock(m_lock);
    for (size_t k = 0; k < m_keyboards.size(); ++k)
        for (size_t c = 0; c < m_keyboards[k].connections.size(); ++c) {
            const Connection& conn = m_keyboards[k].connections[c];
            for (size_t i = 0; i < conn.interfaces.size(); ++i)
                if (conn.interfaces[i].plugged && conn.interfaces[i].path == path)
                    return std::make_unique<SimDevice>(shared_from_this(),
                                                       Handle{int(k), int(c), int(i), conn.interfaces[i].generation});
        }
    return nullptr;
}

// --- keyboard events -------------------------------------------------------------

void SimBackend::SetBattery(int keyboard, int level)
{
    std::lock_guard lock(m_lock);
    if (keyboard < 0 || keyboard >= int(m_keyboards.size())) return;
    m_keyboards[size_t(keyboard)].firmware->Memory().battery = std::clamp(level, 0, 255);
}

SimBackend::Interface* SimBackend::NotifyOf(Connection& c)
{
    for (Interface& i : c.interfaces)
        if (i.desc.kind == SimInterfaceKind::kNotify && i.plugged) return &i;
    return nullptr;
}

void SimBackend::SetLinked(int keyboard, bool linked)
{
    std::lock_guard lock(m_lock);
    if (keyboard < 0 || keyboard >= int(m_keyboards.size())) return;
    SimMemory& m = m_keyboards[size_t(keyboard)].firmware->Memory();
    if (m.linked == linked) return;
    m.linked = linked;
    Connection* receiver = ConnectionOf(keyboard, 2);
    if (!receiver) return;
    if (Interface* n = NotifyOf(*receiver)) {
        std::vector<uint8_t> report(65, 0);
        report[0] = 0x05;
        report[1] = 0xA6;
        report[2] = linked ? 0xFF : 0xFE;
        report[3] = linked ? 0x01 : 0x02;
        Queue(*n, std::move(report), 0);
    }
}

bool SimBackend::ReportKeyAction(int keyboard, int value)
{
    std::lock_guard lock(m_lock);
    if (keyboard < 0 || keyboard >= int(m_keyboards.size())) return false;
    Interface* n = nullptr;
    if (Connection* cable = ConnectionOf(keyboard, 0)) n = NotifyOf(*cable);
    if (!n && m_keyboards[size_t(keyboard)].firmware->Memory().linked)
        if (Connection* receiver = ConnectionOf(keyboard, 2)) n = NotifyOf(*receiver);
    if (!n) return false;
    std::vector<uint8_t> report(65, 0);
    report[0] = 0x05;
    report[1] = 0x02;
    report[2] = uint8_t(value);
    Queue(*n, std::move(report), 0);
    return true;
}

bool SimBackend::InjectNotification(int keyboard, int mode, const std::vector<uint8_t>& report)
{
    std::lock_guard lock(m_lock);
    Connection* c = ConnectionOf(keyboard, mode);
    Interface* n = c ? NotifyOf(*c) : nullptr;
    if (!n) return false;
    Queue(*n, std::vector<uint8_t>(report.begin(), report.begin() + long(std::min<size_t>(report.size(), 65))), 0);
    return true;
}

void SimBackend::SetRelease(int keyboard, uint16_t release)
{
    std::lock_guard lock(m_lock);
    if (keyboard >= 0 && keyboard < int(m_keyboards.size())) m_keyboards[size_t(keyboard)].release = release;
}

void SimBackend::SetFaults(int keyboard, const SimFaults& faults)
{
    std::lock_guard lock(m_lock);
    if (keyboard >= 0 && keyboard < int(m_keyboards.size())) m_keyboards[size_t(keyboard)].faults = faults;
}

SimFaults SimBackend::Faults(int keyboard) const
{
    std::lock_guard lock(m_lock);
    if (keyboard < 0 || keyboard >= int(m_keyboards.size())) return {};
    return m_keyboards[size_t(keyboard)].faults;
}

SimMemory SimBackend::Memory(int keyboard) const
{
    std::lock_guard lock(m_lock);
    if (keyboard < 0 || keyboard >= int(m_keyboards.size())) return {};
    return m_keyboards[size_t(keyboard)].firmware->Memory();
}

SimKeyboardStatus SimBackend::Status(int keyboard) const
{
    std::lock_guard lock(m_lock);
    SimKeyboardStatus s;
    if (keyboard < 0 || keyboard >= int(m_keyboards.size())) return s;
    const Keyboard& k = m_keyboards[size_t(keyboard)];
    s.exists = true;
    for (const Connection& c : k.connections) {
        if (c.desc.mode < 0 || c.desc.mode > 2) continue;
        for (const Interface& i : c.interfaces)
            if (i.plugged) s.plugged[c.desc.mode] = true;
    }
    const SimMemory& m = k.firmware->Memory();
    s.linked = m.linked;
    s.lightMode = m.light.mode;
    s.liveFrame = m.liveActive;
    s.shownScreenSlot = m.clock.shownSlot;
    s.lastScreenSlot = m.lastScreenSlot;
    s.screenImages = m.screenImages;
    return s;
}

std::vector<uint8_t> SimBackend::ScreenImage(int keyboard, int slot) const
{
    std::lock_guard lock(m_lock);
    if (keyboard < 0 || keyboard >= int(m_keyboards.size())) return {};
    const auto& images = m_keyboards[size_t(keyboard)].firmware->Memory().screenSlots;
    const auto it = images.find(slot);
    return it == images.end() ? std::vector<uint8_t>() : it->second;
}

std::vector<uint8_t> SimBackend::LedColours(int keyboard) const
{
    std::lock_guard lock(m_lock);
    if (keyboard < 0 || keyboard >= int(m_keyboards.size())) return {};
    SimFirmware& firmware = *m_keyboards[size_t(keyboard)].firmware;
    firmware.SetTime(Uptime());
    return firmware.LedColours();
}

std::vector<std::string> SimBackend::Errors(int keyboard) const
{
    std::lock_guard lock(m_lock);
    if (keyboard < 0 || keyboard >= int(m_keyboards.size())) return {};
    return m_keyboards[size_t(keyboard)].firmware->Errors();
}

int SimBackend::ErrorCount(int keyboard) const
{
    std::lock_guard lock(m_lock);
    if (keyboard < 0 || keyboard >= int(m_keyboards.size())) return 0;
    return m_keyboards[size_t(keyboard)].firmware->ErrorCount();
}

void SimBackend::ClearErrors(int keyboard)
{
    std::lock_guard lock(m_lock);
    if (keyboard >= 0 && keyboard < int(m_keyboards.size())) m_keyboards[size_t(keyboard)].firmware->ClearErrors();
}

// --- device calls ----------------------------------------------------------------

SimBackend::Interface* SimBackend::Live(const Handle& h)
{
    if (h.keyboard < 0 || h.keyboard >= int(m_keyboards.size())) return nullptr;
    Keyboard& k = m_keyboards[size_t(h.keyboard)];
    if (h.connection < 0 || h.connection >= int(k.connections.size())) return nullptr;
    Connection& c = k.connections[size_t(h.connection)];
    if (h.interface < 0 || h.interface >= int(c.interfaces.size())) return nullptr;
    Interface& i = c.interfaces[size_t(h.interface)];
    return i.plugged && i.generation == h.generation ? &i : nullptr;
}

HidReportLengths SimBackend::Lengths(const Handle& h) const
{
    std::lock_guard lock(m_lock);
    return m_keyboards[size_t(h.keyboard)].connections[size_t(h.connection)].interfaces[size_t(h.interface)].desc.lengths;
}

// Counts a report sent to the keyboard against the disconnect switch; false
// (and the connection unplugged) when the keyboard goes away now.
bool SimBackend::CountReport(Keyboard& k, const Handle& h, Notices& notices)
{
    if (k.faults.disconnectAfter < 0) return true;
    if (k.faults.disconnectAfter > 0) {
        --k.faults.disconnectAfter;
        return true;
    }
    k.faults.disconnectAfter = -1;
    Connection& c = k.connections[size_t(h.connection)];
    for (Interface& i : c.interfaces) SetPlugged(k, c, i, false, notices);
    return false;
}

void SimBackend::Queue(Interface& i, std::vector<uint8_t> report, int lateMs)
{
    i.input.push_back({std::move(report), m_clock->Now() + std::chrono::milliseconds(std::max(0, lateMs))});
    m_inputArrived.notify_all();
}

void SimBackend::Garbage(Keyboard& k, std::vector<uint8_t>& bytes, size_t maxSize)
{
    bytes.resize(std::uniform_int_distribution<size_t>(0, maxSize)(k.random));
    for (uint8_t& b : bytes) b = uint8_t(k.random());
}

int SimBackend::SendFeature(const Handle& h, const uint8_t* data, int length)
{
    int latency = 0;
    {
        std::lock_guard lock(m_lock);
        Interface* i = Live(h);
        if (!i || !data || i->desc.lengths.feature == 0 || length != i->desc.lengths.feature || data[0] != 0)
            return -1;
        latency = m_keyboards[size_t(h.keyboard)].faults.reportLatencyMs;
    }
    m_clock->SleepMs(latency);
    Notices notices;
    int result = -1;
    {
        std::lock_guard lock(m_lock);
        Interface* i = Live(h);
        if (i) {
            Keyboard& k = m_keyboards[size_t(h.keyboard)];
            const int mode = k.connections[size_t(h.connection)].desc.mode;
            Trace(TraceName(i->desc.kind), "set-feature", data, size_t(length));
            if (CountReport(k, h, notices)) {
                if (i->desc.kind == SimInterfaceKind::kCommand) {
                    if (TakeFault(k.faults.busy)) {
                        k.firmware->SetAckStatus(mode, 0xFF);
                    } else {
                        k.firmware->SetTime(Uptime());
                        k.firmware->OnFeatureReport(mode, data + 1);
                        if (TakeFault(k.faults.nack)) k.firmware->SetAckStatus(mode, uint8_t(k.faults.nackValue));
                    }
                }
                result = length;
            }
        }
    }
    Deliver(notices);
    return result;
}

int SimBackend::GetFeature(const Handle& h, uint8_t* data, int length)
{
    int late = 0;
    {
        std::lock_guard lock(m_lock);
        Interface* i = Live(h);
        // Like the system's call, a buffer shorter than the report fails.
        if (!i || !data || i->desc.lengths.feature == 0 || length < i->desc.lengths.feature) return -1;
        late = m_keyboards[size_t(h.keyboard)].faults.lateAnswerMs;
    }
    m_clock->SleepMs(late);
    std::lock_guard lock(m_lock);
    Interface* i = Live(h);
    if (!i) return -1;
    Keyboard& k = m_keyboards[size_t(h.keyboard)];
    const int size = i->desc.lengths.feature;
    if (TakeFault(k.faults.noAnswer)) return -1;
    if (TakeFault(k.faults.garbage)) {
        std::vector<uint8_t> bytes;
        Garbage(k, bytes, size_t(size));
        std::memcpy(data, bytes.data(), bytes.size());
        if (!bytes.empty()) Trace(TraceName(i->desc.kind), "get-feature", bytes.data(), bytes.size());
        return int(bytes.size()) - 1;
    }
    data[0] = 0;
    std::memset(data + 1, 0, size_t(size - 1));
    if (i->desc.kind == SimInterfaceKind::kCommand)
        k.firmware->NextFeatureAnswer(k.connections[size_t(h.connection)].desc.mode, data + 1);
    Trace(TraceName(i->desc.kind), "get-feature", data, size_t(size));
    return size - 1;
}

int SimBackend::Write(const Handle& h, const uint8_t* data, int length)
{
    int latency = 0;
    {
        std::lock_guard lock(m_lock);
        Interface* i = Live(h);
        if (!i || !data || length <= 0 || length > i->desc.lengths.output) return -1;
        latency = m_keyboards[size_t(h.keyboard)].faults.reportLatencyMs;
    }
    m_clock->SleepMs(latency);
    Notices notices;
    int result = -1;
    {
        std::lock_guard lock(m_lock);
        Interface* i = Live(h);
        if (i) {
            Keyboard& k = m_keyboards[size_t(h.keyboard)];
            // A short report is padded with zeros to the report's length.
            std::vector<uint8_t> padded;
            const uint8_t* report = data;
            if (length < i->desc.lengths.output) {
                padded.assign(size_t(i->desc.lengths.output), 0);
                std::memcpy(padded.data(), data, size_t(length));
                report = padded.data();
            }
            Trace(TraceName(i->desc.kind), "write", report, size_t(i->desc.lengths.output));
            if (CountReport(k, h, notices)) {
                result = length;
                std::vector<uint8_t> answer;
                bool answered = false;
                if (i->desc.kind == SimInterfaceKind::kReceiver) {
                    answer.assign(33, 0);
                    answered = k.firmware->OnReceiverReport(report, answer.data() + 1);
                    if (answered && k.faults.wrongEcho != 0) {
                        // Stray answers whose header does not echo the request
                        // come first; with -1 the right answer never comes.
                        const int stray = k.faults.wrongEcho < 0 ? 1 : k.faults.wrongEcho;
                        for (int n = 0; n < stray; ++n) {
                            std::vector<uint8_t> wrong = answer;
                            wrong[1 + size_t(n % 3)] ^= 0x5A;
                            Queue(*i, std::move(wrong), k.faults.lateAnswerMs);
                        }
                        if (k.faults.wrongEcho < 0) answered = false;
                        k.faults.wrongEcho = k.faults.wrongEcho < 0 ? -1 : 0;
                    }
                } else if (i->desc.kind == SimInterfaceKind::kScreen) {
                    answer.assign(4097, 0);
                    answered = k.firmware->OnScreenReport(report, answer.data() + 1);
                }
                if (answered && !TakeFault(k.faults.noAnswer)) {
                    if (TakeFault(k.faults.garbage)) Garbage(k, answer, answer.size());
                    Queue(*i, std::move(answer), k.faults.lateAnswerMs);
                }
            }
        }
    }
    Deliver(notices);
    return result;
}

int SimBackend::Read(const Handle& h, uint8_t* data, int length, int timeoutMs)
{
    std::unique_lock lock(m_lock);
    if (!data || length <= 0) return -1;
    const LinkClock::TimePoint deadline = m_clock->Now() + std::chrono::milliseconds(std::max(0, timeoutMs));
    for (;;) {
        Interface* i = Live(h);
        if (!i) return -1;
        const LinkClock::TimePoint now = m_clock->Now();
        if (!i->input.empty() && i->input.front().due <= now) {
            Pending p = std::move(i->input.front());
            i->input.pop_front();
            Trace(TraceName(i->desc.kind), "read", p.bytes.data(), p.bytes.size());
            // Report id 0 (an unnumbered report) is not returned.
            size_t skip = !p.bytes.empty() && p.bytes[0] == 0 ? 1 : 0;
            const size_t n = std::min(size_t(length), p.bytes.size() - skip);
            std::memcpy(data, p.bytes.data() + skip, n);
            return int(n);
        }
        if (now >= deadline) return 0;
        LinkClock::TimePoint wake = deadline;
        if (!i->input.empty()) wake = std::min(wake, i->input.front().due);
        if (m_clock->IsManual()) {
            lock.unlock();
            m_clock->SleepUntil(wake);
            lock.lock();
        } else {
            m_inputArrived.wait_until(lock, wake);
        }
    }
}
