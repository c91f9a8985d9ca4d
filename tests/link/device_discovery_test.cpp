// Device discovery against the simulated keyboards: presence and online
// state, the views and tasks of the selection, device-change matching, the
// battery and notification polls with their intervals, the firmware-version
// comparison, and the names the udev monitor gives hidraw nodes.
#include <gtest/gtest.h>

#include "link/device_discovery.h"
#include "link/udev_monitor.h"
#include "tests/link/link_test_support.h"

using namespace linktest;

namespace {

// The main window's side, recorded.
struct RecordingHost : DiscoveryHost {
    std::map<int, int> states;
    int selected = 0;
    int stored = 0;
    std::vector<int> tasks;
    std::vector<std::string> views;  // "none", "connected key", "connected previous"
    std::vector<int> modes;
    std::vector<int> loaded;
    std::vector<int> battery;
    std::vector<int> actions;
    int timers = 0;

    void SetAllDeviceState(int state) override
    {
        for (auto& [type, s] : states) s = state;
    }
    void SetDeviceState(int type, int state) override { states[type] = state; }
    void SetSelectDevice(int type) override { selected = type; }
    int GetSelectDevice() override { return selected; }
    int ReadStoredDeviceType() override { return stored; }
    void WriteStoredDeviceType(int type) override { stored = type; }
    void LoadLayout(int type) override { loaded.push_back(type); }
    void ShowNoKeyboardView() override { views.push_back("none"); }
    void ShowConnectedView(bool keyPage) override { views.push_back(keyPage ? "connected key" : "connected previous"); }
    void ApplyConnectMode(int mode) override { modes.push_back(mode); }
    void StartFirmwareCheckTimer(int ms) override { timers += ms == 3000; }
    void QueueTask(int task) override { tasks.push_back(task); }
    void SetBatteryInfo(int level, bool charging) override { battery.push_back(charging ? -level : level); }
    void RunKeyAction(int value) override { actions.push_back(value); }
};

class DiscoveryTest : public ::testing::Test {
protected:
    SimRig rig;
    RecordingHost host;
    DeviceDiscovery discovery{rig.manager, host, ShippedCatalogue().modes};
    int k104 = rig.Add(kK104);
    int k87 = rig.Add(kK87);

