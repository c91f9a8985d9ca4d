#include "app/pages/page_tasks.h"

#include "app/device_link_side.h"
#include "app/pages/light_page.h"
#include "features/lighting/light_mode_worker.h"
#include "store/data_store.h"

void PageTasks::ReloadPages() { m_light.Reload(); }

void PageTasks::WriteLightMode()
{
    m_device.RunCommand([this](const CommandContext& c) {
        SendLightMode(c, DataStore::Instance(), m_light.Logic().State());
    });
}

void PageTasks::WriteSideLightMode()
{
    m_device.RunCommand([this](const CommandContext& c) { SendSideLightMode(c, m_light.Logic().State()); });
}

void PageTasks::ReadKeyColours()
{
    m_device.RunCommand([this](const CommandContext& c) { MirrorKeyColors(c, m_light); });
}
