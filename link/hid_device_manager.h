#pragma once
// HidDeviceManager: the one object every exchange with a keyboard passes
// through. It keeps the devices the program accepts (from the catalogue),
// opens and classifies their HID interfaces, remembers the current keyboard
// and offers the transfer primitives with their fixed framing, pauses,
// retries and acknowledges.
//
// Threads: the worker runs the primitives; the UI thread may change the
// current device type, ask for the firmware release or close everything. One
// lock serialises all of these, so a UI-thread call never lands in the middle
// of a primitive; the flags are atomics because tools read them without it.
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/hid_backend.h"
#include "link/link_clock.h"

struct KnownDevice {
    unsigned vendorId = 0;
    unsigned productId = 0;
    CString productName;  // empty: any product string
    int deviceType = 0;
    int mode = 0;         // ConnectMode declared by the catalogue
};

// A record as callers see it (the device handle stays inside the manager).
struct HidRecordInfo {
    int index = 0;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::string path;
    CString productName;
    int release = 0;
    int deviceType = 0;
    int mode = 0;
    int online = 0;
};

// What the last OpenDevices did with one enumerated interface.
struct InterfaceClassification {
    enum Role {
        kUnknownDevice,  // no known device matches ids and product string
        kOpenFailed,
        kCommand,        // 65-byte feature report: cable or Bluetooth command interface
        kReceiver,       // 33-byte output and input reports
        kNotify,         // usage page 0xFFFF, usage 1
        kScreen,         // 4097-byte output report
        kClosed,         // opened, matched no rule, closed again
        kAlreadyOpen,    // another collection of an interface already held open
    };
    HidInterfaceInfo info;
    HidReportLengths lengths;
    Role role = kUnknownDevice;
    int deviceType = 0;
    int mode = -1;
    int online = 0;
};
const char* RoleName(InterfaceClassification::Role role);

class HidDeviceManager {
public:
    // The process-wide manager, created on first use. Its back end is hidapi
    // unless SetBackend chose another before.
    static HidDeviceManager& GetInstance();

    explicit HidDeviceManager(std::shared_ptr<HidBackend> backend = nullptr,
                              LinkClock* clock = &LinkClock::Real());
    ~HidDeviceManager();
    HidDeviceManager(const HidDeviceManager&) = delete;
    HidDeviceManager& operator=(const HidDeviceManager&) = delete;

    // Replaces the back end; everything opened through the old one is closed.
    void SetBackend(std::shared_ptr<HidBackend> backend);
    LinkClock& Clock() const { return *m_clock; }

    void AddKnownDevice(unsigned vendorId, unsigned productId, const CString& productName, int deviceType,
                        int mode);
    void ClearKnownDevices();

    // Refresh of the link: clear the cached handle, close all, open and
    // classify, mark opened, clear busy.
    void Refresh();
    void OpenDevices();
    void CloseAll();

    // Records of the current device type (all when it is 0); false when there
    // are no records at all.
    bool CollectDevices(std::vector<HidRecordInfo>& out) const;
    int GetConnectMode() const;
    int GetDeviceState(unsigned vendorId, unsigned productId, const CString& productName, int mode) const;
    bool GetFirmwareRelease(int& release) const;
    // The record whose handle commands go to: cable, then receiver, then
    // Bluetooth (the order of GetConnectMode, so that the form of a command
    // and the interface it goes to always agree).
    std::optional<HidRecordInfo> GetActiveRecord();

    void SetCurrentDeviceType(int deviceType);
    int CurrentDeviceType() const { return m_currentDeviceType.load(); }
    void ClearActiveHandle();
    void SetCommandDelay(int milliseconds);
    int CommandDelay() const { return m_commandDelay.load(); }
    bool IsOpened() const { return m_opened.load() != 0; }
    bool IsBusy() const { return m_busy.load() != 0; }
    bool HasNotifyInterface() const;
    bool HasScreenInterface() const;
    std::vector<InterfaceClassification> LastClassification() const;

    // --- transfer primitives -------------------------------------------------
    // Payload of up to 64 bytes (length <= 65) as one feature report, or
    // length / 64 reports of 64 bytes each.
    bool SendFeature(const uint8_t* payload, int length, bool acknowledge);
    bool SendFeatureBurst(const uint8_t* payload, int length);
    // Request in buffer[0..63]; 576 bytes of answer come back in buffer.
    bool ReadFeatureBlocks(uint8_t* buffer, int bufferSize, int ackReadLength);
    // 65-byte buffer laid out as a receiver report; the answer replaces it.
    bool ExchangeReport(uint8_t* buffer, int checksumLength);
    // 1 when the keyboard behind an opened receiver interface answers.
    int ProbeReceiver(HidDevice& device);
    // One 4096-byte block to the screen interface; true when written.
    bool SendScreenBlock(const uint8_t* block);
    // One input report from the notify interface: the byte count, 0 when
    // nothing came within the time-out or there is no notify interface.
    int ReadNotification(uint8_t* buffer, int length, int timeoutMs);

private:
    struct Record {
        HidRecordInfo info;
        std::unique_ptr<HidDevice> handle;
    };
    class BusyScope;

    void CloseAllLocked();
    void OpenDevicesLocked();
    HidDevice* ActiveHandleLocked();
    const KnownDevice* MatchKnown(const HidInterfaceInfo& info) const;
    bool MatchesCurrent(const Record& r) const;
    void Pause(int ms) { m_clock->SleepMs(ms); }

    mutable std::mutex m_lock;
    std::shared_ptr<HidBackend> m_backend;
    LinkClock* m_clock;
    std::vector<KnownDevice> m_known;
    std::vector<Record> m_records;
    HidDevice* m_activeHandle = nullptr;
    std::unique_ptr<HidDevice> m_notify;
    std::unique_ptr<HidDevice> m_screen;
    std::vector<InterfaceClassification> m_classification;
    std::vector<uint8_t> m_screenReport;  // the 4097-byte screen report, kept between blocks
    std::atomic<int> m_opened{0};
    std::atomic<int> m_busy{0};
    std::atomic<int> m_currentDeviceType{0};
    std::atomic<int> m_commandDelay{10};
};
