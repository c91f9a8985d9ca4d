#include "link/udev_monitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <QRegularExpression>
#include <cerrno>

namespace {

const char16_t kInterfaceClass[] = u"{4D1E55B2-F16F-11CF-88CB-001111000030}";
const char16_t kHidOverGatt[] = u"{00001812-0000-1000-8000-00805F9B34FB}";

}  // namespace

CString HidInterfaceName(const std::string& devpath)
{
    const CString path = QString::fromStdString(devpath);
    // The HID device: bus:vendor:product.instance, then the hidraw node.
    static const QRegularExpression hid(
        u"/([0-9A-Fa-f]{4}):([0-9A-Fa-f]{4}):([0-9A-Fa-f]{4})\\.[0-9A-Fa-f]+/hidraw/(hidraw\\d+)$"_qs);
    const QRegularExpressionMatch m = hid.match(path);
    if (!m.hasMatch()) return CString();
    const int bus = m.captured(1).toInt(nullptr, 16);
    const CString ids = u"VID_"_qs + m.captured(2) + u"&PID_"_qs + m.captured(3);
    const CString node = m.captured(4);
    CString device;
    if (bus == 0x0005 && path.contains(u"/uhid/"_qs)) {
        device = CString::fromUtf16(kHidOverGatt) + u"_DEV_"_qs + ids;
    } else {
        device = ids;
        // The USB interface the HID device hangs on: "<port>:<config>.<interface>".
        static const QRegularExpression usbInterface(u"/\\d+-[\\d.]+:\\d+\\.(\\d+)/[^/]+/hidraw/"_qs);
        const QRegularExpressionMatch i = usbInterface.match(path);
        if (i.hasMatch())
            device += u"&MI_"_qs + CString::number(i.captured(1).toInt(), 16).rightJustified(2, u'0');
    }
    return (u"\\\\?\\HID#"_qs + device + u"#"_qs + node + u"#"_qs + CString::fromUtf16(kInterfaceClass)).toUpper();
}

UdevMonitor::UdevMonitor(DeviceChangeSink& sink) : m_sink(sink) {}

UdevMonitor::~UdevMonitor()
{
    Stop();
}

bool UdevMonitor::Start()
{
    if (m_thread.joinable()) return true;
    udev* u = udev_new();
    if (!u) return false;
    udev_monitor* monitor = udev_monitor_new_from_netlink(u, "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor) udev_monitor_unref(monitor);
        udev_unref(u);
        return false;
    }
    m_stopFd = eventfd(0, EFD_CLOEXEC);
    if (m_stopFd < 0) {
        udev_monitor_unref(monitor);
        udev_unref(u);
        return false;
    }
    m_udev = u;
    m_thread = std::thread([this, monitor] { Run(monitor); });
    return true;
}

void UdevMonitor::Stop()
{
    if (!m_thread.joinable()) return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_stopFd, &one, sizeof one);
    m_thread.join();
    close(m_stopFd);
    m_stopFd = -1;
    udev_unref(static_cast<udev*>(m_udev));
    m_udev = nullptr;
}

void UdevMonitor::Run(void* monitorHandle)
{
    udev_monitor* monitor = static_cast<udev_monitor*>(monitorHandle);
    pollfd fds[2] = {{udev_monitor_get_fd(monitor), POLLIN, 0}, {m_stopFd, POLLIN, 0}};
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;  // the monitor cannot go on; hot-plug notices stop
        }
        if (fds[1].revents) break;
        if (!(fds[0].revents & POLLIN)) continue;
        udev_device* d = udev_monitor_receive_device(monitor);
        if (!d) continue;
        const char* action = udev_device_get_action(d);
        const char* devpath = udev_device_get_devpath(d);
        if (action && devpath) {
            const std::string a = action;
            if (a == "add" || a == "remove") {
                const CString name = HidInterfaceName(devpath);
                if (!name.isEmpty()) m_sink.OnDeviceChange(a == "add", name);
            }
        }
        udev_device_unref(d);
    }
    udev_monitor_unref(monitor);
}
