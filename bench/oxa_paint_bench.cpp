// Paint cost of an oxa dialog: 1280 x 720 with 200 buttons that carry an
// image strip and a title. Run by hand:
//   QT_QPA_PLATFORM=offscreen bench_oxa_paint
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include "oxa/core/control_font.h"
#include "oxa/core/dialog.h"
#include "oxa/core/manager.h"
#include "oxa/core/native_window.h"
#include "oxa/core/render.h"

using namespace OXA;

namespace {

// A push button: four frames rendered once (background copy, nine-slice of
// its strip, title), then copied.
class BenchButton : public MControlFont {
public:
    using MControlFont::MControlFont;
    int state = 0;
    void DrawControl(HDC& hdc, CRect) override
    {
        const int w = m_rect.Width(), h = m_rect.Height();
        if (!m_update) {
            UpdateMemDC(hdc, 4 * w, h);
            for (int i = 0; i < 4; ++i) {
                CopyBackgroundToFrame(hdc, i);
                QPainter p(&m_memImage);
                DrawImageStrip(p, i, CRect(i * w, 0, (i + 1) * w, h), 8);
                MRender::DrawText(p, CRect(i * w, 0, (i + 1) * w, h), m_title, m_textColor, GetGDIFont(), 1, 4);
            }
        }
        DrawFrameFromCache(hdc, state);
    }
    int OnControlMouseMove(unsigned, CPoint pt) override
    {
        const int s = m_rect.PtInRect(pt) ? 1 : 0;
        if (s != state) {
            state = s;
            UpdateControl(0, 0);
        }
        return 1;
    }
};

struct Fixture {
    QTemporaryDir dir;
    MDialog dlg;
    std::vector<BenchButton*> buttons;

    Fixture()
    {
        Manager::SetProgramFolder(dir.path());
        QDir().mkpath(dir.path() + u"/skins/theme1"_qs);
        QImage strip(4 * 40, 30, QImage::Format_ARGB32_Premultiplied);
        strip.fill(Qt::transparent);
        QPainter p(&strip);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor colours[4] = {QColor(60, 60, 60), QColor(80, 80, 80), QColor(0xEE, 0x6E, 0x01), QColor(40, 40, 40)};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(colours[i]);
            p.setPen(Qt::NoPen);
            p.drawRoundedRect(QRectF(i * 40 + 0.5, 0.5, 39, 29), 6, 6);
        }
        p.end();
        strip.save(dir.path() + u"/skins/theme1/btn.png"_qs);
        QImage back(1280, 720, QImage::Format_ARGB32_Premultiplied);
        QPainter b(&back);
        QLinearGradient g(0, 0, 1280, 720);
        g.setColorAt(0, QColor(20, 22, 26));
        g.setColorAt(1, QColor(40, 30, 20));
        b.fillRect(back.rect(), g);
        b.end();
        back.save(dir.path() + u"/skins/theme1/back.png"_qs);
        dlg.Create(nullptr, u"bench"_qs, WS_POPUP, 0, CRect(0, 0, 1280, 720));
        dlg.LoadBKImage(u"back.png"_qs);
        PaintManager& pm = dlg.GetPaintManager();
        for (int i = 0; i < 200; ++i) {
            const int col = i % 10, row = i / 10;
            auto* button = new BenchButton(&dlg, 100 + i, CRect(20 + col * 125, 20 + row * 34, 135 + col * 125, 50 + row * 34),
                                           QStringLiteral("Button %1").arg(i));
            pm.AddControl(button);
            button->SetManager(&pm);
            button->SetImage(u"btn.png"_qs, 4);
            buttons.push_back(button);
        }
        // Shown, so every paint is also copied to the window's back buffer.
        dlg.ShowWindow(SW_SHOW);
        QCoreApplication::processEvents();
        FullPaint();
    }
    void FullPaint()
    {
        dlg.GetSafeHwnd()->InvalidateAll();
        dlg.SendMessageW(WM_PAINT, 0, 0);
    }
};

Fixture& Shared()
{
    static Fixture f;
    return f;
}

void BM_FullPaintCached(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state)
        f.FullPaint();
}
BENCHMARK(BM_FullPaintCached)->Unit(benchmark::kMillisecond);

void BM_FullPaintRendering(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        for (BenchButton* b : f.buttons)
            b->SetUpdate(0, 0);
        f.FullPaint();
    }
}
BENCHMARK(BM_FullPaintRendering)->Unit(benchmark::kMillisecond);

void BM_HoverRepaint(benchmark::State& state)
{
    Fixture& f = Shared();
    int k = 0;
    for (auto _ : state) {
        // Alternate between two buttons: one leaves its hover frame, the
        // other takes it; both are repainted with redraw 0.
        const int x = (k++ % 2) ? 30 : 160;
        f.dlg.SendMessageW(WM_MOUSEMOVE, 0, MAKELONG(x, 30));
        f.dlg.SendMessageW(WM_PAINT, 0, 0);
    }
}
BENCHMARK(BM_HoverRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
