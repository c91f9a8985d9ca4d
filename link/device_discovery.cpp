#include "link/device_discovery.h"

#include "link/device_events.h"
#include "link/report_sizes.h"

namespace {

// Interfaces of Bluetooth low-energy HID devices never trigger a refresh.
const char16_t kBluetoothLowEnergyHid[] = u"00001812-0000-1000-8000-00805F9B34FB";

// The leading decimal digits of a text, as the C library's atoi reads them.
int LeadingNumber(const CString& text)
{
    const CString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) negative = t[i++] == u'-';
    long long value = 0;
    for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i) {
        value = value * 10 + (t[i].unicode() - u'0');
        if (value > 0x7FFFFFFF) break;
    }
    return int(negative ? -value : std::min<long long>(value, 0x7FFFFFFF));
}

}  // namespace

DeviceDiscovery::DeviceDiscovery(HidDeviceManager& manager, DiscoveryHost& host, std::vector<DeviceEntry> modeEntries)
    : m_manager(manager), m_host(host), m_entries(std::move(modeEntries))
{
}

bool DeviceDiscovery::ModeEntryPresent(size_t index) const
{
    std::lock_guard lock(m_entriesLock);
    return index < m_entries.size() && m_entries[index].present != 0;
}

void DeviceDiscovery::RefreshDevices()
{
    m_online.store(false);
    m_manager.Refresh();
    int stored = m_host.ReadStoredDeviceType();
    if (stored < 100) stored = kFirstDeviceType;

    m_manager.SetCurrentDeviceType(0);
    std::vector<HidRecordInfo> records;
    m_manager.CollectDevices(records);
    m_host.SetAllDeviceState(0);
    for (const HidRecordInfo& r : records) m_host.SetDeviceState(r.deviceType, 1);
    m_host.SetSelectDevice(stored);

    // The link is asked without holding the entries' lock: device-change
    // notices (which take it) may arrive from inside a link call.
    std::vector<DeviceEntry> entries;
    {
        std::lock_guard lock(m_entriesLock);
        entries = m_entries;
    }
    bool online = false;
    std::vector<int> present;
    for (const DeviceEntry& e : entries) {
        const int state = m_manager.GetDeviceState(e.vendorId, e.productId, e.name, e.mode);
        present.push_back(state >= 0 ? 1 : 0);
        if (state > 0) online = true;
    }
    {
        std::lock_guard lock(m_entriesLock);
        for (size_t i = 0; i < m_entries.size() && i < present.size(); ++i) m_entries[i].present = present[i];
    }
    if (online) m_online.store(true);
    m_host.WriteStoredDeviceType(m_host.GetSelectDevice());
    m_present.store(!records.empty());
}

void DeviceDiscovery::ShowConnected(bool keyAssignmentPage)
{
    m_host.ShowConnectedView(keyAssignmentPage);
    m_host.StartFirmwareCheckTimer(kFirmwareTimerMs);
    m_host.QueueTask(kTaskKeyboardConnected);
}

void DeviceDiscovery::SelectDevice()
{
    if (!m_present.load()) {
        m_host.ShowNoKeyboardView();
        return;
    }
    const int type = m_host.GetSelectDevice();
    m_manager.SetCurrentDeviceType(type);
    m_host.WriteStoredDeviceType(type);
    m_host.LoadLayout(type);

    const int mode = m_manager.GetConnectMode();
    m_connectMode.store(mode);
    m_host.ApplyConnectMode(mode);
    if (mode == 1 || mode == 2) {
        if (m_online.load())
            ShowConnected(true);
        else
            m_host.ShowNoKeyboardView();
        return;
    }
    m_online.store(true);
    ShowConnected(false);
}

void DeviceDiscovery::OnDeviceChange(bool arrival, const CString& interfaceName)
{
    const CString name = interfaceName.toUpper();
    const CString lowEnergy = CString::fromUtf16(kBluetoothLowEnergyHid);
    int task = 0;
    {
        std::lock_guard lock(m_entriesLock);
        for (DeviceEntry& e : m_entries) {
            if (!arrival && !e.present) continue;
            if (name.contains(lowEnergy)) return;
            // An empty hid_interface names no interface (it would match every name).
            if (e.hidInterface.isEmpty() || !name.contains(e.hidInterface)) continue;
            if (!arrival) e.present = 0;
            task = arrival ? kTaskDeviceArrival : kTaskDeviceRemoval;
            break;
        }
    }
    if (task) m_host.QueueTask(task);
}

void DeviceDiscovery::OnDeviceListSelect()
{
    const int type = m_host.GetSelectDevice();
    m_host.WriteStoredDeviceType(type);
    m_manager.SetCurrentDeviceType(type);
    m_host.QueueTask(kTaskDeviceListSelect);
}

void DeviceDiscovery::PollBattery(bool forced)
{
    if (m_connectMode.load() != 2) return;
    const LinkClock::TimePoint now = m_manager.Clock().Now();
    if (!forced && m_lastBattery && ElapsedMs(*m_lastBattery, now) < kBatteryIntervalMs) return;
    m_lastBattery = now;

    const Transaction query = QueryBatteryReceiver();
    uint8_t buffer[kReceiverBufferSize] = {};
    std::copy(query.steps[0].bytes.begin(), query.steps[0].bytes.end(), buffer);
    if (!m_manager.ExchangeReport(buffer, kReceiverBufferSize)) return;
    const std::optional<int> level = BatteryLevel(buffer);
    if (!level) return;
    m_host.SetBatteryInfo(*level, false);
    if (!m_online.load()) {
        m_online.store(true);
        SelectDevice();
    }
}

void DeviceDiscovery::PollNotifications()
{
    const LinkClock::TimePoint now = m_manager.Clock().Now();
    if (m_lastNotify && ElapsedMs(*m_lastNotify, now) < kNotifyIntervalMs) return;
    m_lastNotify = now;

    uint8_t report[kNotifyReportSize] = {};
    const int got = m_manager.ReadNotification(report, sizeof report, kNotifyTimeoutMs);
    const Notification n = ParseNotification(report, got);
    switch (n.kind) {
    case Notification::kLinkUp:
        m_online.store(true);
        SelectDevice();
        break;
    case Notification::kLinkDown:
        m_online.store(false);
        SelectDevice();
        break;
    case Notification::kKeyAction: m_host.RunKeyAction(n.value); break;
    default: break;
    }
}

DeviceDiscovery::FirmwareCheck DeviceDiscovery::CheckFirmwareVersion(const FirmwareInfo& firmware) const
{
    if (!firmware.Offered()) return FirmwareCheck::kNotOffered;
    int release = 0;
    if (!m_manager.GetFirmwareRelease(release) || release == 0) return FirmwareCheck::kNoRelease;
    return IsFirmwareOlder(release, firmware.version) ? FirmwareCheck::kOlder : FirmwareCheck::kUpToDate;
}

int DeviceDiscovery::ReleaseAsDecimal(int release)
{
    return LeadingNumber(CString::number(unsigned(release) & 0xFFFF, 16));
}

bool DeviceDiscovery::IsFirmwareOlder(int release, const CString& layoutVersion)
{
    return ReleaseAsDecimal(release) < LeadingNumber(layoutVersion);
}
