#include "device/device_description.h"

namespace {
constexpr int kFirstDeviceType = 100;
constexpr int kDefaultDeviceType = 101;
}  // namespace

DeviceDescription::DeviceDescription(const CString& programFolder) : m_programFolder(programFolder) {}

CString DeviceDescription::LayoutPath(const CString& layoutName) const
{
    return m_programFolder + u"/layouts/"_qs + layoutName + u".xml"_qs;
}

bool DeviceDescription::LoadCatalogue(int storedDeviceType, DeviceDescriptionListener& listener)
{
    const int deviceType = storedDeviceType < kFirstDeviceType ? kDefaultDeviceType : storedDeviceType;

    m_catalogue = Catalogue();
    listener.ClearDeviceList();
    const bool read = ReadCatalogue(m_programFolder + u"/config.xml"_qs, m_programFolder, m_catalogue);
    if (read) {
        for (const DeviceEntry& keyboard : m_catalogue.keyboards) listener.AddDevice(keyboard);
        for (const DeviceEntry& mode : m_catalogue.modes)
            listener.AddKnownDevice(mode.vendorId, mode.productId, mode.name, mode.deviceType, mode.mode);
        listener.SetDefaultLanguage(m_catalogue.defaultLanguage);
        listener.ShowSoftwareInfo(m_catalogue.software);
    }

    listener.SelectDevice(deviceType);
    LoadLayout(deviceType, listener);
    listener.RegisterForArrivals();
    return read;
}

bool DeviceDescription::LoadLayout(int deviceType, DeviceDescriptionListener& listener)
{
    const DeviceEntry* keyboard = m_catalogue.FindKeyboard(deviceType);
    listener.ShowKeyboard(keyboard ? keyboard->name : CString(),
                          keyboard ? keyboard->imgDisconnected : CString());
    m_currentDeviceType = deviceType;

    const CString layoutName = keyboard ? keyboard->deviceInfo : CString();
    listener.OpenStore(deviceType, layoutName);

    LayoutFile fresh;
    if (!keyboard || !ReadLayoutFile(LayoutPath(layoutName), m_layout, fresh)) return false;

    m_layout = std::move(fresh);
    BuildKeyTables(m_layout, m_tables);
    listener.SetCommandDelay(m_layout.commandDelay);
    listener.ApplyLayout(m_layout, m_tables);
    return true;
}
