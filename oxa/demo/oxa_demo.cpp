// A small dialog built only from the oxa core: background, plates, a panel
// with scrolling rows, and buttons that report their clicks. Used to check
// that a window renders the same offscreen and on an X server, and reacts to
// real mouse clicks there.
//
//   oxa_demo [--screenshot FILE] [--grab FILE] [--final FILE] [--quit-after MS]
//   oxa_demo --compare A.png B.png | --compare-rgb A.png B.png
//
// --screenshot saves the window's surface once it is created (and ends the
// program unless --quit-after is given); --grab saves what the display shows
// of the window one second after the start; --final saves the surface when
// the program ends.
// Every notification is printed as "notify <id> <code> <wParam>" on standard
// output. --compare ends with status 0 when both pictures hold the same
// pixels, 1 otherwise; --compare-rgb looks at the colour channels only (a
// display shows a surface's premultiplied colours without their alpha) and
// leaves out a margin of 12 pixels, which the window's rounded shape cuts
// on a display.
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "oxa/core/area.h"
#include "oxa/core/control_font.h"
#include "oxa/core/dialog.h"
#include "oxa/core/manager.h"
#include "oxa/core/native_window.h"
#include "oxa/core/panel.h"
#include "oxa/core/render.h"
#include "oxa/core/screenshot.h"

using namespace OXA;

namespace {

// A push button with four cached state frames drawn in code.
class DemoButton : public MControlFont {
public:
    using MControlFont::MControlFont;

    void DrawControl(HDC& hdc, CRect) override
    {
        const int w = m_rect.Width(), h = m_rect.Height();
        if (!m_update) {
            UpdateMemDC(hdc, 4 * w, h);
            static const ARGB fills[4] = {0xFF3A3A3Au, 0xFF4A4A4Au, 0xFFEE6E01u, 0xFF2A2A2Au};
            for (int i = 0; i < 4; ++i) {
                CopyBackgroundToFrame(hdc, i);
                QPainter p(&m_memImage);
                p.setRenderHint(QPainter::Antialiasing);
                MRender::DrawRoundRectange(p, float(i * w), 0, float(w), float(h), 6, fills[i]);
                const CRect text(i * w, (i == 2) ? 1 : 0, (i + 1) * w, h);
                MRender::DrawText(p, text, m_title, i == 3 ? 0xFF808080u : m_textColor, GetGDIFont(), 1, 4);
            }
        }
        DrawFrameFromCache(hdc, m_enabled ? m_state : 3);
    }
    int OnControlMouseMove(unsigned, CPoint pt) override
    {
        const int s = m_rect.PtInRect(pt) ? (m_pressed ? 2 : 1) : 0;
        if (s != m_state) {
            m_state = s;
            UpdateControl(0, 0);
        }
        return 1;
    }
    int OnControlLButtonDown(unsigned, CPoint) override
    {
        if (!m_enabled)
            return 0;
        m_pressed = true;
        m_state = 2;
        UpdateControl(0, 0);
        SendMessageW(1, 0, 0);
        return 1;
    }
    int OnControlLButtonUp(unsigned, CPoint pt) override
    {
        const bool inside = m_rect.PtInRect(pt);
        const bool was = m_pressed;
        m_pressed = false;
        m_state = inside ? 1 : 0;
        UpdateControl(0, 0);
        if (was && inside)
            SendMessageW(2, 0, 0);
        return 1;
    }

private:
    int m_state = 0;
    bool m_pressed = false;
};

// Static text.
class DemoLabel : public MControlFont {
public:
    using MControlFont::MControlFont;
    void DrawControl(HDC& hdc, CRect) override
    {
        if (hdc.painter)
            DrawTitle(*hdc.painter, m_rect, m_textColor);
    }
};

// Rows drawn by the panel itself, shifted by its scroll offset.
class DemoList : public MPanel {
public:
    DemoList(MObject* parent, unsigned id, CRect rect) : MPanel(parent, id, rect) {}
    void DrawControl(HDC& hdc, CRect) override
    {
        if (!hdc.painter)
            return;
        QPainter& p = *hdc.painter;
        p.save();
        p.setClipRect(m_rect.ToQRect(), Qt::IntersectClip);
        MRender::DrawColor(p, m_rect, 0x20FFFFFFu);
        const int offset = GetVOffset();
        for (int i = 0; i < 12; ++i) {
            CRect row(m_rect.left + 8, m_rect.top + 4 + i * 28 - offset, m_rect.right - 12, m_rect.top + 28 + i * 28 - offset);
            if (i == m_selected)
                MRender::DrawRoundRectange(p, float(row.left), float(row.top), float(row.Width()), float(row.Height()), 10,
                                           Manager::GetSelectColor());
            MRender::DrawText(p, CRect(row.left + 10, row.top, row.right, row.bottom),
                              QStringLiteral("Profile %1").arg(i + 1), 0xFFE6E6E6u, MakeFont(GetFontFamily(), 14, 0), 0, 4);
        }
        p.restore();
    }
    int OnControlLButtonDown(unsigned, CPoint pt) override
    {
        const int row = (pt.y - m_rect.top - 4) / 28;
        if (pt.y < m_rect.top + 4 || row < 0 || row >= 12)
            return 0;
        m_selected = row;
        UpdateControl(1, 0);
        SendMessageW(1, unsigned(row), 0);
        return 1;
    }
    void Fill()
    {
        // An invisible child gives the content its height.
        auto* extent = new DemoLabel(this, 70, CRect(m_rect.left, m_rect.top, m_rect.left + 1, m_rect.top + 12 * 28 + 8));
        extent->SetRresponse(0);
        AddChild(extent);
        Relayout();
    }

private:
    int m_selected = 0;
};

class DemoDialog : public MDialog {
public:
    void InitUI(CRect client) override
    {
        m_manager.SetBackColor(RGB(0x1B, 0x1C, 0x1F), RGB(0x57, 0x57, 0x57));
        CreateArea(u"CArea"_qs, 30, CRect(10, 10, client.right - 10, 56), CString());
        auto* plate = static_cast<CArea*>(CreateArea(u"CArea"_qs, 31, CRect(10, 66, 230, client.bottom - 10), CString()));
        plate->SetTransparent(50, 50, RGB(0xEE, 0x6E, 0x01));
        Add(new DemoLabel(this, 40, CRect(24, 10, client.right - 24, 56), u"oxa demo"_qs));
        m_counter = new DemoLabel(this, 41, CRect(250, 200, client.right - 20, 240), u"clicks: 0"_qs);
        Add(m_counter);
        Add(new DemoButton(this, 42, CRect(250, 80, 370, 116), u"Apply"_qs));
        Add(new DemoButton(this, 43, CRect(250, 130, 370, 166), u"Notify"_qs));
        auto* off = new DemoButton(this, 44, CRect(380, 80, 470, 116), u"Off"_qs);
        Add(off);
        off->SetEnabled(0);
        auto* list = new DemoList(this, 50, CRect(20, 76, 220, client.bottom - 20));
        Add(list);
        list->Fill();
    }
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long) override
    {
        std::printf("notify %u %u %u\n", id, code, wParam);
        std::fflush(stdout);
        if (code == 2 && (id == 42 || id == 43)) {
            ++m_clicks;
            m_counter->SetTitle(QStringLiteral("clicks: %1").arg(m_clicks));
            if (id == 43)
                SetMessage(QStringLiteral("Button clicked"));
        }
        return 0;
    }
    void PostNcDestroy() override { Manager::PostQuitMessage(0); }

private:
    void Add(MControlFont* c)
    {
        m_manager.AddControl(c);
        c->SetManager(&m_manager);
    }
    DemoLabel* m_counter = nullptr;
    int m_clicks = 0;
};

