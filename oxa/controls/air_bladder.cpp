#include "oxa/controls/air_bladder.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QTimerEvent>
#include <map>

#include "oxa/core/font_collection.h"
#include "oxa/core/manager.h"
#include "oxa/core/native_window.h"
#include "oxa/core/render.h"

namespace OXA {

namespace {
constexpr int kFontPixels = 14;
constexpr int kBackBorder = 6;
constexpr ARGB kPlateColour = 0xF0202326u;   // drawn when the skin has no plate picture
constexpr ARGB kPlateFrame = 0xFF5A5A5Au;
constexpr CSize kDefaultSideArrow{8, 14};
constexpr CSize kDefaultTopArrow{14, 8};

// One balloon per manager. Never destroyed at exit: the windows must go
// before the application object, which happens when their managers die.
std::map<PaintManager*, std::unique_ptr<MAirBladder>>& Balloons()
{
    static auto* balloons = new std::map<PaintManager*, std::unique_ptr<MAirBladder>>;
    return *balloons;
}

CSize SizeOr(const QImage& image, CSize fallback)
{
    return image.isNull() ? fallback : CSize(image.width(), image.height());
}

// show: 1 set the message and show, 2 show, 0 hide, -1 the manager goes away.
void HandleBalloon(PaintManager* manager, const CString& text, CPoint pt, int type, int mode, int show)
{
    if (!manager)
        return;
    auto& balloons = Balloons();
    auto it = balloons.find(manager);
    if (show < 0) {
        if (it == balloons.end())
            return;
        // Out of the table before it is destroyed: its own manager reports too.
        std::unique_ptr<MAirBladder> gone = std::move(it->second);
        balloons.erase(it);
        return;
    }
    if (show != 1) {
        if (it != balloons.end())
            it->second->ShowAirBladder(show);
        return;
    }
    if (it == balloons.end()) {
        const QFont font = MakeFont(manager->FindTempFont(Manager::GetFontName()), kFontPixels, 0);
        it = balloons.emplace(manager, std::make_unique<MAirBladder>(manager->GetPaintWnd(), font)).first;
    }
    it->second->SetAirBladderMsg(text, pt, type, mode);
}

// A filled triangle pointing out of the plate on the given side.
void DrawArrowShape(QPainter& p, CRect r, int side, ARGB colour)
{
    QPainterPath path;
    const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    if (side == 1) {
        path.moveTo(r.right, r.top);
        path.lineTo(r.left, cy);
        path.lineTo(r.right, r.bottom);
    } else if (side == 2) {
        path.moveTo(r.left, r.top);
        path.lineTo(r.right, cy);
        path.lineTo(r.left, r.bottom);
    } else {
        path.moveTo(r.left, r.bottom);
        path.lineTo(cx, r.top);
        path.lineTo(r.right, r.bottom);
    }
    path.closeSubpath();
    p.fillPath(path, QColor::fromRgba(colour));
}

}  // namespace

MAirBladder::MAirBladder(QWindow* owner, const QFont& font) : m_font(font)
{
    setFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
    setSurfaceType(QSurface::RasterSurface);
    QSurfaceFormat format = requestedFormat();
    format.setAlphaBufferSize(8);
    setFormat(format);
    setTitle(u"AirBladder Window"_qs);
    if (owner)
        setTransientParent(owner);
}

MAirBladder::~MAirBladder() = default;

MAirBladder* MAirBladder::Find(PaintManager* manager)
{
    auto it = Balloons().find(manager);
    return it == Balloons().end() ? nullptr : it->second.get();
}

void MAirBladder::Install() { PaintManager::SetAirBladderHandler(&HandleBalloon); }

void MAirBladder::LoadPictures()
{
    if (m_picturesLoaded)
        return;
    m_picturesLoaded = true;
    const CString skin = Manager::GetSkinFolder();
    m_back = MRender::LoadImage(skin + u"img_tip_bk.png"_qs);
    m_arrowLeft = MRender::LoadImage(skin + u"img_tip_arrow_left.png"_qs);
    m_arrowRight = MRender::LoadImage(skin + u"img_tip_arrow_right.png"_qs);
    m_arrowTop = MRender::LoadImage(skin + u"img_tip_arrow_top.png"_qs);
}

AirBladderLayout MAirBladder::ComputeLayout(const CString& text, CPoint anchor, AIRBLADDER_MODE mode,
                                            const QFont& font, CSize arrowSide, CSize arrowTop)
{
    const QFontMetrics fm(font);
    const QStringList lines = text.split(u'\n');
    int textWidth = 0;
    for (const QString& line : lines)
        textWidth = std::max(textWidth, fm.horizontalAdvance(line));
    const int lineCount = std::max<int>(1, int(lines.size()));
    const int bodyHeight = lineCount * fm.height() + 20;

    AirBladderLayout l;
    int x = anchor.x, y = anchor.y, width = textWidth + 40, height = bodyHeight;
    switch (mode) {
    case AIRBLADDER_LEFT:
        x = anchor.x - textWidth - 40;
        y = anchor.y - 27;
        l.arrowSide = 2;
        break;
    case AIRBLADDER_BELOW:
        x = anchor.x - 25;
        height = bodyHeight + arrowTop.cy;
        l.arrowSide = 3;
        break;
    case AIRBLADDER_ABOVE:
        width = textWidth + 30;
        x = anchor.x - width / 2;
        y = anchor.y - 20 - height;
        break;
    case AIRBLADDER_RIGHT_HIGH:
        y = anchor.y - 10;
        l.arrowSide = 1;
        break;
    default:  // to the right, centred on the anchor
        y = anchor.y - height / 2;
        l.arrowSide = 1;
        break;
    }
    l.window = CRect(x, y, x + width, y + height);
    l.plate = CRect(0, 0, width, height);
    // The arrow's tip sits on the anchor; clamped to the plate's side.
    const auto along = [](int at, int size, int extent) { return std::clamp(at - size / 2, 0, std::max(0, extent - size)); };
    if (l.arrowSide == 1 || l.arrowSide == 2) {
        const int top = along(anchor.y - y, arrowSide.cy, height);
        if (l.arrowSide == 1) {
            l.arrow = CRect(0, top, arrowSide.cx, top + arrowSide.cy);
            l.plate.left = arrowSide.cx;
        } else {
            l.arrow = CRect(width - arrowSide.cx, top, width, top + arrowSide.cy);
            l.plate.right = width - arrowSide.cx;
        }
    } else if (l.arrowSide == 3) {
        const int left = along(anchor.x - x, arrowTop.cx, width);
        l.arrow = CRect(left, 0, left + arrowTop.cx, arrowTop.cy);
        l.plate.top = arrowTop.cy;
    }
    l.centred = lineCount == 1 || mode == AIRBLADDER_ABOVE;
    l.text = l.centred ? l.plate : CRect(l.plate.left + 8, l.plate.top + 8, l.plate.right, l.plate.bottom);
    return l;
}

void MAirBladder::SetAirBladderMsg(const CString& text, CPoint anchor, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode)
{
    if (text.isEmpty()) {
        ShowAirBladder(0);
        return;
    }
    const bool same = text == m_text && anchor == m_anchor && type == m_type && mode == m_mode;
    if (same && m_shown)
        return;
    m_text = text;
    m_anchor = anchor;
    m_type = type;
    m_mode = mode;
    LoadPictures();
    m_layout = ComputeLayout(text, anchor, mode, m_font, SizeOr(m_arrowLeft, kDefaultSideArrow),
                             SizeOr(m_arrowTop, kDefaultTopArrow));
    ShowAirBladder(1);
}

QRegion MAirBladder::ShapeRegion(const QImage& image)
{
    // Row by row, the runs of pixels that are at least half opaque: the
    // plate and the arrow, whatever their pictures look like.
    QRegion region;
    if (image.isNull())
        return region;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        int start = -1;
        for (int x = 0; x <= argb.width(); ++x) {
            const bool keep = x < argb.width() && qAlpha(row[x]) >= 0x80;
            if (keep && start < 0)
                start = x;
            if (!keep && start >= 0) {
                region += QRect(start, y, x - start, 1);
                start = -1;
            }
        }
    }
    return region;
}

