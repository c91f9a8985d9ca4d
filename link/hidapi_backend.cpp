#include "link/hidapi_backend.h"

#include <hidapi.h>

#include <QFile>
#include <QFileInfo>

#include "link/report_descriptor.h"

namespace {

class HidapiDevice final : public HidDevice {
public:
    HidapiDevice(hid_device* device, HidReportLengths lengths) : m_device(device), m_lengths(lengths) {}
    ~HidapiDevice() override { hid_close(m_device); }

    int SendFeatureReport(const uint8_t* data, int length) override
    {
        if (length <= 0) return -1;
        return hid_send_feature_report(m_device, data, size_t(length));
    }

    int GetFeatureReport(uint8_t* data, int length) override
    {
        if (length <= 0) return -1;
        // hidraw counts the report id byte in its result; the link counts data bytes.
        const int res = hid_get_feature_report(m_device, data, size_t(length));
        return res > 0 ? res - 1 : res;
    }

    int Write(const uint8_t* data, int length) override
    {
        if (length <= 0) return -1;
        return hid_write(m_device, data, size_t(length));
    }

    int ReadTimeout(uint8_t* data, int length, int timeoutMs) override
    {
        if (length <= 0) return -1;
        return hid_read_timeout(m_device, data, size_t(length), timeoutMs);
    }

    HidReportLengths ReportLengths() const override { return m_lengths; }

private:
    hid_device* m_device;
    HidReportLengths m_lengths;
};

CString WideText(const wchar_t* text)
{
    return text ? QString::fromWCharArray(text) : CString();
}

}  // namespace

HidapiBackend::HidapiBackend()
{
    m_initialised = hid_init() == 0;
}

HidapiBackend::~HidapiBackend()
{
    if (m_initialised) hid_exit();
}

std::vector<HidInterfaceInfo> HidapiBackend::Enumerate()
{
    std::vector<HidInterfaceInfo> list;
    if (!m_initialised) return list;
    hid_device_info* all = hid_enumerate(0, 0);
    for (hid_device_info* d = all; d; d = d->next) {
        HidInterfaceInfo info;
        info.path = d->path ? d->path : "";
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.release = d->release_number;
        info.productName = WideText(d->product_string);
        info.usagePage = d->usage_page;
        info.usage = d->usage;
        info.interfaceNumber = d->interface_number;
        list.push_back(std::move(info));
    }
    hid_free_enumeration(all);
    return list;
}

std::unique_ptr<HidDevice> HidapiBackend::Open(const std::string& path)
{
    if (!m_initialised) return nullptr;
    hid_device* device = hid_open_path(path.c_str());
    if (!device) return nullptr;
    return std::make_unique<HidapiDevice>(device, ParseReportDescriptor(ReadReportDescriptor(path)));
}

std::vector<uint8_t> HidapiBackend::ReadReportDescriptor(const std::string& devicePath)
{
    const QString node = QFileInfo(QString::fromLocal8Bit(devicePath.c_str())).fileName();
    if (node.isEmpty()) return {};
    QFile f(u"/sys/class/hidraw/"_qs + node + u"/device/report_descriptor"_qs);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.read(4096);  // HID_MAX_DESCRIPTOR_SIZE
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}
