// libFuzzer target for the device link: a HID back end whose interfaces
// answer with whatever the input says (report lengths, answer lengths and
// bytes, failed transfers, notification reports), driven through every
// primitive of HidDeviceManager, the commands that read answers and the
// discovery logic, on a manual clock so that retries and time-outs cost
// nothing. Checks that no primitive leaves the busy flag set and that what
// reaches the main window is in range; memory errors are the sanitizers' part.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "link/device_commands.h"
#include "link/device_discovery.h"
#include "link/device_events.h"
#include "link/hid_device_manager.h"
#include "link/report_sizes.h"

namespace {

void Fail(int line)
{
    std::fprintf(stderr, "device_link_fuzz: check failed at line %d\n", line);
    std::abort();
}
#define Check(ok) ((ok) ? void() : Fail(__LINE__))

// The fuzz input, read front to back; zeros once it is used up.
class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    int Range(int lo, int hi) { return lo + Byte() % (hi - lo + 1); }
    void Fill(uint8_t* out, size_t n)
    {
        for (size_t i = 0; i < n; ++i) out[i] = Byte();
    }
    bool Done() const { return m_at >= m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

class FuzzDevice final : public HidDevice {
public:
    FuzzDevice(Input& in, HidReportLengths lengths, LinkClock& clock) : m_in(in), m_lengths(lengths), m_clock(clock) {}
    int SendFeatureReport(const uint8_t*, int length) override { return m_in.Byte() < 24 ? -1 : length; }
    int GetFeatureReport(uint8_t* data, int length) override { return Answer(data, length); }
    int Write(const uint8_t*, int length) override { return m_in.Byte() < 24 ? -1 : length; }
    int ReadTimeout(uint8_t* data, int length, int timeoutMs) override
    {
        const int n = Answer(data, length);
        if (n == 0) m_clock.SleepMs(timeoutMs);
        return n;
    }
    HidReportLengths ReportLengths() const override { return m_lengths; }

private:
    // -1, nothing, or up to `length` bytes from the input; answers often
    // echo the shapes the link looks for so that deeper paths are reached.
    int Answer(uint8_t* data, int length)
    {
        const uint8_t kind = m_in.Byte();
        if (kind < 20) return -1;
        if (kind < 40 || length <= 0) return 0;
        const int n = m_in.Range(1, length);
        m_in.Fill(data, size_t(n));
        if (kind & 1) data[0] = kind & 2 ? 0x05 : 0x20;
        if (n > 4 && (kind & 4)) data[4] = 1;
        return n;
    }

    Input& m_in;
    HidReportLengths m_lengths;
    LinkClock& m_clock;
};

class FuzzBackend final : public HidBackend {
public:
    FuzzBackend(Input& in, LinkClock& clock) : m_in(in), m_clock(clock) {}
    std::vector<HidInterfaceInfo> Enumerate() override
    {
        // The interfaces of the shipped keyboards, sometimes with other lengths.
        static const struct {
            uint16_t pid, page, usage;
            const char* product;
            HidReportLengths lengths;
        } kInterfaces[] = {
            {0x0104, 0xFF00, 1, "Varnet K104", {0, 0, 65}},
            {0x2104, 0xFF00, 1, "Varnet 2.4G Receiver", {33, 33, 0}},
            {0x2104, 0xFFFF, 1, "Varnet 2.4G Receiver", {65, 0, 0}},
            {0xB104, 0xFF00, 1, "Varnet K104 BT", {0, 0, 65}},
            {0x0075, 0xFF00, 2, "Varnet K75", {4097, 4097, 0}},
            {0x0075, 0xFF00, 1, "Varnet K75", {0, 0, 65}},
        };
        std::vector<HidInterfaceInfo> list;
        m_lengths.clear();
        int i = 0;
        for (const auto& k : kInterfaces) {
            if (m_in.Byte() < 48) continue;
            HidInterfaceInfo info;
            info.path = "fuzz" + std::to_string(i++);
            info.vendorId = 0x3A7E;
            info.productId = k.pid;
            info.release = uint16_t(m_in.Byte() << 8 | m_in.Byte());
            info.productName = QString::fromLatin1(k.product);
            info.usagePage = k.page;
            info.usage = k.usage;
            HidReportLengths l = k.lengths;
            if (m_in.Byte() < 16) l = {m_in.Range(0, 70), m_in.Range(0, 70), m_in.Range(0, 70)};
            m_lengths.push_back(l);
            list.push_back(info);
        }
        return list;
    }
    std::unique_ptr<HidDevice> Open(const std::string& path) override
    {
        if (m_in.Byte() < 8) return nullptr;
        const size_t i = size_t(std::atoi(path.c_str() + 4));
        return std::make_unique<FuzzDevice>(m_in, i < m_lengths.size() ? m_lengths[i] : HidReportLengths{}, m_clock);
    }

private:
    Input& m_in;
    LinkClock& m_clock;
    std::vector<HidReportLengths> m_lengths;
};

class QuietHost final : public DiscoveryHost {
public:
    int selected = 101;
    void SetAllDeviceState(int) override {}
    void SetDeviceState(int, int) override {}
    void SetSelectDevice(int type) override { selected = type; }
    int GetSelectDevice() override { return selected; }
    int ReadStoredDeviceType() override { return 101; }
    void WriteStoredDeviceType(int) override {}
    void LoadLayout(int) override {}
    void ShowNoKeyboardView() override {}
    void ShowConnectedView(bool) override {}
    void ApplyConnectMode(int mode) override { Check(mode >= -1 && mode <= 2); }
    void StartFirmwareCheckTimer(int) override {}
    void QueueTask(int task) override { Check(task >= 2 && task <= 5); }
    void SetBatteryInfo(int level, bool) override { Check(level >= 1 && level <= 100); }
    void RunKeyAction(int value) override { Check(value >= 0 && value <= 255); }
};

std::vector<DeviceEntry> Modes()
{
    std::vector<DeviceEntry> modes;
    auto add = [&](int type, int mode, unsigned pid, const char* product, const char* iface) {
        DeviceEntry e;
        e.deviceType = type;
        e.mode = mode;
        e.vendorId = 0x3A7E;
        e.productId = pid;
        e.name = QString::fromLatin1(product);
        e.hidInterface = QString::fromLatin1(iface);
        modes.push_back(e);
    };
    add(101, 0, 0x0104, "Varnet K104", "VID_3A7E&PID_0104&MI_02");
    add(101, 2, 0x2104, "Varnet 2.4G Receiver", "VID_3A7E&PID_2104&MI_02");
    add(101, 1, 0xB104, "Varnet K104 BT", "VID_3A7E&PID_B104");
    add(102, 0, 0x0075, "Varnet K75", "VID_3A7E&PID_0075&MI_03");
    return modes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    ManualLinkClock clock;
    HidDeviceManager manager(std::make_shared<FuzzBackend>(in, clock), &clock);
    QuietHost host;
    DeviceDiscovery discovery(manager, host, Modes());
    for (const DeviceEntry& m : Modes()) manager.AddKnownDevice(m.vendorId, m.productId, m.name, m.deviceType, m.mode);
    manager.SetCommandDelay(in.Range(0, 20));

    LayoutFile layout;
    layout.light.rgbKeyboard = in.Byte() & 1;
    layout.screen = {256, 2, 3, 4, 4};
    KeyTables tables;

    discovery.RefreshDevices();
    host.selected = in.Byte() & 1 ? 101 : 102;
    discovery.SelectDevice();
    Check(!manager.IsBusy());

    for (int step = 0; step < 64 && !in.Done(); ++step) {
        const CommandContext c{manager, manager.GetConnectMode(), layout, tables};
        uint8_t buffer[kColourReadSize] = {};
        switch (in.Byte() % 12) {
        case 0: discovery.PollNotifications(); break;
        case 1: discovery.PollBattery(in.Byte() & 1); break;
        case 2: {
            in.Fill(buffer, kReceiverBufferSize);
            manager.ExchangeReport(buffer, in.Range(0, 80));
            BatteryLevel(buffer);
            break;
        }
        case 3:
            in.Fill(buffer, 64);
            manager.ReadFeatureBlocks(buffer, sizeof buffer, in.Range(-1, 70));
            break;
        case 4: in.Fill(buffer, 64); manager.SendFeature(buffer, in.Range(1, 200), in.Byte() & 1); break;
        case 5: {
            std::vector<uint8_t> frame(size_t(in.Range(1, 600)));
            in.Fill(frame.data(), frame.size());
            manager.SendFeatureBurst(frame.data(), int(frame.size()));
            break;
        }
        case 6: {
            std::vector<uint8_t> block(kScreenBlockSize);
            manager.SendScreenBlock(block.data());
            break;
        }
        case 7: ReadKeyColours(c); break;
        case 8: QueryBattery(c); break;
        case 9: {
            uint8_t report[kNotifyReportSize];
            const int n = manager.ReadNotification(report, sizeof report, 10);
            Check(n >= 0 && n <= kNotifyReportSize);
            ParseNotification(report, n);
            break;
        }
        case 10: discovery.RefreshDevices(); discovery.SelectDevice(); break;
        case 11: clock.Advance(std::chrono::milliseconds(in.Range(0, 255) * 100)); break;
        }
        Check(!manager.IsBusy());
        Check(discovery.ConnectMode() >= -1 && discovery.ConnectMode() <= 2);
    }
    return 0;
}
