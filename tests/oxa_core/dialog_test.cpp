// Dialogs: painting into the off-screen surface, modal runs and their
// results, the quit message, posting from other threads, window timers and
// the message strip.
#include <gtest/gtest.h>

#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <thread>

#include "oxa/core/area.h"
#include "oxa/core/manager.h"
#include "oxa/core/message_loop.h"
#include "oxa/core/message_strip.h"
#include "oxa/core/popup_window.h"
#include "oxa/core/screenshot.h"
#include "oxa_test_support.h"

using namespace oxatest;

namespace {

TEST(DialogPaint, BackgroundFrameAndControlsReachTheSurface)
{
    RecordingDialog dlg;
    ASSERT_TRUE(dlg.Open(120, 80));
    dlg.GetPaintManager().SetBackColor(RGB(0x10, 0x20, 0x30), RGB(0xA0, 0xB0, 0xC0));
    auto* c = new ProbeControl(&dlg, 41, CRect(20, 20, 60, 40));
    c->frameColours[0] = 0xFFFF8000u;
    dlg.GetPaintManager().AddControl(c);
    c->SetManager(&dlg.GetPaintManager());
    dlg.GetSafeHwnd()->InvalidateAll();
    dlg.SendMessageW(WM_PAINT, 0, 0);
    const QImage& surface = *dlg.GetPaintManager().GetPaintDC();
    ASSERT_EQ(surface.size(), QSize(120, 80));
    struct Case {
        int x, y;
        int r, g, b;
    } cases[] = {
        {0, 0, 0xA0, 0xB0, 0xC0},    {119, 79, 0xA0, 0xB0, 0xC0}, {0, 40, 0xA0, 0xB0, 0xC0},
        {1, 1, 0x10, 0x20, 0x30},    {118, 78, 0x10, 0x20, 0x30}, {30, 30, 0xFF, 0x80, 0x00},
        {60, 40, 0x10, 0x20, 0x30},
    };
    for (const Case& k : cases) {
        const QRgb p = Pixel(surface, k.x, k.y);
        EXPECT_NEAR(qRed(p), k.r, 1) << k.x << "," << k.y;
        EXPECT_NEAR(qGreen(p), k.g, 1) << k.x << "," << k.y;
        EXPECT_NEAR(qBlue(p), k.b, 1) << k.x << "," << k.y;
    }
    // The screenshot is the same picture.
    const QImage shot = dlg.RenderImage();
    EXPECT_EQ(shot.convertToFormat(QImage::Format_ARGB32), surface.convertToFormat(QImage::Format_ARGB32));
    const QString path = QDir::tempPath() + u"/oxa_dialog_shot.png"_qs;
    EXPECT_TRUE(SaveWindowScreenshot(dlg, path));
    EXPECT_EQ(QImage(path).size(), QSize(120, 80));
}

TEST(DialogPaint, LayeredWindowKeepsTransparencyAndFixesAlphaZeroPixels)
{
    RecordingDialog dlg;
    ASSERT_TRUE(dlg.Open(40, 40));
    QImage bk(40, 40, QImage::Format_ARGB32_Premultiplied);
    bk.fill(Qt::transparent);
    QPainter(&bk).fillRect(10, 10, 20, 20, QColor(0, 200, 0));
    // A background picture with transparent corners, through the skin folder.
    const QString folder = QDir::tempPath() + u"/oxa_layered/"_qs;
    QDir().mkpath(folder + u"skins/theme1"_qs);
    bk.save(folder + u"skins/theme1/bk.png"_qs);
    const CString old = Manager::GetProgramFolder();
    Manager::SetProgramFolder(folder);
    EXPECT_EQ(dlg.LoadBKImage(u"bk.png"_qs), 1);
    Manager::SetProgramFolder(old);
    dlg.SetLayeredWindow(1);
    const QImage image = dlg.RenderImage();
    EXPECT_EQ(qAlpha(Pixel(image, 2, 2)), 0);
    EXPECT_EQ(qGreen(Pixel(image, 20, 20)), 200);
    EXPECT_EQ(qAlpha(Pixel(image, 20, 20)), 255);
    EXPECT_EQ(dlg.LoadBKImage(u"missing.png"_qs), 0);
}

class ClosingDialog : public RecordingDialog {
public:
    std::function<void(ClosingDialog&)> onShow;
    int OnInitDialog() override
    {
        RecordingDialog::OnInitDialog();
        if (onShow)
            QTimer::singleShot(0, [this] { onShow(*this); });
        return 1;
    }
};

TEST(DialogModal, ResultIsTheCloseRequestsCode)
{
    struct Case {
        void (MDialog::*close)();
        unsigned result;
    } cases[] = {{&MDialog::DoOK, 1}, {&MDialog::DoCancel, 2}, {&MDialog::DoClose, 2}, {&MDialog::DoYes, 6},
                 {&MDialog::DoNo, 7}};
    for (const Case& c : cases) {
        ClosingDialog dlg;
        dlg.onShow = [&c](ClosingDialog& d) { (d.*c.close)(); };
        ASSERT_TRUE(dlg.Open(100, 60));
        EXPECT_EQ(dlg.ShowModal(), c.result);
        EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    }
    MDialog none;
    EXPECT_EQ(none.ShowModal(), 0xFFFFFFFFu);
}

TEST(DialogModal, OwnerIsDisabledDuringTheRunAndEnabledAfter)
{
    RecordingDialog owner;
    ASSERT_TRUE(owner.Open(200, 100));
    ClosingDialog dlg;
    int ownerEnabledInside = -1;
    dlg.onShow = [&](ClosingDialog& d) {
        ownerEnabledInside = owner.IsWindowEnabled();
        d.DoOK();
    };
    ASSERT_TRUE(dlg.Create(owner.GetSafeHwnd(), u"modal"_qs, WS_POPUP, 0, CRect(0, 0, 80, 40)));
    EXPECT_EQ(dlg.ShowModal(), 1u);
    EXPECT_EQ(ownerEnabledInside, 0);
    EXPECT_EQ(owner.IsWindowEnabled(), 1);
}

TEST(DialogModal, QuitEndsTheModalRunAndIsPostedAgain)
{
    RecordingDialog owner;
    ASSERT_TRUE(owner.Open(200, 100));
    ClosingDialog dlg;
    dlg.onShow = [](ClosingDialog&) { Manager::PostQuitMessage(5); };
    ASSERT_TRUE(dlg.Create(owner.GetSafeHwnd(), u"modal"_qs, WS_POPUP, 0, CRect(0, 0, 80, 40)));
    dlg.ShowModal();
    EXPECT_EQ(owner.IsWindowEnabled(), 1);
    // The quit message is there for the next loop, which ends at once.
    EXPECT_EQ(Manager::MessageLoop(), 5);
}

class CountingDialog : public RecordingDialog {
public:
    std::atomic<int> received{0};
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override
    {
        if (msg == WM_USER + 5) {
            if (++received == 1000)
                DoOK();
            return 0;
        }
        return RecordingDialog::OnWindowMessage(msg, wParam, lParam);
    }
};

TEST(DialogModal, MessagesPostedFromAnotherThreadArriveOnTheUiThread)
{
    CountingDialog dlg;
    ASSERT_TRUE(dlg.Open(100, 60));
    std::thread worker([&dlg] {
        for (int i = 0; i < 1000; ++i)
            dlg.PostMessageW(WM_USER + 5, unsigned(i), 0);
    });
    EXPECT_EQ(dlg.ShowModal(), 1u);
    worker.join();
    EXPECT_EQ(dlg.received.load(), 1000);
    // A destroyed window takes no more messages.
    EXPECT_EQ(dlg.PostMessageW(WM_USER + 5, 0, 0), 0);
}

TEST(DialogTimers, WindowTimerReachesTheDialog)
{
    RecordingDialog dlg;
    ASSERT_TRUE(dlg.Open(100, 60));
    EXPECT_EQ(dlg.SetTimer(300, 5), 300u);
    EXPECT_TRUE(SpinUntil([&] { return !dlg.timers.empty(); }));
    EXPECT_EQ(dlg.timers.front(), 300u);
    EXPECT_EQ(dlg.KillTimer(300), 1);
}

// Records the strip's timer requests.
struct StripHarness {
    MessageStrip strip;
    std::map<unsigned, unsigned> running;
    int invalidations = 0;
    StripHarness()
    {
        strip.startTimer = [this](unsigned id, unsigned ms) { running[id] = ms; };
        strip.stopTimer = [this](unsigned id) { running.erase(id); };
        strip.invalidate = [this](CRect) { ++invalidations; };
    }
};

TEST(MessageStripTest, ProgressAnimatesInStepsOfTwoOrJumps)
{
    StripHarness h;
    const CRect client(0, 0, 400, 300);
    h.strip.SetProgress(50, u"Loading"_qs, CRect(), client);
    EXPECT_EQ(h.strip.Rect(), CRect(0, 240, 400, 298));
    EXPECT_EQ(h.running.at(MessageStrip::kProgressTimer), 10u);
    EXPECT_EQ(h.strip.Shown(), 0);
    h.strip.OnTimer(MessageStrip::kProgressTimer);
    EXPECT_EQ(h.strip.Shown(), 2);
    for (int i = 0; i < 30; ++i)
        h.strip.OnTimer(MessageStrip::kProgressTimer);
    EXPECT_EQ(h.strip.Shown(), 50);
    EXPECT_EQ(h.running.count(MessageStrip::kProgressTimer), 0u);

    StripHarness j;
    j.strip.SetProgress(3, u"x"_qs, CRect(), client);
    EXPECT_EQ(j.strip.Shown(), 3);
    EXPECT_EQ(j.running.count(MessageStrip::kProgressTimer), 0u);
    j.strip.SetProgress(3, u"x"_qs, CRect(), client);  // unchanged target: ignored
    j.strip.SetProgress(100, u"x"_qs, CRect(), client);
    for (int i = 0; i < 60; ++i)
        j.strip.OnTimer(MessageStrip::kProgressTimer);
    EXPECT_EQ(j.strip.Shown(), 100);
    EXPECT_EQ(j.running.count(MessageStrip::kFadeTimer), 1u);
}

TEST(MessageStripTest, MessageHoldsThenFadesOut)
{
    StripHarness h;
    h.strip.SetMessage(u"Saved"_qs, CRect(10, 10, 210, 68), 0);
    EXPECT_EQ(h.strip.Alpha(), 255);
    EXPECT_EQ(h.running.at(MessageStrip::kHoldTimer), 3000u);
    h.strip.OnTimer(MessageStrip::kHoldTimer);
    EXPECT_EQ(h.running.count(MessageStrip::kHoldTimer), 0u);
    EXPECT_EQ(h.running.at(MessageStrip::kFadeTimer), 50u);
    h.strip.OnTimer(MessageStrip::kFadeTimer);
    EXPECT_EQ(h.strip.Alpha(), 245);
    int steps = 1;
    while (h.running.count(MessageStrip::kFadeTimer) && steps < 100) {
        h.strip.OnTimer(MessageStrip::kFadeTimer);
        ++steps;
    }
    // 255, 245, ..., 25 then below 20 becomes 0: 24 steps.
    EXPECT_EQ(steps, 24);
    EXPECT_EQ(h.strip.Alpha(), 0);
    EXPECT_FALSE(h.strip.IsShown());
}

TEST(DialogStrip, DefaultMessageRectSitsAboveTheBottom)
{
    RecordingDialog dlg;
    ASSERT_TRUE(dlg.Open(400, 300));
    dlg.SetMessageOffset(5);
    dlg.SetMessage(u"Hello"_qs);
    EXPECT_EQ(dlg.GetPaintManager().GetMessageStrip().Rect(), CRect(100, 245, 300, 303));
    EXPECT_TRUE(dlg.GetSafeHwnd()->HasTimer(66));
}

}  // namespace

namespace {

TEST(Popup, TalksToItsLogicalParentAndClosesItself)
{
    RecordingDialog owner;
    MPopupWnd popup;
    EXPECT_EQ(popup.GetColorKey(), 0xF1F1F1u);
    EXPECT_EQ(popup.SendMessageToParent(2, 5, 19), 0);  // no parent yet
    popup.SetParent(&owner);
    popup.SendMessageToParent(2, 5, 19);
    ASSERT_EQ(owner.notes.size(), 1u);
    EXPECT_EQ(owner.notes[0], (Notification{0, 2, 5, 19}));
    ASSERT_TRUE(popup.Create(nullptr, u"ComboWnd"_qs, WS_POPUP, 0, CRect(10, 10, 110, 70)));
    EXPECT_TRUE(popup.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(popup.GetPaintManager().IsWndDragEnabled(), 0);
    popup.CloseWindow();
    EXPECT_TRUE(SpinUntil([&] { return popup.GetSafeHwnd() == nullptr; }));
}

}  // namespace
