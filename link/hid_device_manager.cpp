#include "link/hid_device_manager.h"

#include <algorithm>
#include <cstring>

#include "link/hidapi_backend.h"
#include "link/report_sizes.h"

namespace {

// Fixed pauses and limits of the primitives, in milliseconds.
constexpr int kBurstPause = 5;
constexpr int kBurstChunkPause = 2;
constexpr int kBurstBudget = 100;
constexpr int kBlockRequestPause = 3;
constexpr int kBlockAckPause = 5;
constexpr int kBlockReadPause = 3;
constexpr int kBlockReadLimit = 360;
constexpr int kBlockCount = 9;
constexpr int kAckReadRetries = 10;
constexpr int kChunkRetries = 10;
constexpr int kWriteRetryPause = 10;
constexpr int kAnswerPause = 5;
constexpr int kAnswerAttempts = 20;
constexpr int kAnswerTimeout = 5;
constexpr int kAnswerRetryPause = 10;
constexpr int kScreenAnswerTimeout = 300;
// Payload byte 3 of an acknowledge (report byte 4).
constexpr int kAckIndex = 4;
constexpr uint8_t kAckAccepted = 1;
constexpr uint8_t kAckBusy = 0xFF;

}  // namespace

const char* RoleName(InterfaceClassification::Role role)
{
    switch (role) {
    case InterfaceClassification::kUnknownDevice: return "unknown-device";
    case InterfaceClassification::kOpenFailed: return "open-failed";
    case InterfaceClassification::kCommand: return "command";
    case InterfaceClassification::kReceiver: return "receiver";
    case InterfaceClassification::kNotify: return "notify";
    case InterfaceClassification::kScreen: return "screen";
    case InterfaceClassification::kClosed: return "closed";
    case InterfaceClassification::kAlreadyOpen: return "already-open";
    }
    return "?";
}

// Sets busy for the life of a primitive; every exit clears it.
class HidDeviceManager::BusyScope {
public:
    explicit BusyScope(std::atomic<int>& busy) : m_busy(busy) { m_busy.store(1); }
    ~BusyScope() { m_busy.store(0); }

private:
    std::atomic<int>& m_busy;
};

HidDeviceManager& HidDeviceManager::GetInstance()
{
    static HidDeviceManager instance;
    return instance;
}

HidDeviceManager::HidDeviceManager(std::shared_ptr<HidBackend> backend, LinkClock* clock)
    : m_backend(std::move(backend)), m_clock(clock ? clock : &LinkClock::Real())
{
}

HidDeviceManager::~HidDeviceManager()
{
    std::lock_guard lock(m_lock);
    m_opened.store(1);
    CloseAllLocked();
}

void HidDeviceManager::SetBackend(std::shared_ptr<HidBackend> backend)
{
    std::lock_guard lock(m_lock);
    m_opened.store(1);
    CloseAllLocked();
    m_backend = std::move(backend);
}

void HidDeviceManager::AddKnownDevice(unsigned vendorId, unsigned productId, const CString& productName,
                                      int deviceType, int mode)
{
    std::lock_guard lock(m_lock);
    m_known.push_back({vendorId & 0xFFFF, productId & 0xFFFF, productName, deviceType, mode});
}

void HidDeviceManager::ClearKnownDevices()
{
    std::lock_guard lock(m_lock);
    m_known.clear();
}

void HidDeviceManager::Refresh()
{
    std::lock_guard lock(m_lock);
    m_activeHandle = nullptr;
    CloseAllLocked();
    OpenDevicesLocked();
    m_opened.store(1);
    m_busy.store(0);
}

void HidDeviceManager::OpenDevices()
{
    std::lock_guard lock(m_lock);
    OpenDevicesLocked();
}

void HidDeviceManager::CloseAll()
{
    std::lock_guard lock(m_lock);
    CloseAllLocked();
}

void HidDeviceManager::CloseAllLocked()
{
    if (!m_opened.load()) return;
    m_opened.store(0);
    m_activeHandle = nullptr;
    m_records.clear();  // closes every handle
    m_notify.reset();
    m_screen.reset();
}

const KnownDevice* HidDeviceManager::MatchKnown(const HidInterfaceInfo& info) const
{
    for (const KnownDevice& k : m_known) {
        if (k.vendorId != info.vendorId || k.productId != info.productId) continue;
        if (k.productName.isEmpty() || k.productName == info.productName) return &k;
    }
    return nullptr;
}

