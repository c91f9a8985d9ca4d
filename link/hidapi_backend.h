#pragma once
// The HID back end for real keyboards: hidapi on Linux hidraw. Report lengths
// of an opened interface come from its report descriptor in sysfs, parsed as
// the Windows HID parser would (report_descriptor.h).
#include "link/hid_backend.h"

class HidapiBackend final : public HidBackend {
public:
    HidapiBackend();
    ~HidapiBackend() override;
    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> Open(const std::string& path) override;

    // The report descriptor of a hidraw node ("/dev/hidrawN") read from sysfs;
    // empty when it cannot be read.
    static std::vector<uint8_t> ReadReportDescriptor(const std::string& devicePath);

private:
    bool m_initialised = false;
};
