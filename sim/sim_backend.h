#pragma once
// The simulated keyboards as a HID back end. Each keyboard has a firmware
// model (sim_firmware.h) and the connections of its catalogue entry; the
// interfaces of a connection appear in the enumeration while plugged. Tests
// (and the control channel, sim_control.h) plug and unplug, switch modes,
// set the battery, link and unlink, press keys and switch on misbehaviour.
//
// Threads: every call may come from any thread; one lock guards all state.
// Reads wait on a condition variable (real clock) or move the manual clock.
// Device-change notices are delivered after the lock is released.
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <random>

#include "link/hid_backend.h"
#include "link/link_clock.h"
#include "sim/sim_faults.h"
#include "sim/sim_firmware.h"
#include "sim/sim_trace.h"

struct SimInterfaceState {
    int keyboard = 0;
    int mode = 0;
    SimInterfaceDesc desc;
    std::string path;
    bool plugged = false;
};

// What a window showing a simulated keyboard needs to know about it, cheap
// to ask many times a second (no memory blocks copied).
struct SimKeyboardStatus {
    bool exists = false;
    bool plugged[3] = {};  // some interface of the connection (0 cable, 1 Bluetooth, 2 receiver) plugged
    bool linked = true;    // the keyboard behind the receiver is on
    int lightMode = 0;     // the preset effect, 0x80 per-key colours
    bool liveFrame = false;  // the LEDs show a live frame
    int shownScreenSlot = 0;
    int lastScreenSlot = 0;
    int screenImages = 0;  // changes with every screen image taken
};

class SimBackend final : public HidBackend, public std::enable_shared_from_this<SimBackend> {
public:
    static std::shared_ptr<SimBackend> Create(LinkClock* clock = &LinkClock::Real());
    ~SimBackend() override;

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> Open(const std::string& path) override;

    LinkClock& Clock() const { return *m_clock; }
    void SetTrace(std::shared_ptr<SimTrace> trace);
    void SetDeviceChangeSink(DeviceChangeSink* sink);

    // Keyboards: index by order of adding; nothing is plugged at first.
    int AddKeyboard(const SimModel& model);
    int KeyboardCount() const;
    int FindKeyboard(int deviceType) const;  // -1 when none
    SimModel Model(int keyboard) const;

    // Connections by mode (0 cable, 1 Bluetooth, 2 receiver). False when the
    // keyboard has no such connection (or interface).
    bool Plug(int keyboard, int mode);
    bool Unplug(int keyboard, int mode);
    // One interface of a connection, by its index in the connection's list.
    bool PlugInterface(int keyboard, int mode, int interfaceIndex, bool plugged);
    // Unplugs the other connections and plugs this one.
    bool SwitchMode(int keyboard, int mode);
    std::vector<SimInterfaceState> Interfaces() const;

    void SetBattery(int keyboard, int level);
    // Turns the keyboard behind the receiver on (linked) or off; a change
    // sends a LinkNotification on the receiver's notify interface.
    void SetLinked(int keyboard, bool linked);
    // A key whose entry is 05 02 v was pressed: a KeyActionNotification on
    // the notify interface of the cable, else of the receiver. False when
    // neither is plugged.
    bool ReportKeyAction(int keyboard, int value);
    // Any input report on the notify interface of a connection.
    bool InjectNotification(int keyboard, int mode, const std::vector<uint8_t>& report);
    void SetRelease(int keyboard, uint16_t release);

    void SetFaults(int keyboard, const SimFaults& faults);
    SimFaults Faults(int keyboard) const;

    SimMemory Memory(int keyboard) const;
    SimKeyboardStatus Status(int keyboard) const;
    // The image bytes of a screen slot; empty when the slot holds none.
    std::vector<uint8_t> ScreenImage(int keyboard, int slot) const;
    // What the LEDs show now: preset effects move with the clock, counted
    // from the back end's creation.
    std::vector<uint8_t> LedColours(int keyboard) const;
    std::vector<std::string> Errors(int keyboard) const;
    int ErrorCount(int keyboard) const;
    void ClearErrors(int keyboard);

    // The Windows-form path of an interface (lower case, as the system gives it).
    static std::string PathOf(const SimConnectionDesc& c, const SimInterfaceDesc& i, int deviceType);

private:
    explicit SimBackend(LinkClock* clock);
    friend class SimDevice;

    struct Pending {
        std::vector<uint8_t> bytes;  // the whole report, id byte included
        LinkClock::TimePoint due;
    };
    struct Interface {
        SimInterfaceDesc desc;
        std::string path;
        bool plugged = false;
        uint64_t generation = 0;  // changes at every plug: old handles stay dead
        std::deque<Pending> input;
    };
    struct Connection {
        SimConnectionDesc desc;
        std::vector<Interface> interfaces;
    };
    struct Keyboard {
        std::unique_ptr<SimFirmware> firmware;
        std::vector<Connection> connections;
        SimFaults faults;
        uint16_t release = 0;
        std::mt19937 random{12345};
    };
    struct Handle {
        int keyboard = 0;
        int connection = 0;
        int interface = 0;
        uint64_t generation = 0;
    };
    using Notices = std::vector<std::pair<bool, CString>>;

    // Device calls (from SimDevice).
    int SendFeature(const Handle& h, const uint8_t* data, int length);
    int GetFeature(const Handle& h, uint8_t* data, int length);
    int Write(const Handle& h, const uint8_t* data, int length);
    int Read(const Handle& h, uint8_t* data, int length, int timeoutMs);
    HidReportLengths Lengths(const Handle& h) const;

    Interface* Live(const Handle& h);
    Connection* ConnectionOf(int keyboard, int mode);
    bool SetConnectionPlugged(int keyboard, int mode, bool plugged);
    bool SetPlugged(Keyboard& k, Connection& c, Interface& i, bool plugged, Notices& notices);
    bool CountReport(Keyboard& k, const Handle& h, Notices& notices);
    void Queue(Interface& i, std::vector<uint8_t> report, int lateMs);
    Interface* NotifyOf(Connection& c);
    void Garbage(Keyboard& k, std::vector<uint8_t>& bytes, size_t maxSize);
    void Deliver(const Notices& notices);
    void Trace(const char* iface, const char* op, const uint8_t* bytes, size_t size);
    static const char* TraceName(SimInterfaceKind kind);

    // Milliseconds of the clock since the back end was created.
    int64_t Uptime() const;

    LinkClock* m_clock;
    LinkClock::TimePoint m_start;
    mutable std::mutex m_lock;
    std::condition_variable m_inputArrived;
    std::vector<Keyboard> m_keyboards;
    std::shared_ptr<SimTrace> m_trace;
    DeviceChangeSink* m_sink = nullptr;
    std::mutex m_sinkLock;  // held while notices are delivered
};