void HidDeviceManager::OpenDevicesLocked()
{
    m_classification.clear();
    if (!m_backend) m_backend = std::make_shared<HidapiBackend>();
    const std::vector<HidInterfaceInfo> interfaces = m_backend->Enumerate();
    std::vector<std::string> held;  // paths held open by this pass

    for (const HidInterfaceInfo& info : interfaces) {
        InterfaceClassification c;
        c.info = info;
        const KnownDevice* known = MatchKnown(info);
        if (!known) {
            m_classification.push_back(c);
            continue;
        }
        c.deviceType = known->deviceType;
        // hidraw gives one node per USB interface but hidapi lists each of its
        // top-level collections: a node already held is not opened twice.
        if (std::find(held.begin(), held.end(), info.path) != held.end()) {
            c.role = InterfaceClassification::kAlreadyOpen;
            m_classification.push_back(c);
            continue;
        }
        std::unique_ptr<HidDevice> device = m_backend->Open(info.path);
        if (!device) {
            c.role = InterfaceClassification::kOpenFailed;
            m_classification.push_back(c);
            continue;
        }
        const HidReportLengths lengths = device->ReportLengths();
        c.lengths = lengths;

        Record r;
        r.info.index = int(m_records.size());
        r.info.vendorId = info.vendorId;
        r.info.productId = info.productId;
        r.info.path = info.path.substr(0, 1023);
        r.info.productName = info.productName;
        r.info.release = info.release;
        r.info.deviceType = known->deviceType;
        if (lengths.feature == kFeatureReportSize) {
            r.info.mode = known->mode;
            r.info.online = known->mode == 0 ? 1 : 0;
            r.handle = std::move(device);
            c.role = InterfaceClassification::kCommand;
        } else if (lengths.output == kReceiverReportSize && lengths.input == kReceiverReportSize) {
            r.info.mode = 2;
            r.info.online = ProbeReceiver(*device);
            r.handle = std::move(device);
            c.role = InterfaceClassification::kReceiver;
        } else if (info.usagePage == kNotifyUsagePage && info.usage == kNotifyUsage) {
            m_notify = std::move(device);
            c.role = InterfaceClassification::kNotify;
        } else if (lengths.output == kScreenReportSize) {
            m_screen = std::move(device);
            c.role = InterfaceClassification::kScreen;
        } else {
            c.role = InterfaceClassification::kClosed;
        }
        if (c.role != InterfaceClassification::kClosed) held.push_back(info.path);
        if (r.handle) {
            c.mode = r.info.mode;
            c.online = r.info.online;
            m_records.push_back(std::move(r));
        }
        m_classification.push_back(c);
    }
}

bool HidDeviceManager::MatchesCurrent(const Record& r) const
{
    const int type = m_currentDeviceType.load();
    return type != 0 && r.info.deviceType == type;
}

bool HidDeviceManager::CollectDevices(std::vector<HidRecordInfo>& out) const
{
    std::lock_guard lock(m_lock);
    out.clear();
    const int type = m_currentDeviceType.load();
    for (const Record& r : m_records)
        if (type == 0 || r.info.deviceType == type) out.push_back(r.info);
    return !m_records.empty();
}

int HidDeviceManager::GetConnectMode() const
{
    std::lock_guard lock(m_lock);
    for (int mode : {0, 2, 1})
        for (const Record& r : m_records)
            if (MatchesCurrent(r) && r.info.mode == mode) return mode;
    return -1;
}

int HidDeviceManager::GetDeviceState(unsigned vendorId, unsigned productId, const CString& productName,
                                     int mode) const
{
    std::lock_guard lock(m_lock);
    for (const Record& r : m_records) {
        if (r.info.vendorId != vendorId || r.info.productId != productId || r.info.mode != mode) continue;
        if (productName.isEmpty() || productName == r.info.productName) return r.info.online;
        return -1;
    }
    return -1;
}

bool HidDeviceManager::GetFirmwareRelease(int& release) const
{
    std::lock_guard lock(m_lock);
    if (!m_opened.load()) return false;
    for (const Record& r : m_records)
        if (MatchesCurrent(r) && r.info.mode == 0) {
            release = r.info.release;
            return true;
        }
    for (const Record& r : m_records)
        if (MatchesCurrent(r) && (r.info.mode == 1 || r.info.mode == 2)) {
            release = 0;
            return true;
        }
    return false;
}

HidDevice* HidDeviceManager::ActiveHandleLocked()
{
    if (m_activeHandle) return m_activeHandle;
    for (int mode : {0, 2, 1})
        for (const Record& r : m_records)
            if (MatchesCurrent(r) && r.info.mode == mode) {
                m_activeHandle = r.handle.get();
                return m_activeHandle;
            }
    return nullptr;
}

std::optional<HidRecordInfo> HidDeviceManager::GetActiveRecord()
{
    std::lock_guard lock(m_lock);
    HidDevice* handle = ActiveHandleLocked();
    for (const Record& r : m_records)
        if (handle && r.handle.get() == handle) return r.info;
    return std::nullopt;
}