const char* Arg(int argc, char** argv, const char* name)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return nullptr;
}

int ComparePictures(const char* a, const char* b, bool colourOnly)
{
    QImage first = QImage(QString::fromLocal8Bit(a)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage second = QImage(QString::fromLocal8Bit(b)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (first.isNull() || second.isNull()) {
        std::printf("cannot read %s\n", first.isNull() ? a : b);
        return 2;
    }
    if (colourOnly) {
        // The same bytes read as RGB32: the alpha byte no longer counts.
        first.reinterpretAsFormat(QImage::Format_RGB32);
        second.reinterpretAsFormat(QImage::Format_RGB32);
    }
    if (first.size() != second.size()) {
        std::printf("sizes differ: %dx%d and %dx%d\n", first.width(), first.height(), second.width(),
                    second.height());
        return 1;
    }
    const int margin = colourOnly ? 12 : 0;
    for (int y = margin; y < first.height() - margin; ++y)
        for (int x = margin; x < first.width() - margin; ++x)
            if (first.pixel(x, y) != second.pixel(x, y)) {
                std::printf("first difference at %d,%d: %08x and %08x\n", x, y, first.pixel(x, y),
                            second.pixel(x, y));
                return 1;
            }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && (std::strcmp(argv[1], "--compare") == 0 || std::strcmp(argv[1], "--compare-rgb") == 0))
        return ComparePictures(argv[2], argv[3], std::strcmp(argv[1], "--compare-rgb") == 0);
    QGuiApplication app(argc, argv);
    DemoDialog dlg;
    if (!dlg.Create(nullptr, u"oxa demo"_qs, WS_POPUP | WS_VISIBLE, 0, CRect(0, 0, 480, 320)))
        return 1;
    const CString shot = ScreenshotArgument(argc, argv);
    const char* grab = Arg(argc, argv, "--grab");
    const char* final = Arg(argc, argv, "--final");
    const char* quitAfter = Arg(argc, argv, "--quit-after");
    if (!shot.isEmpty()) {
        SaveWindowScreenshot(dlg, shot);
        if (!quitAfter)
            return 0;
    }
    if (grab) {
        QTimer::singleShot(1000, [&] {
            // What the display shows of the window, read back from it.
            if (QScreen* screen = QGuiApplication::primaryScreen())
                screen->grabWindow(dlg.GetSafeHwnd()->winId()).save(QString::fromLocal8Bit(grab));
        });
    }
    if (quitAfter) {
        QTimer::singleShot(std::atoi(quitAfter), [&] {
            if (final)
                SaveWindowScreenshot(dlg, QString::fromLocal8Bit(final));
            dlg.DestroyWindow();
        });
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return Manager::MessageLoop();
}
