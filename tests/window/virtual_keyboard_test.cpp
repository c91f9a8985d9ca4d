// The virtual keyboard window on the simulated keyboard: it paints each key
// in the colour the keyboard's LEDs show, follows the keyboard's changes
// and the keyboard chosen in the program, and shows when it has no power.
#include <QImage>

#include "app/window/virtual_keyboard_dlg.h"
#include "device/key_tables.h"
#include "link/device_commands.h"
#include "tests/window/window_test_support.h"

using namespace wintest;

namespace {

constexpr int kKeyA = 0x04;
constexpr int kNumLock = 0x53;  // on the full-size keyboard only

class VirtualKeyboardTest : public MainWindowFixture {
protected:
    void TearDown() override
    {
        VirtualKeyboardDlg::CloseOpen();
        MainWindowFixture::TearDown();
    }

    // The simulated keyboard MODEL:MODES, found and chosen as the worker would.
    void Start(const QString& simulate)
    {
        StartSide(simulate);
        if (HasFatalFailure()) return;
        m_side->RefreshDevices();
        m_side->SelectDevice();
        m_layout = m_side->CurrentLayout();
        BuildKeyTables(m_layout, m_tables);
        m_dialog = VirtualKeyboardDlg::Open(*m_side);
        ASSERT_NE(m_dialog, nullptr);
    }

    CommandContext Context() { return CommandContext{m_side->Manager(), m_side->ConnectMode(), m_layout, m_tables}; }

    // The colour inside a key on the window's surface, away from its label
    // (top left) and its rounded edge.
    QColor KeyColour(int keyCode)
    {
        const OXA::CRect r = m_dialog->KeyRect(keyCode);
        EXPECT_FALSE(r.IsRectEmpty()) << "key " << keyCode;
        const QImage image = m_dialog->RenderImage();
        return image.pixelColor((r.left + r.right) / 2, r.bottom - 5);
    }

    LayoutFile m_layout;
    KeyTables m_tables;
    VirtualKeyboardDlg* m_dialog = nullptr;
};

TEST_F(VirtualKeyboardTest, KeysShowTheLedColoursAndFollowTheirChanges)
{
    Start(u"vn104:cable"_qs);
    EXPECT_NE(ShownWindow(u"Virtual keyboard"_qs), nullptr);

    // Per-key colours (COLORREF 0x00BBGGRR).
    ASSERT_EQ(WriteUserLight(Context(), std::map<int, uint32_t>{{kKeyA, 0x00563412}}), CommandOutcome::kDone);
    EXPECT_EQ(KeyColour(kKeyA), QColor(0x12, 0x34, 0x56));

    ASSERT_EQ(WriteUserLight(Context(), std::map<int, uint32_t>{{kKeyA, 0x0000FF00}}), CommandOutcome::kDone);
    EXPECT_EQ(KeyColour(kKeyA), QColor(0x00, 0xFF, 0x00));

    // The static effect in one colour at full brightness lights every key alike.
    LightModeValues still;
    still.mode = 1;
    still.colour = 0x00FF8000;  // blue 0xFF, green 0x80, red 0
    still.brightness = m_layout.light.brightnessMax;
    still.speed = 1;
    ASSERT_EQ(WriteLightMode(Context(), still), CommandOutcome::kDone);
    EXPECT_EQ(KeyColour(kKeyA), QColor(0x00, 0x80, 0xFF));
    EXPECT_EQ(KeyColour(kNumLock), QColor(0x00, 0x80, 0xFF));
}

TEST_F(VirtualKeyboardTest, AnUnpluggedKeyboardGoesDark)
{
    Start(u"vn104:cable"_qs);
    ASSERT_EQ(WriteUserLight(Context(), std::map<int, uint32_t>{{kKeyA, 0x00FFFFFF}}), CommandOutcome::kDone);
    ASSERT_EQ(KeyColour(kKeyA), QColor(0xFF, 0xFF, 0xFF));
    Sim().Unplug(SimKeyboard(), 0);
    const QColor dark = KeyColour(kKeyA);
    EXPECT_LT(dark.lightness(), 80);
    Sim().Plug(SimKeyboard(), 0);
    EXPECT_EQ(KeyColour(kKeyA), QColor(0xFF, 0xFF, 0xFF));
}

TEST_F(VirtualKeyboardTest, FollowsTheKeyboardChosenInTheProgram)
{
    Start(u"vn104:cable"_qs);
    EXPECT_FALSE(m_dialog->KeyRect(kNumLock).IsRectEmpty());
    const int k75 = 102;
    m_side->OnDeviceListSelect(k75);
    m_dialog->RenderImage();
    EXPECT_TRUE(m_dialog->KeyRect(kNumLock).IsRectEmpty());
    EXPECT_FALSE(m_dialog->KeyRect(kKeyA).IsRectEmpty());
    // Opening again keeps the one window.
    EXPECT_EQ(VirtualKeyboardDlg::Open(*m_side), m_dialog);
}

TEST_F(VirtualKeyboardTest, TheTickRepaintsTheShownWindow)
{
    Start(u"vn104:cable"_qs);
    ASSERT_EQ(WriteUserLight(Context(), std::map<int, uint32_t>{{kKeyA, 0x000000FF}}), CommandOutcome::kDone);
    // Without anyone asking for a picture, the window's own paints pick up the change.
    const OXA::CRect r = m_dialog->KeyRect(kKeyA);
    const QPoint inside((r.left + r.right) / 2, r.bottom - 5);
    auto shows = [&](const QColor& colour) {
        const QImage* surface = m_dialog->GetPaintManager().GetPaintDC();
        return surface->valid(inside) && surface->pixelColor(inside) == colour;
    };
    EXPECT_TRUE(WaitFor([&] { return shows(QColor(0xFF, 0, 0)); }, 3000));
    WaitFor([] { return false; }, 400);  // the paints of showing the window are over
    ASSERT_EQ(WriteUserLight(Context(), std::map<int, uint32_t>{{kKeyA, 0x00FF0000}}), CommandOutcome::kDone);
    EXPECT_TRUE(WaitFor([&] { return shows(QColor(0, 0, 0xFF)); }, 3000));
}

}  // namespace