void HidDeviceManager::SetCurrentDeviceType(int deviceType)
{
    std::lock_guard lock(m_lock);
    m_currentDeviceType.store(deviceType);
    m_activeHandle = nullptr;
}

void HidDeviceManager::ClearActiveHandle()
{
    std::lock_guard lock(m_lock);
    m_activeHandle = nullptr;
}

void HidDeviceManager::SetCommandDelay(int milliseconds)
{
    m_commandDelay.store(std::clamp(milliseconds, 0, 1000));
}

bool HidDeviceManager::HasNotifyInterface() const
{
    std::lock_guard lock(m_lock);
    return m_notify != nullptr;
}

bool HidDeviceManager::HasScreenInterface() const
{
    std::lock_guard lock(m_lock);
    return m_screen != nullptr;
}

std::vector<InterfaceClassification> HidDeviceManager::LastClassification() const
{
    std::lock_guard lock(m_lock);
    return m_classification;
}

bool HidDeviceManager::SendFeature(const uint8_t* payload, int length, bool acknowledge)
{
    std::lock_guard lock(m_lock);
    if (!m_opened.load() || !payload || length <= 0) return false;
    BusyScope busy(m_busy);
    HidDevice* device = ActiveHandleLocked();
    if (!device) return false;
    const int delay = m_commandDelay.load();
    uint8_t report[kFeatureReportSize];

    if (length <= kFeatureReportSize) {
        const size_t copied = size_t(std::min(length, kPayloadSize));
        Pause(delay);
        std::memset(report, 0, sizeof report);
        std::memcpy(report + 1, payload, copied);
        if (device->SendFeatureReport(report, kFeatureReportSize) < 0) return false;
        if (!acknowledge) return true;
        Pause(delay);
        report[0] = 0;
        std::memcpy(report + 1, payload, copied);
        // An answer too short to hold payload byte 3 acknowledges nothing.
        const int got = device->GetFeatureReport(report, length);
        return got >= kAckIndex && report[kAckIndex] == kAckAccepted;
    }

    const int chunks = length / kPayloadSize;
    Pause(delay);
    for (int i = 0; i < chunks; ++i) {
        std::memset(report, 0, sizeof report);
        std::memcpy(report + 1, payload + size_t(i) * kPayloadSize, kPayloadSize);
        bool sent = device->SendFeatureReport(report, kFeatureReportSize) >= 0;
        Pause(delay);
        for (int retry = 0; !sent && retry < kChunkRetries; ++retry) {
            Pause(delay);
            sent = device->SendFeatureReport(report, kFeatureReportSize) >= 0;
        }
        if (!sent) return false;
    }
    return true;
}

bool HidDeviceManager::SendFeatureBurst(const uint8_t* payload, int length)
{
    std::lock_guard lock(m_lock);
    if (!m_opened.load() || !payload || length <= 0) return false;
    BusyScope busy(m_busy);
    HidDevice* device = ActiveHandleLocked();
    if (!device) return false;
    uint8_t report[kFeatureReportSize];

    if (length <= kFeatureReportSize) {
        std::memset(report, 0, sizeof report);
        std::memcpy(report + 1, payload, size_t(std::min(length, kPayloadSize)));
        Pause(kBurstPause);
        if (device->SendFeatureReport(report, kFeatureReportSize) < 0) return false;
        Pause(kBurstPause);
        int got = device->GetFeatureReport(report, length);
        if (got >= kAckIndex && report[kAckIndex] == kAckBusy) {
            std::memset(report, 0, sizeof report);
            std::memcpy(report + 1, payload, size_t(std::min(length, kPayloadSize)));
            if (device->SendFeatureReport(report, kFeatureReportSize) >= 0) {
                Pause(kBurstPause);
                got = device->GetFeatureReport(report, length);
            }
        }
        return got >= kAckIndex && report[kAckIndex] == kAckAccepted;
    }

    const LinkClock::TimePoint start = m_clock->Now();
    const int chunks = length / kPayloadSize;
    for (int i = 0; i < chunks; ++i) {
        std::memset(report, 0, sizeof report);
        std::memcpy(report + 1, payload + size_t(i) * kPayloadSize, kPayloadSize);
        const bool sent = device->SendFeatureReport(report, kFeatureReportSize) >= 0;
        Pause(kBurstChunkPause);
        if (!sent || ElapsedMs(start, m_clock->Now()) > kBurstBudget) return false;
    }
    return true;
}

