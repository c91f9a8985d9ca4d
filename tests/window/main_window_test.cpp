// The main window on the simulated keyboard: the two views, the page
// switch, hot-plug, the receiver's link notification and the battery.
#include "app/window/main_window_ids.h"
#include "app/window/page_table.h"
#include "oxa/controls/picture.h"
#include "oxa/controls/tab_ctrl.h"
#include "oxa/controls/text.h"
#include "oxa/keyboard/battery_ctrl.h"
#include "oxa/keyboard/device_ctrl.h"
#include "oxa/keyboard/device_list.h"
#include "tests/window/window_test_support.h"

using namespace wintest;
using namespace OXA;

[[maybe_unused]] auto* const kQt = ::testing::AddGlobalTestEnvironment(new QtWidgetsEnvironment());

namespace {

class MainWindowTest : public MainWindowFixture {
protected:
    template <typename T>
    T* Get(unsigned id)
    {
        return dynamic_cast<T*>(m_window->FindControl(id));
    }
    QString Background() { return Get<MPicture>(MainId::kBackground)->GetImagePath(); }

    // The frame of the connected view, with the page at `position` shown.
    void ExpectConnectedFrame(int position)
    {
        EXPECT_TRUE(m_window->ConnectedViewShown());
        EXPECT_TRUE(Visible(MainId::kTabs));
        for (unsigned id : {MainId::kCaptionPlateLeft, MainId::kCaptionPlateRight, MainId::kPageTitle,
                            MainId::kPageIcon, MainId::kModePicture})
            EXPECT_TRUE(Visible(id)) << id;
        EXPECT_FALSE(Visible(MainId::kNoKeyboardText));
        EXPECT_FALSE(Visible(MainId::kAnimatedBackground));
        EXPECT_EQ(Background(), u"main_bkg.png"_qs);
        EXPECT_EQ(m_window->CurrentPage(), Pages::PageIdAt(position));
        EXPECT_EQ(m_window->PreviousPage(), position);
        EXPECT_EQ(m_window->Worker().CurrentPage(), Pages::PageIdAt(position));
        EXPECT_EQ(Get<MTabCtrl>(MainId::kTabs)->GetSelectItem(), position);
        EXPECT_EQ(Get<MText>(MainId::kPageTitle)->GetTitle(), GetText(Pages::At(position).titleText));
        EXPECT_EQ(Get<CDeviceCtrl>(MainId::kDevicePicture)->GetDeviceStatus(), 1);
    }

    void ExpectNoKeyboardView()
    {
        EXPECT_FALSE(m_window->ConnectedViewShown());
        EXPECT_TRUE(Visible(MainId::kNoKeyboardText));
        EXPECT_TRUE(Visible(MainId::kAnimatedBackground));
        for (unsigned id : {MainId::kTabs, MainId::kCaptionPlateLeft, MainId::kCaptionPlateRight, MainId::kPageTitle,
                            MainId::kPageIcon, MainId::kBattery, MainId::kModePicture})
            EXPECT_FALSE(Visible(id)) << id;
        EXPECT_EQ(Background(), u"home_bkg.png"_qs);
        EXPECT_EQ(m_window->CurrentPage(), Pages::kHome);
        EXPECT_EQ(Get<CDeviceCtrl>(MainId::kDevicePicture)->GetDeviceStatus(), 0);
    }
};

TEST_F(MainWindowTest, ACableKeyboardOpensTheFrameAndTheHomePageLeadsBackToThePageShownLast)
{
    StartSide(u"101:0"_qs);
    OpenWindow();
    ASSERT_TRUE(WaitForView(true));
    ExpectConnectedFrame(1);
    EXPECT_EQ(Get<MText>(MainId::kCaption)->GetTitle(), u"Varnet K104 RGB"_qs);
    EXPECT_EQ(Get<MPicture>(MainId::kModePicture)->GetImagePath(), u"icon/usb_mode.png"_qs);
    EXPECT_FALSE(Visible(MainId::kBattery));  // cable: no battery
    auto* list = Get<CDeviceList>(MainId::kDeviceList);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->GetItemCount(), 3);
    EXPECT_EQ(list->GetDeviceState(101), 1);
    EXPECT_EQ(list->GetDeviceState(102), 0);
    EXPECT_EQ(list->GetSelectDevice(), 101);

