#pragma once
// The work of the feature pages that the worker runs: one operation per task
// from 5 on, the audio start of task 1, and the idle work of the shown page.
// The pages implement it (they hold the values a task sends); every call
// comes from the worker thread, which reaches page state only through the
// page's own locks or atomics.
class FeatureTasks {
public:
    virtual ~FeatureTasks() = default;

    virtual void StartAudioCapture() = 0;          // task 1 (music lighting)
    virtual void ReloadPages() = 0;                // task 5: pages from the store, screen clock
    virtual void WriteKeyMap() = 0;                // task 6: both layers
    virtual void WriteOneKey() = 0;                // task 7
    virtual void WriteMacros() = 0;                // task 8
    virtual void WriteLightMode() = 0;             // task 9
    virtual void WriteSideLightMode() = 0;         // task 10
    virtual void WriteUserLight() = 0;             // task 11
    virtual void WriteSettings() = 0;              // task 12
    virtual void ResetKeyMap() = 0;                // task 13
    virtual void RestoreDefaults() = 0;            // task 14
    virtual void SaveScreenAnimation() = 0;        // task 15
    virtual void UploadScreenAnimation() = 0;      // task 16
    virtual void MaintainScreenLibrary() = 0;      // task 17
    virtual void WriteScreenClock() = 0;           // task 19
    virtual void UpdateSoftware() = 0;             // task 20
    virtual void UpdateFirmware() = 0;             // task 21

    // Idle work between tasks, for the page shown.
    virtual void ReadKeyColours() = 0;  // light modes page (3)
    virtual void LiveFrame() = 0;       // per-key animation page (6)
    virtual void MusicFrame() = 0;      // music page (7), only while online
};

// The feature work while no page is built: nothing is done. The pages'
// operations derive from it and override what the built pages perform.
class NoFeatureTasks : public FeatureTasks {
public:
    void StartAudioCapture() override {}
    void ReloadPages() override {}
    void WriteKeyMap() override {}
    void WriteOneKey() override {}
    void WriteMacros() override {}
    void WriteLightMode() override {}
    void WriteSideLightMode() override {}
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
    void ReadKeyColours() override {}
    void LiveFrame() override {}
    void MusicFrame() override {}
};
