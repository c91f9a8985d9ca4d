#include "cli/device_session.h"


bool DeviceSession::Open(const CommandLine& line, CString& error)
{
    m_programFolder = line.programFolder;
    const CString path = m_programFolder + u"/config.xml"_qs;
    if (!ReadCatalogue(path, m_programFolder, m_catalogue)) {
        error = u"cannot read the catalogue "_qs + path;
        return false;
    }
    if (line.simulate) {
        if (!m_simulation.Start(m_catalogue, m_programFolder, line.simulateChoice, error)) return false;
        m_simulated = true;
        m_traceFile = line.simTrace;
        m_manager = std::make_unique<HidDeviceManager>(m_simulation.Backend());
    } else {
        m_manager = std::make_unique<HidDeviceManager>();
    }
    for (const DeviceEntry& m : m_catalogue.modes)
        m_manager->AddKnownDevice(m.vendorId, m.productId, m.name, m.deviceType, m.mode);
    return true;
}

bool DeviceSession::StartTrace(CString& error)
{
    return !m_simulated || m_simulation.OpenTrace(m_traceFile, error);
}

bool DeviceSession::SelectKeyboard(int deviceType, CString& error)
{
    int type = deviceType;
    if (type == 0 && m_simulated) type = m_simulation.DeviceType();
    if (type == 0) {
        std::vector<HidRecordInfo> records;
        m_manager->SetCurrentDeviceType(0);
        if (m_manager->CollectDevices(records)) type = records.front().deviceType;
    }
    const DeviceEntry* keyboard = m_catalogue.FindKeyboard(type);
    if (!keyboard) {
        error = type == 0 ? u"no keyboard found"_qs : u"no keyboard of device type %1 in the catalogue"_qs.arg(type);
        return false;
    }
    m_deviceType = type;
    ReadLayoutFile(m_programFolder + u"/layouts/"_qs + keyboard->deviceInfo + u".xml"_qs, LayoutFile{}, m_layout);
    BuildKeyTables(m_layout, m_tables);
    m_manager->SetCurrentDeviceType(type);
    m_manager->SetCommandDelay(m_layout.commandDelay);
    return true;
}
