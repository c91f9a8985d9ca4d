// The multimedia tick: a library thread calls the timer handlers of
// registered controls while the UI thread paints; controls only request
// repaints. Run under ThreadSanitizer to check that nothing races.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <atomic>

#include "oxa/core/mtimer.h"
#include "oxa/core/panel.h"
#include "oxa/core/ui_lock.h"
#include "oxa_test_support.h"

using namespace oxatest;

namespace {

// Animates: every tick changes its colour and asks for a re-render.
class Spinner : public ProbeControl {
public:
    using ProbeControl::ProbeControl;
    int OnControlTimer() override
    {
        ++ticks;
        phase = (phase + 1) % 4;
        frameColours[0] = phase % 2 ? 0xFFFF0000u : 0xFF00FF00u;
        SetRect(CRect(m_rect.left, m_rect.top, m_rect.right, m_rect.bottom));  // geometry written too
        UpdateControl(1, 0);
        return 1;
    }
    int phase = 0;
};

TEST(Tick, TickThreadAnimatesControlsWhileTheUiThreadPaints)
{
    RecordingDialog dlg;
    ASSERT_TRUE(dlg.Open(300, 200));
    dlg.ShowWindow(SW_SHOW);
    PaintManager& pm = dlg.GetPaintManager();
    auto* page = new MPanel(&dlg, 50, CRect(0, 0, 300, 200));
    pm.AddControl(page);
    page->SetManager(&pm);
    auto* spinner = new Spinner(page, 61, CRect(10, 10, 60, 60));
    page->AddChild(spinner);
    spinner->SetManager(&pm);
    spinner->SetRunTimer(1);
    spinner->AddMTimer();
    auto* top = new Spinner(&dlg, 62, CRect(100, 10, 160, 60));
    pm.AddControl(top);
    top->SetManager(&pm);
    top->SetRunTimer(1);
    top->AddMTimer();
    ASSERT_NE(dlg.SetMTimer(5), 0u);

    // Paint and move the mouse while the tick runs, until both controls
    // have been ticked a few times (bounded, for loaded machines).
    auto ticked = [&] {
        UiLock lock;
        return spinner->ticks > 10 && top->ticks > 10;
    };
    QElapsedTimer clock;
    clock.start();
    int paints = 0;
    while (clock.elapsed() < 10000 && (paints < 40 || !ticked())) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        dlg.Send(WM_MOUSEMOVE, 0, 20 + paints % 50, 20);  // input while ticking
        dlg.GetSafeHwnd()->InvalidateAll();
        dlg.SendMessageW(WM_PAINT, 0, 0);
        ++paints;
    }
    EXPECT_TRUE(ticked());
    int spinnerTicks = 0, topTicks = 0;
    {
        UiLock lock;
        spinnerTicks = spinner->ticks;
        topTicks = top->ticks;
    }

    // A control inside a hidden page gets no ticks.
    {
        UiLock lock;
        page->SetVisible(0);
        spinnerTicks = spinner->ticks;
    }
    const unsigned long long before = MTimer::TickCount();
    EXPECT_TRUE(SpinUntil([&] { return MTimer::TickCount() > before + 5; }));
    {
        UiLock lock;
        EXPECT_EQ(spinner->ticks, spinnerTicks);
        EXPECT_GT(top->ticks, topTicks);
    }
    dlg.KillMTimer(0);
    EXPECT_EQ(pm.GetMTimerID(), 0u);
}

TEST(Tick, KilledTimerStopsAndTheOwnerMayGo)
{
    struct Counter : MTimer {
        std::atomic<int> n{0};
        void OnMTimer(unsigned) override { ++n; }
    };
    auto* counter = new Counter;
    const unsigned id = counter->SetTimer(1, u"fast"_qs, 0);
    ASSERT_NE(id, 0u);
    EXPECT_EQ(MTimer::GetMTimer(id), counter);
    EXPECT_EQ(counter->GetTimerName(id), u"fast"_qs);
    EXPECT_TRUE(SpinUntil([&] { return counter->n.load() > 3; }));
    EXPECT_EQ(counter->KillTimer(id), 0);
    const int after = counter->n.load();
    delete counter;  // no tick may reach it any more
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 30)
        QCoreApplication::processEvents();
    EXPECT_GE(after, 4);
    EXPECT_EQ(MTimer::GetMTimer(id), nullptr);
}

}  // namespace