void MAirBladder::ApplyShape(const QImage& image)
{
    // Without a compositor the transparent pixels around the plate would
    // show black; the window's shape leaves them out. With a compositor the
    // pixels inside the shape keep their own translucency. Platforms without
    // window shapes (offscreen) would only warn.
    static const bool shapes = QGuiApplication::platformName() != u"offscreen"_qs;
    if (shapes && !image.isNull())
        setMask(ShapeRegion(image));
}

void MAirBladder::ShowAirBladder(int show)
{
    if (!show || m_text.isEmpty()) {
        m_hideTimer.stop();
        m_shown = false;
        hide();
        return;
    }
    m_shown = true;
    if (m_type != AIRBLADDER_TYPE_STAY)
        m_hideTimer.start(std::max(0, m_hideDelay), this);
    else
        m_hideTimer.stop();
    setGeometry(m_layout.window.ToQRect());
    ApplyShape(RenderImage());  // shaped before it first appears
    if (!isVisible())
        QWindow::show();
    Present();
}

QImage MAirBladder::RenderImage() const
{
    const CRect all(0, 0, m_layout.window.Width(), m_layout.window.Height());
    if (all.IsRectEmpty())
        return QImage();
    QImage image(all.Width(), all.Height(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const CRect plate = m_layout.plate;
    if (!m_back.isNull())
        MRender::DrawImageFrame(p, &m_back, plate, 0, 0, m_back.width(), m_back.height(), kBackBorder);
    else
        MRender::DrawRoundRectange(p, float(plate.left), float(plate.top), float(plate.Width() - 1),
                                   float(plate.Height() - 1), 6.0f, kPlateColour, 1.0f, kPlateFrame, 1);
    const QImage& arrowImage =
        m_layout.arrowSide == 1 ? m_arrowLeft : m_layout.arrowSide == 2 ? m_arrowRight : m_arrowTop;
    if (m_layout.arrowSide != 0) {
        if (!arrowImage.isNull())
            p.drawImage(m_layout.arrow.ToQRect(), arrowImage);
        else
            DrawArrowShape(p, m_layout.arrow, m_layout.arrowSide, kPlateColour);
    }
    p.setFont(m_font);
    p.setPen(Qt::white);
    const QFontMetrics fm(m_font);
    if (m_layout.centred) {
        p.drawText(m_layout.text.ToQRect(), Qt::AlignCenter, m_text);
    } else {
        const QStringList lines = m_text.split(u'\n');
        int y = m_layout.text.top;
        for (const QString& line : lines) {
            p.drawText(QRect(m_layout.text.left, y, m_layout.text.Width(), fm.height()),
                       Qt::AlignLeft | Qt::AlignVCenter, line);
            y += fm.height();
        }
    }
    return image;
}

void MAirBladder::Present()
{
    if (!isVisible() || !isExposed())
        return;
    const QImage image = RenderImage();
    if (image.isNull())
        return;
    ApplyShape(image);
    if (!m_store)
        m_store = std::make_unique<QBackingStore>(this);
    m_store->resize(image.size());
    const QRect all(QPoint(0, 0), image.size());
    m_store->beginPaint(all);
    if (QPaintDevice* device = m_store->paintDevice()) {
        QPainter p(device);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, image);
    }
    m_store->endPaint();
    m_store->flush(all);
}

bool MAirBladder::event(QEvent* e)
{
    if (e->type() == QEvent::Timer && static_cast<QTimerEvent*>(e)->timerId() == m_hideTimer.timerId()) {
        ShowAirBladder(0);
        return true;
    }
    if (e->type() == QEvent::Expose) {
        Present();
        return true;
    }
    return QWindow::event(e);
}

}  // namespace OXA
