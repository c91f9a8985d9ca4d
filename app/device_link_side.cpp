#include "app/device_link_side.h"

#include <cstdio>

#include "platform/settings_file.h"
#include "store/data_store.h"

namespace {

void Say(const CString& text)
{
    std::fprintf(stderr, "varnet: %s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

}  // namespace

DeviceLinkSide::DeviceLinkSide(const CString& programFolder, const CString& dataFolder, TaskQueue& queue)
    : m_programFolder(programFolder),
      m_dataFolder(dataFolder),
      m_queue(queue),
      m_manager(HidDeviceManager::GetInstance())
{
}

std::unique_ptr<DeviceLinkSide> DeviceLinkSide::Create(const ShellOptions& options, const CString& programFolder,
                                                       const CString& dataFolder, TaskQueue& queue, CString& error)
{
    std::unique_ptr<DeviceLinkSide> side(new DeviceLinkSide(programFolder, dataFolder, queue));
    ReadCatalogue(programFolder + u"/config.xml"_qs, programFolder, side->m_catalogue);

    if (options.simulate) {
        if (!side->m_simulation.Start(side->m_catalogue, programFolder, options.simulateSpec, error)) return nullptr;
        if (!options.simTrace.isEmpty() && !side->m_simulation.OpenTrace(options.simTrace, error)) return nullptr;
        CString listenError;
        if (!side->m_simulation.Listen(std::string(), listenError))
            Say(u"the simulated keyboard cannot be driven from outside: "_qs + listenError);
        side->m_simulated = true;
        side->m_manager.SetBackend(side->m_simulation.Backend());
    }
    for (const DeviceEntry& m : side->m_catalogue.modes)
        side->m_manager.AddKnownDevice(m.vendorId, m.productId, m.name, m.deviceType, m.mode);

    DiscoveryHost& host = *side;
    side->m_discovery = std::make_unique<DeviceDiscovery>(side->m_manager, host, side->m_catalogue.modes);
    if (side->m_simulated) {
        side->m_simulation.Backend()->SetDeviceChangeSink(side->m_discovery.get());
    } else {
        side->m_udev = std::make_unique<UdevMonitor>(*side->m_discovery);
        if (!side->m_udev->Start()) Say(u"keyboards plugged in later are not noticed (no udev monitor)"_qs);
    }
    return side;
}

DeviceLinkSide::~DeviceLinkSide()
{
    // Plug notices and hot-plug stop before discovery goes away.
    if (m_udev) m_udev->Stop();
    if (m_simulated) {
        m_simulation.StopListening();
        m_simulation.Backend()->SetDeviceChangeSink(nullptr);
    }
}

LayoutFile DeviceLinkSide::CurrentLayout() const
{
    std::lock_guard lock(m_lock);
    return m_layout;
}

void DeviceLinkSide::RunCommand(const std::function<void(const CommandContext&)>& exchange)
{
    std::shared_ptr<const CommandLayout> current;
    {
        std::lock_guard lock(m_lock);
        current = m_commandLayout;
    }
    const CommandContext context{m_manager, m_discovery->ConnectMode(), current->layout, current->tables};
    exchange(context);
}

int DeviceLinkSide::DeviceState(int deviceType) const
{
    std::lock_guard lock(m_lock);
    const auto it = m_deviceStates.find(deviceType);
    return it == m_deviceStates.end() ? 0 : it->second;
}

void DeviceLinkSide::SetAllDeviceState(int state)
{
    {
        std::lock_guard lock(m_lock);
        for (const DeviceEntry& k : m_catalogue.keyboards) m_deviceStates[k.deviceType] = state;
    }
    if (DeviceView* view = m_view.load()) view->SetAllDeviceState(state);
}

void DeviceLinkSide::SetDeviceState(int deviceType, int state)
{
    {
        std::lock_guard lock(m_lock);
        m_deviceStates[deviceType] = state;
    }
    if (DeviceView* view = m_view.load()) view->SetDeviceState(deviceType, state);
}

// The list's rule: the first present keyboard of that type; when there is
// none, the first present keyboard; with none present, no selection (which
// reads back as the first keyboard).
void DeviceLinkSide::SetSelectDevice(int deviceType)
{
    int chosen = -1;
    {
        std::lock_guard lock(m_lock);
        auto present = [this](int type) {
            const auto it = m_deviceStates.find(type);
            return it != m_deviceStates.end() && it->second > 0;
        };
        for (const DeviceEntry& k : m_catalogue.keyboards)
            if (k.deviceType == deviceType && present(k.deviceType)) {
                chosen = k.deviceType;
                break;
            }
        if (chosen < 0)
            for (const DeviceEntry& k : m_catalogue.keyboards)
                if (present(k.deviceType)) {
                    chosen = k.deviceType;
                    break;
                }
        if (chosen < 0) chosen = m_catalogue.keyboards.empty() ? 0 : m_catalogue.keyboards.front().deviceType;
    }
    m_selected.store(chosen);
    if (DeviceView* view = m_view.load()) view->SetSelectDevice(chosen);
}

void DeviceLinkSide::OnDeviceListSelect(int deviceType)
{
    m_selected.store(deviceType);
    m_discovery->OnDeviceListSelect();
}

int DeviceLinkSide::ReadStoredDeviceType()
{
    return ReadRegistryNumber(u"DeviceType"_qs);
}

void DeviceLinkSide::WriteStoredDeviceType(int deviceType)
{
    WriteRegistryText(u"DeviceType"_qs, CString::number(deviceType));
}

void DeviceLinkSide::LoadLayout(int deviceType)
{
    const DeviceEntry* keyboard = m_catalogue.FindKeyboard(deviceType);
    if (!keyboard) return;
    if (!m_dataFolder.isEmpty()) DataStore::Instance().OpenForDevice(m_dataFolder, keyboard->deviceInfo);
    std::lock_guard lock(m_lock);
    LayoutFile fresh;
    if (!ReadLayoutFile(m_programFolder + u"/layouts/"_qs + keyboard->deviceInfo + u".xml"_qs, m_layout, fresh))
        return;  // the previous layout's values stay
    m_layout = std::move(fresh);
    auto command = std::make_shared<CommandLayout>();
    command->layout = m_layout;
    BuildKeyTables(command->layout, command->tables);
    m_commandLayout = std::move(command);
    m_manager.SetCommandDelay(m_layout.commandDelay);
    if (DeviceView* view = m_view.load()) view->LayoutLoaded(*keyboard, m_layout);
}

void DeviceLinkSide::ShowNoKeyboardView()
{
    Say(u"no keyboard connected"_qs);
    if (DeviceView* view = m_view.load()) view->ShowNoKeyboardView();
}

void DeviceLinkSide::ShowConnectedView(bool keyAssignmentPage)
{
    const DeviceEntry* keyboard = m_catalogue.FindKeyboard(m_selected.load());
    Say(u"keyboard connected: "_qs + (keyboard ? keyboard->name : CString::number(m_selected.load())));
    if (DeviceView* view = m_view.load()) view->ShowConnectedView(keyAssignmentPage);
}

void DeviceLinkSide::ApplyConnectMode(int connectMode)
{
    static const char16_t* names[] = {u"cable", u"Bluetooth", u"2.4 GHz receiver"};
    if (connectMode >= 0 && connectMode <= 2)
        Say(u"connection: "_qs + QString::fromUtf16(names[connectMode]));
    if (DeviceView* view = m_view.load()) view->ApplyConnectMode(connectMode);
}

void DeviceLinkSide::StartFirmwareCheckTimer(int milliseconds)
{
    if (DeviceView* view = m_view.load()) view->StartFirmwareCheckTimer(milliseconds);
}

void DeviceLinkSide::SetBatteryInfo(int level, bool charging)
{
    m_batteryLevel.store(level);
    Say(u"battery "_qs + CString::number(level) + (charging ? u"% (charging)"_qs : u"%"_qs));
    if (DeviceView* view = m_view.load()) view->SetBatteryInfo(level, charging);
}

void DeviceLinkSide::RunKeyAction(int value)
{
    if (DeviceView* view = m_view.load()) view->RunKeyAction(value);
}