    void RefreshAndSelect()
    {
        discovery.RefreshDevices();
        discovery.SelectDevice();
    }
};

TEST_F(DiscoveryTest, StoredDeviceTypeBelow100SelectsTheFirstKeyboard)
{
    for (int stored : {0, 50, 99}) {
        host.stored = stored;
        discovery.RefreshDevices();
        EXPECT_EQ(host.selected, 101) << stored;
        EXPECT_EQ(host.stored, 101);
    }
    host.stored = 103;
    discovery.RefreshDevices();
    EXPECT_EQ(host.selected, 103);
}

TEST_F(DiscoveryTest, NoKeyboardAtAll)
{
    RefreshAndSelect();
    EXPECT_FALSE(discovery.DevicePresent());
    EXPECT_EQ(host.views, std::vector<std::string>{"none"});
    EXPECT_TRUE(host.tasks.empty());
    EXPECT_TRUE(host.loaded.empty());
}

TEST_F(DiscoveryTest, CableKeyboardIsConnectedAtOnce)
{
    rig.sim->Plug(k87, 0);
    host.stored = kK87;
    RefreshAndSelect();
    EXPECT_TRUE(discovery.DevicePresent());
    EXPECT_TRUE(discovery.DeviceOnline());
    EXPECT_EQ(host.states[kK87], 1);
    EXPECT_EQ(host.loaded, std::vector<int>{kK87});
    EXPECT_EQ(host.modes, std::vector<int>{0});
    EXPECT_EQ(host.views, std::vector<std::string>{"connected previous"});
    EXPECT_EQ(host.timers, 1);
    EXPECT_EQ(host.tasks, std::vector<int>{5});
    EXPECT_EQ(rig.manager.CurrentDeviceType(), kK87);
    // Its cable mode entry is present, the others not.
    EXPECT_TRUE(discovery.ModeEntryPresent(5));
    EXPECT_FALSE(discovery.ModeEntryPresent(0));
}

TEST_F(DiscoveryTest, ReceiverWithTheKeyboardOffUntilItLinks)
{
    rig.sim->SetLinked(k104, false);
    rig.sim->Plug(k104, 2);
    host.stored = kK104;
    RefreshAndSelect();
    EXPECT_TRUE(discovery.DevicePresent());
    EXPECT_FALSE(discovery.DeviceOnline());
    EXPECT_EQ(host.modes, std::vector<int>{2});
    EXPECT_EQ(host.views, std::vector<std::string>{"none"});
    EXPECT_TRUE(host.tasks.empty());

    rig.sim->SetLinked(k104, true);  // 05 A6 FF 01
    discovery.PollNotifications();
    EXPECT_TRUE(discovery.DeviceOnline());
    EXPECT_EQ(host.views.back(), "connected key");
    EXPECT_EQ(host.tasks, std::vector<int>{5});

    rig.clock.Advance(std::chrono::milliseconds(200));
    rig.sim->SetLinked(k104, false);  // 05 A6 FE 02
    discovery.PollNotifications();
    EXPECT_FALSE(discovery.DeviceOnline());
    EXPECT_EQ(host.views.back(), "none");
    EXPECT_EQ(host.tasks.size(), 1u);
}

TEST_F(DiscoveryTest, NotificationPollsAreSpacedAndReadKeyActions)
{
    rig.sim->Plug(k87, 0);
    host.stored = kK87;
    RefreshAndSelect();
    rig.sim->ReportKeyAction(k87, 7);
    rig.sim->ReportKeyAction(k87, 8);
    rig.Take();
    discovery.PollNotifications();
    discovery.PollNotifications();  // within 200 ms: nothing read
    EXPECT_EQ(host.actions, std::vector<int>{7});
    EXPECT_EQ(rig.Take("ntf").size(), 1u);
    rig.clock.Advance(std::chrono::milliseconds(199));
    discovery.PollNotifications();
    EXPECT_EQ(host.actions, std::vector<int>{7});
    rig.clock.Advance(std::chrono::milliseconds(1));
    discovery.PollNotifications();
    EXPECT_EQ(host.actions, (std::vector<int>{7, 8}));
    // Nothing pending: the 10 ms read comes back empty and changes nothing.
    rig.clock.Advance(std::chrono::milliseconds(200));
    const auto before = rig.clock.Now();
    discovery.PollNotifications();
    EXPECT_EQ(ElapsedMs(before, rig.clock.Now()), 10.0);
    EXPECT_EQ(host.actions.size(), 2u);
    EXPECT_TRUE(discovery.DeviceOnline());
}

TEST_F(DiscoveryTest, BatteryPollsAndAnswers)
{
    rig.sim->Plug(k104, 2);
    host.stored = kK104;
    RefreshAndSelect();
    rig.sim->SetBattery(k104, 150);
    discovery.PollBattery(true);
    EXPECT_EQ(host.battery, std::vector<int>{100});  // 150 shows 100
    rig.Take();

    rig.sim->SetBattery(k104, 40);
    discovery.PollBattery(false);  // within 15 s: nothing sent
    EXPECT_TRUE(rig.Take("rcv").empty());
    rig.clock.Advance(std::chrono::milliseconds(15000));
    discovery.PollBattery(false);
    EXPECT_EQ(host.battery.back(), 40);

    rig.sim->SetBattery(k104, 0);  // an answer of 0 changes nothing
    discovery.PollBattery(true);
    EXPECT_EQ(host.battery.size(), 2u);
}

TEST_F(DiscoveryTest, BatteryAnswerBringsAnOfflineKeyboardOnline)
{
    rig.sim->SetLinked(k104, false);
    rig.sim->Plug(k104, 2);
    host.stored = kK104;
    RefreshAndSelect();
    ASSERT_FALSE(discovery.DeviceOnline());
    discovery.PollBattery(true);  // the keyboard is off: no answer
    EXPECT_TRUE(host.battery.empty());
    rig.sim->SetLinked(k104, true);
    discovery.PollBattery(true);
    EXPECT_TRUE(discovery.DeviceOnline());
    EXPECT_EQ(host.views.back(), "connected key");
    EXPECT_EQ(host.tasks, std::vector<int>{5});
}

TEST_F(DiscoveryTest, BatteryIsPolledOnlyInReceiverMode)
{
    rig.sim->Plug(k104, 0);
    rig.sim->Plug(k104, 2);
    host.stored = kK104;
    RefreshAndSelect();
    ASSERT_EQ(discovery.ConnectMode(), 0);
    rig.Take();
    discovery.PollBattery(true);
    EXPECT_TRUE(rig.Take().empty());
}

TEST_F(DiscoveryTest, DeviceChangeMatchesTheCataloguesInterfaces)
{
    struct Case {
        bool arrival;
        const char* name;
        int task;  // 0: none
    };
    const Case cases[] = {
        {true, "\\\\?\\hid#vid_3a7e&pid_0104&mi_02#7&1&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}", 2},
        {true, "\\\\?\\hid#vid_3a7e&pid_0104&mi_00#7&1&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}", 0},
        {true, "\\\\?\\HID#VID_3A7E&PID_B104#8&2#{4D1E55B2-F16F-11CF-88CB-001111000030}", 2},
        // Bluetooth low-energy HID: never, even with matching ids.
        {true, "\\\\?\\HID#{00001812-0000-1000-8000-00805f9b34fb}_DEV_VID_3A7E&PID_B104#9", 0},
        {true, "\\\\?\\HID#VID_046D&PID_C52B&MI_02#1", 0},
        // Removal only for entries that are present; none is yet.
        {false, "\\\\?\\hid#vid_3a7e&pid_0104&mi_02#7", 0},
    };
    for (const Case& c : cases) {
        host.tasks.clear();
        discovery.OnDeviceChange(c.arrival, QString::fromLatin1(c.name));
        EXPECT_EQ(host.tasks, c.task ? std::vector<int>{c.task} : std::vector<int>{}) << c.name;
    }

    // The simulator raises the same calls when plugged and unplugged.
    rig.sim->SetDeviceChangeSink(&discovery);
    host.tasks.clear();
    rig.sim->Plug(k87, 0);
    EXPECT_EQ(host.tasks, std::vector<int>{2});  // only the command interface's arrival
    discovery.RefreshDevices();
    ASSERT_TRUE(discovery.ModeEntryPresent(5));
    host.tasks.clear();
    rig.sim->Unplug(k87, 0);
    EXPECT_EQ(host.tasks, std::vector<int>{3});
    EXPECT_FALSE(discovery.ModeEntryPresent(5));
    discovery.OnDeviceChange(false, u"\\\\?\\HID#VID_3A7E&PID_0087&MI_02#1"_qs);  // already absent
    EXPECT_EQ(host.tasks, std::vector<int>{3});
    rig.sim->SetDeviceChangeSink(nullptr);
}

TEST_F(DiscoveryTest, ListSelectionMakesTheKeyboardCurrent)
{
    host.selected = kK87;
    discovery.OnDeviceListSelect();
    EXPECT_EQ(host.stored, kK87);
    EXPECT_EQ(rig.manager.CurrentDeviceType(), kK87);
    EXPECT_EQ(host.tasks, std::vector<int>{4});
}

TEST_F(DiscoveryTest, FirmwareVersionComparison)
{
    struct Case {
        int release;
        const char* version;
        bool older;
    };
    const Case cases[] = {
        {0x0105, "106", true}, {0x0105, "105", false}, {0x0110, "109", false},
        {0x010A, "106", true},  // "10a" reads as 10
        {0x0099, "100", true},  {0x0105, "", false},   {0x0105, "abc", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DeviceDiscovery::IsFirmwareOlder(c.release, QString::fromLatin1(c.version)), c.older)
            << std::hex << c.release << " " << c.version;
    EXPECT_EQ(DeviceDiscovery::ReleaseAsDecimal(0x0105), 105);

    FirmwareInfo fw;
    fw.version = u"106"_qs;
    EXPECT_EQ(discovery.CheckFirmwareVersion(fw), DeviceDiscovery::FirmwareCheck::kNotOffered);
    fw.file = u"vn104_updater"_qs;
    rig.sim->SetRelease(k104, 0x0105);
    rig.sim->Plug(k104, 2);
    rig.Select(kK104);
    EXPECT_EQ(discovery.CheckFirmwareVersion(fw), DeviceDiscovery::FirmwareCheck::kNoRelease);  // receiver gives 0
    rig.sim->Plug(k104, 0);
    rig.Select(kK104);
    EXPECT_EQ(discovery.CheckFirmwareVersion(fw), DeviceDiscovery::FirmwareCheck::kOlder);
    fw.version = u"105"_qs;
    EXPECT_EQ(discovery.CheckFirmwareVersion(fw), DeviceDiscovery::FirmwareCheck::kUpToDate);
}

// --- udev -------------------------------------------------------------------------

TEST(UdevNames, WindowsFormFromTheDevicePath)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.2/0003:3A7E:0104.0005/hidraw/hidraw3",
         "\\\\?\\HID#VID_3A7E&PID_0104&MI_02#HIDRAW3#{4D1E55B2-F16F-11CF-88CB-001111000030}"},
        {"/devices/pci0000:00/0000:00:14.0/usb3/3-1/3-1.4/3-1.4:1.0/0003:3a7e:2104.0009/hidraw/hidraw0",
         "\\\\?\\HID#VID_3A7E&PID_2104&MI_00#HIDRAW0#{4D1E55B2-F16F-11CF-88CB-001111000030}"},
        {"/devices/pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.10/0003:3A7E:0075.0001/hidraw/hidraw1",
         "\\\\?\\HID#VID_3A7E&PID_0075&MI_0A#HIDRAW1#{4D1E55B2-F16F-11CF-88CB-001111000030}"},
        {"/devices/pci0000:00/0000:00:14.0/usb1/1-10/1-10:1.0/bluetooth/hci0/hci0:256/0005:3A7E:B104.000A/hidraw/hidraw5",
         "\\\\?\\HID#VID_3A7E&PID_B104#HIDRAW5#{4D1E55B2-F16F-11CF-88CB-001111000030}"},
        {"/devices/virtual/misc/uhid/0005:3A7E:B104.000B/hidraw/hidraw6",
         "\\\\?\\HID#{00001812-0000-1000-8000-00805F9B34FB}_DEV_VID_3A7E&PID_B104#HIDRAW6#"
         "{4D1E55B2-F16F-11CF-88CB-001111000030}"},
        {"/devices/virtual/input/input7/event4", ""},
        {"", ""},
    };
    for (const auto& [path, name] : cases) EXPECT_EQ(HidInterfaceName(path), QString::fromLatin1(name)) << path;

    // A low-energy keyboard with the catalogue's Bluetooth ids is left alone.
    SimRig rig;
    RecordingHost host;
    DeviceDiscovery discovery(rig.manager, host, ShippedCatalogue().modes);
    discovery.OnDeviceChange(true, HidInterfaceName(cases[4].first));
    EXPECT_TRUE(host.tasks.empty());
    discovery.OnDeviceChange(true, HidInterfaceName(cases[3].first));
    EXPECT_EQ(host.tasks, std::vector<int>{2});
}

TEST(UdevMonitor, StartsAndStopsPromptly)
{
    RecordingHost host;
    SimRig rig;
    DeviceDiscovery discovery(rig.manager, host, ShippedCatalogue().modes);
    UdevMonitor monitor(discovery);
    if (monitor.Start()) {  // udev may be missing in a container
        EXPECT_TRUE(monitor.Running());
    }
    monitor.Stop();
    EXPECT_FALSE(monitor.Running());
}

}  // namespace
