#pragma once
// The worker's feature operations, performed by the pages that hold their
// values: the light page's effect and side-light sends and its colour
// mirror, and the reload of the pages when a keyboard connects. Operations
// of pages not built yet do nothing.
#include "app/shell/feature_tasks.h"

class DeviceLinkSide;
class LightPage;

class PageTasks final : public FeatureTasks {
public:
    PageTasks(DeviceLinkSide& device, LightPage& light) : m_device(device), m_light(light) {}

    void StartAudioCapture() override {}
    void ReloadPages() override;
    void WriteKeyMap() override {}
    void WriteOneKey() override {}
    void WriteMacros() override {}
    void WriteLightMode() override;
    void WriteSideLightMode() override;
    void WriteUserLight() override {}
    void WriteSettings() override {}
    void ResetKeyMap() override {}
    void RestoreDefaults() override {}
    void SaveScreenAnimation() override {}
    void UploadScreenAnimation() override {}
    void MaintainScreenLibrary() override {}
    void WriteScreenClock() override {}
    void UpdateSoftware() override {}
    void UpdateFirmware() override {}
    void ReadKeyColours() override;
    void LiveFrame() override {}
    void MusicFrame() override {}

private:
    DeviceLinkSide& m_device;
    LightPage& m_light;
};
