#pragma once
// The worker's feature operations, performed by the pages that hold their
// values: the light page's effect and side-light sends and its colour
// mirror, and the reload of the pages when a keyboard connects. Operations
// of pages not built yet do nothing.
#include "app/shell/feature_tasks.h"

class DeviceLinkSide;
class LightPage;

class PageTasks final : public NoFeatureTasks {
public:
    PageTasks(DeviceLinkSide& device, LightPage& light) : m_device(device), m_light(light) {}

    void ReloadPages() override;
    void WriteLightMode() override;
    void WriteSideLightMode() override;
    void ReadKeyColours() override;

private:
    DeviceLinkSide& m_device;
    LightPage& m_light;
};