bool HidDeviceManager::ReadFeatureBlocks(uint8_t* buffer, int bufferSize, int ackReadLength)
{
    std::lock_guard lock(m_lock);
    if (!m_opened.load() || m_busy.load() || !buffer || bufferSize < kColourReadSize) return false;
    BusyScope busy(m_busy);
    HidDevice* device = ActiveHandleLocked();
    if (!device) return false;
    // The 1 ms timer resolution this read relies on is the precise sleeping
    // of the link's clock, which every pause already uses.
    uint8_t report[kFeatureReportSize];

    Pause(kBlockRequestPause);
    std::memset(report, 0, sizeof report);
    std::memcpy(report + 1, buffer, kPayloadSize);
    if (device->SendFeatureReport(report, kFeatureReportSize) < 0) return false;

    Pause(kBlockAckPause);
    // The acknowledge is read into the 65-byte report: a longer length would
    // let the device write past it.
    int got = device->GetFeatureReport(report, std::min(ackReadLength, kFeatureReportSize));
    for (int retry = 0; got < 0 && retry < kAckReadRetries; ++retry) {
        got = device->GetFeatureReport(report, kFeatureReportSize);
        Pause(kBlockAckPause);
    }
    if (got < kAckIndex || report[kAckIndex] != kAckAccepted) return false;

    for (int i = 0; i < kBlockCount; ++i) {
        Pause(kBlockReadPause);
        if (got <= 0) return false;
        std::memset(report, 0, sizeof report);
        const LinkClock::TimePoint started = m_clock->Now();
        got = device->GetFeatureReport(report, kFeatureReportSize);
        if (ElapsedMs(started, m_clock->Now()) > kBlockReadLimit) return false;
        std::memcpy(buffer + size_t(i) * kPayloadSize, report + 1, kPayloadSize);
        if (got != kPayloadSize) return false;
    }
    return true;
}

bool HidDeviceManager::ExchangeReport(uint8_t* buffer, int checksumLength)
{
    std::lock_guard lock(m_lock);
    if (!m_opened.load() || !buffer) return false;
    BusyScope busy(m_busy);
    HidDevice* device = ActiveHandleLocked();
    if (!device) return false;

    unsigned sum = 0;
    const int n = std::clamp(checksumLength, 0, kReceiverBufferSize);
    for (int i = 0; i < n; ++i) sum += buffer[i];
    buffer[kReceiverChecksumIndex] = uint8_t(sum);

    if (device->Write(buffer, kReceiverReportSize) < 0) {
        Pause(kWriteRetryPause);
        if (device->Write(buffer, kReceiverReportSize) < 0) return false;
    }
    Pause(kAnswerPause);
    uint8_t scratch[kReceiverBufferSize];
    for (int attempt = 0; attempt < kAnswerAttempts; ++attempt) {
        std::memcpy(scratch, buffer, sizeof scratch);
        const int got = device->ReadTimeout(scratch, kReceiverReportSize, kAnswerTimeout);
        // A read that brought nothing (time-out, error) is never taken as an
        // answer, even where the stale request bytes would happen to match.
        if (got >= 3 && scratch[0] == buffer[1] && scratch[1] == buffer[2] && scratch[2] == buffer[3]) {
            std::memcpy(buffer, scratch, kReceiverReportSize);
            return true;
        }
        Pause(kAnswerRetryPause);
    }
    return false;
}

int HidDeviceManager::ProbeReceiver(HidDevice& device)
{
    uint8_t request[kReceiverBufferSize] = {};
    request[1] = 0x02;
    request[kReceiverChecksumIndex] = 0x02;
    if (device.Write(request, kReceiverReportSize) < 0) {
        Pause(kWriteRetryPause);
        if (device.Write(request, kReceiverReportSize) < 0) return 0;
    }
    Pause(kAnswerPause);
    uint8_t answer[kReceiverBufferSize];
    for (int attempt = 0; attempt < kAnswerAttempts; ++attempt) {
        std::memcpy(answer, request, sizeof answer);
        const int got = device.ReadTimeout(answer, kReceiverReportSize, kAnswerTimeout);
        if (got >= 3 && answer[0] == 0x02 && answer[1] == request[2] && answer[2] == request[3]) return 1;
        Pause(kAnswerRetryPause);
    }
    return 0;
}

bool HidDeviceManager::SendScreenBlock(const uint8_t* block)
{
    std::lock_guard lock(m_lock);
    if (!m_opened.load() || !m_screen || !block) return false;
    BusyScope busy(m_busy);
    std::vector<uint8_t>& report = m_screenReport;
    report.resize(kScreenReportSize);
    report[0] = 0;
    std::memcpy(report.data() + 1, block, kScreenBlockSize);
    const bool written = m_screen->Write(report.data(), kScreenReportSize) >= 0;
    if (written) m_screen->ReadTimeout(report.data(), kScreenReportSize, kScreenAnswerTimeout);
    return written;
}

int HidDeviceManager::ReadNotification(uint8_t* buffer, int length, int timeoutMs)
{
    std::lock_guard lock(m_lock);
    if (!m_notify || !buffer || length <= 0) return 0;
    const int got = m_notify->ReadTimeout(buffer, length, timeoutMs);
    return got < 0 ? 0 : got;
}