    // The light page tab (position 3), then the home tab (position 0).
    Click(31, 60 + 3 * 60 + 30);
    EXPECT_EQ(m_window->CurrentPage(), Pages::kLight);
    EXPECT_EQ(m_window->Worker().CurrentPage(), Pages::kLight);
    EXPECT_EQ(Get<MPicture>(MainId::kPageIcon)->GetImagePath(), u"icon/icon_light.png"_qs);
    Click(31, 90);
    EXPECT_EQ(m_window->CurrentPage(), Pages::kHome);
    EXPECT_FALSE(Visible(MainId::kTabs));
    EXPECT_TRUE(Visible(MainId::kAnimatedBackground));
    EXPECT_FALSE(Visible(MainId::kNoKeyboardText));  // a keyboard is there
    EXPECT_EQ(Background(), u"home_bkg.png"_qs);
    EXPECT_EQ(m_window->PreviousPage(), 3);

    // The keyboard picture enters the frame at the page shown last.
    const CRect picture = Get<CDeviceCtrl>(MainId::kDevicePicture)->GetRect();
    Click((picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2);
    ExpectConnectedFrame(3);
}

TEST_F(MainWindowTest, UnpluggingReturnsToTheHomeViewAndPluggingBackToTheFrame)
{
    StartSide(u"101:0"_qs);
    OpenWindow();
    ASSERT_TRUE(WaitForView(true));
    ASSERT_TRUE(Sim().Unplug(SimKeyboard(), kConnectCable));
    ASSERT_TRUE(WaitForView(false));
    ExpectNoKeyboardView();
    EXPECT_TRUE(WaitFor([&] { return Get<CDeviceList>(MainId::kDeviceList)->GetDeviceState(101) == 0; }));

    ASSERT_TRUE(Sim().Plug(SimKeyboard(), kConnectCable));
    ASSERT_TRUE(WaitForView(true));
    ExpectConnectedFrame(1);
}

// Receiver only, keyboard switched off: present but offline. The link
// notification 05 A6 FF 01 brings the connected view with the key page and
// the battery.
TEST_F(MainWindowTest, AReceiverWithTheKeyboardOffShowsNoKeyboardUntilItsLinkNotification)
{
    StartSide(u"101:2"_qs);
    Sim().SetLinked(SimKeyboard(), false);
    Sim().SetBattery(SimKeyboard(), 150);
    OpenWindow();
    ASSERT_TRUE(WaitForView(false));
    ExpectNoKeyboardView();
    EXPECT_EQ(Get<CDeviceList>(MainId::kDeviceList)->GetDeviceState(101), 1);  // present all the same

    Sim().SetLinked(SimKeyboard(), true);
    ASSERT_TRUE(Sim().InjectNotification(SimKeyboard(), kConnectReceiver, {0x05, 0xA6, 0xFF, 0x01}));
    ASSERT_TRUE(WaitForView(true));
    ExpectConnectedFrame(1);
    EXPECT_EQ(Get<MPicture>(MainId::kModePicture)->GetImagePath(), u"icon/24g_mode.png"_qs);
    EXPECT_TRUE(Visible(MainId::kBattery));
    // The per-key animation tab is never offered over the receiver.
    EXPECT_FALSE(Get<MTabCtrl>(MainId::kTabs)->GetItemVisible(Pages::PositionOf(Pages::kAnimation)));
    // A battery answer above 100 shows 100.
    EXPECT_TRUE(WaitFor([&] { return Get<BatteryCtrl>(MainId::kBattery)->GetBatteryLevel() == 100; }, 20000));
}

TEST_F(MainWindowTest, ChoosingAKeyboardInTheListStoresItAndQueuesItsSelection)
{
    StartSide(u"101:0"_qs);
    OpenWindow();
    ASSERT_TRUE(WaitForView(true));
    auto* list = Get<CDeviceList>(MainId::kDeviceList);
    m_window->SelectTab(0);
    const CRect tile = list->GetItemRect(0);  // in the list's terms
    ASSERT_FALSE(tile.IsRectEmpty());
    const CRect at = list->GetRect();
    Click(at.left + (tile.left + tile.right) / 2, at.top + (tile.top + tile.bottom) / 2);
    EXPECT_EQ(ReadRegistryNumber(u"DeviceType"_qs), 101);
    // Task 4 runs: the selection shows the connected view again.
    EXPECT_TRUE(WaitForView(true));
}

}  // namespace
