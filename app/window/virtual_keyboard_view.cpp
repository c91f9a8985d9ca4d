#include "app/window/virtual_keyboard_view.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <chrono>

#include "app/device_link_side.h"
#include "app/shell/language_texts.h"
#include "device/layout_file.h"
#include "oxa/core/manager.h"

using namespace OXA;

namespace {

const QColor kWindowBack(0x1B, 0x1D, 0x22);
const QColor kBodyTop(0x2C, 0x2F, 0x36);
const QColor kBodyBottom(0x1F, 0x21, 0x26);
const QColor kDarkCap(0x2A, 0x2C, 0x31);  // a key whose LED is off
const QColor kStatusText(0xB8, 0xBC, 0xC6);
const QColor kDimText(0x80, 0x85, 0x90);
constexpr double kScreenGap = 18;    // layout pixels between the body and the screen panel
constexpr double kStatusHeight = 30;  // window pixels under the picture

// The colour a key shows: its LED's colour as it is; an unlit key keeps the
// dark grey of its cap, so that it still reads as a key.
QColor CapColour(int r, int g, int b)
{
    if (r == 0 && g == 0 && b == 0) return kDarkCap;
    return QColor(r, g, b);
}

bool IsLight(const QColor& c) { return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue() > 150; }

QString ConnectionName(int mode)
{
    switch (mode) {
    case 0: return u"cable"_qs;
    case 1: return u"Bluetooth"_qs;
    default: return u"2.4 GHz receiver"_qs;
    }
}

// The keyboard has power: a cable or Bluetooth connection, or the receiver
// with the keyboard behind it switched on.
bool IsLit(const SimKeyboardStatus& s)
{
    return s.exists && (s.plugged[0] || s.plugged[1] || (s.plugged[2] && s.linked));
}

QFont LabelFont(double pixels)
{
    QFont f(u"Open Sans"_qs);
    f.setPixelSize(std::max(7, int(pixels + 0.5)));
    return f;
}

}  // namespace

VirtualKeyboardView::VirtualKeyboardView(MObject* parent, unsigned id, CRect rect, DeviceLinkSide& side)
    : MControl(parent, id, rect, 1, 1, 0), m_side(side)
{
}

int VirtualKeyboardView::OnControlTimer()
{
    UpdateControl(0);
    return 1;
}

void VirtualKeyboardView::SetControlRect(CRect rect)
{
    MControl::SetControlRect(rect);
    m_laidOutFor = CRect();
}

int VirtualKeyboardView::FollowedDeviceType() const
{
    const int chosen = m_side.CurrentDeviceType();
    return chosen > 0 ? chosen : m_side.SimulatedDeviceType();
}

void VirtualKeyboardView::Prepare()
{
    const int type = FollowedDeviceType();
    if (type != m_deviceType) {
        m_deviceType = type;
        m_keyCodes.clear();
        m_layoutRects.clear();
        m_layoutLights.clear();
        m_layoutLabels.clear();
        m_hasScreen = false;
        m_name.clear();
        m_screen = ScreenFrames{};
        LayoutFile layout;
        const DeviceEntry* keyboard = m_side.GetCatalogue().FindKeyboard(type);
        if (keyboard) {
            m_name = keyboard->name;
            ReadLayoutFile(Manager::GetProgramFolder() + u"layouts/"_qs + keyboard->deviceInfo + u".xml"_qs,
                           LayoutFile{}, layout);
        }
        m_rgb = layout.IsRgb();
        QRectF keys;
        for (const LayoutKey& k : layout.keys) {
            const ::KeyRect& r = k.rect;
            if (r.Width() <= 0 || r.Height() <= 0 || r.Width() > 4000 || r.Height() > 4000) continue;
            const QRectF rect(r.left, r.top, r.Width(), r.Height());
            keys = keys.isNull() ? rect : keys.united(rect);
            m_keyCodes.push_back(k.code);
            m_layoutRects.push_back(rect);
            m_layoutLights.push_back(k.lightIndex);
            m_layoutLabels.push_back(k.name);
        }
        // The picture's own area when it holds the keys, else the keys with a margin.
        const KeyboardPicture& pic = layout.picture;
        const QRectF picture(0, 0, pic.width, pic.height);
        if (m_keyCodes.empty())
            m_layoutBody = QRectF();  // nothing to show: the status line says why
        else
            m_layoutBody = pic.width > 0 && pic.height > 0 && picture.contains(keys) ? picture
                                                                                    : keys.adjusted(-22, -22, 22, 22);
        const ScreenInfo& s = layout.screen;
        m_hasScreen = layout.hasScreen && s.width > 0 && s.height > 0 && s.width <= 2000 && s.height <= 2000;
        m_screenWidth = s.width;
        m_screenHeight = s.height;
        m_screenHead = std::max(s.headLength, 0);
        m_screenFrames = s.maxFrames;
        m_laidOutFor = CRect();
    }
    if (m_laidOutFor != m_rect) LayOut();
}

void VirtualKeyboardView::LayOut()
{
    m_laidOutFor = m_rect;
    m_keys.clear();
    const QRectF area(m_rect.left + 16, m_rect.top + 8, m_rect.Width() - 32, m_rect.Height() - 16 - kStatusHeight);
    m_statusRect = QRectF(m_rect.left + 20, area.bottom() + 4, m_rect.Width() - 40, kStatusHeight - 4);
    if (m_layoutBody.isEmpty() || area.width() < 10 || area.height() < 10) {
        m_body = m_screenPanel = m_screenRect = QRectF();
        return;
    }
    // The screen panel stands right of the body, as tall as it; the screen
    // inside keeps its aspect.
    double panelWidth = 0, screenW = 0, screenH = 0;
    if (m_hasScreen) {
        screenH = m_layoutBody.height() * 0.42;
        screenW = screenH * m_screenWidth / m_screenHeight;
        panelWidth = screenW + 36;
    }
    const double totalW = m_layoutBody.width() + (m_hasScreen ? kScreenGap + panelWidth : 0);
    const double totalH = m_layoutBody.height();
    m_scale = std::min(area.width() / totalW, area.height() / totalH);
    const double left = area.left() + (area.width() - totalW * m_scale) / 2;
    const double top = area.top() + (area.height() - totalH * m_scale) / 2;
    m_body = QRectF(left, top, m_layoutBody.width() * m_scale, totalH * m_scale);
    if (m_hasScreen) {
        m_screenPanel = QRectF(m_body.right() + kScreenGap * m_scale, top, panelWidth * m_scale, totalH * m_scale);
        m_screenRect = QRectF(m_screenPanel.left() + 18 * m_scale, m_screenPanel.top() + 30 * m_scale,
                              screenW * m_scale, screenH * m_scale);
    } else {
        m_screenPanel = m_screenRect = QRectF();
    }

    const double labelPixels = 9.5 * m_scale;
    for (size_t i = 0; i < m_keyCodes.size(); ++i) {
        ShownKey k;
        k.code = m_keyCodes[i];
        k.light = m_layoutLights[i];
        const QRectF r = m_layoutRects[i];
        k.rect = QRectF(left + (r.left() - m_layoutBody.left()) * m_scale, top + (r.top() - m_layoutBody.top()) * m_scale,
                        r.width() * m_scale, r.height() * m_scale)
                     .adjusted(1, 1, -1, -1);
        const double pad = std::max(3.0, 4.5 * m_scale);
        const double width = std::max(4.0, k.rect.width() - 2 * pad + 1);
        const double height = std::max(4.0, k.rect.height() - 2 * pad);
        // A label that does not fit on one line wraps at its spaces ("Caps
        // Lock"), then takes a smaller type; what still does not fit is elided.
        const QStringList words = m_layoutLabels[i].split(u' ', Qt::SkipEmptyParts);
        QString text;
        for (double pixels = labelPixels; ; pixels -= 1) {
            const bool last = pixels - 1 < std::max(7.0, labelPixels - 3);
            k.font = LabelFont(pixels);
            const QFontMetricsF metrics(k.font);
            const QString line = words.join(u' ');
            if (metrics.horizontalAdvance(line) <= width) {
                text = line;
                break;
            }
            bool wrapFits = words.size() > 1 && metrics.lineSpacing() * double(words.size()) <= height;
            for (const QString& w : words) wrapFits = wrapFits && metrics.horizontalAdvance(w) <= width;
            if (wrapFits || last) {
                QStringList lines;
                for (const QString& w : words) lines << metrics.elidedText(w, Qt::ElideRight, width);
                text = wrapFits || metrics.lineSpacing() * double(words.size()) <= height
                           ? lines.join(QChar(QChar::LineSeparator))
                           : metrics.elidedText(line, Qt::ElideRight, width);
                break;
            }
        }
        k.label.setText(text);
        k.label.setTextFormat(Qt::PlainText);
        k.label.setPerformanceHint(QStaticText::AggressiveCaching);
        k.label.prepare(QTransform(), k.font);
        k.labelAt = QPointF(k.rect.left() + pad - 1, k.rect.top() + pad - 2);
        m_keys.push_back(std::move(k));
    }
}

CRect VirtualKeyboardView::KeyRect(int keyCode)
{
    Prepare();
    for (const ShownKey& k : m_keys)
        if (k.code == keyCode) {
            const QRect r = k.rect.toAlignedRect();
            return CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
        }
    return CRect();
}

QString VirtualKeyboardView::StateText(const SimKeyboardStatus& status) const
{
    if (!status.exists) return u"not simulated"_qs;
    QStringList plugged;
    for (int mode = 0; mode < 3; ++mode)
        if (status.plugged[mode]) plugged << ConnectionName(mode);
    if (plugged.isEmpty()) return u"unplugged"_qs;
    if (!IsLit(status)) return u"switched off"_qs;
    QString effect;
    if (status.liveFrame) {
        effect = u"live colours"_qs;
    } else if (status.lightMode == 0x80) {
        effect = u"per-key colours"_qs;
    } else if (status.lightMode >= 0 && status.lightMode <= 19) {
        effect = GetText(status.lightMode == 0 ? 540 : 520 + status.lightMode);
        if (effect.isEmpty()) effect = u"effect %1"_qs.arg(status.lightMode);
    } else {
        effect = u"effect %1"_qs.arg(status.lightMode);
    }
    return plugged.join(u" + "_qs) + u"  \u00B7  "_qs + effect;
}

void VirtualKeyboardView::DrawControl(HDC& hdc, CRect)
{
    if (!hdc.painter) return;
    Prepare();
    QPainter& p = *hdc.painter;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(QRect(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height()), kWindowBack);

    SimBackend* sim = m_side.Simulation();
    const int keyboard = sim ? sim->FindKeyboard(m_deviceType) : -1;
    const SimKeyboardStatus status = sim ? sim->Status(keyboard) : SimKeyboardStatus{};
    const bool lit = IsLit(status);
    const std::vector<uint8_t> leds = lit ? sim->LedColours(keyboard) : std::vector<uint8_t>();

    if (!m_body.isEmpty()) {
        // Body: a rounded slab with a soft top light.
        QLinearGradient body(m_body.topLeft(), m_body.bottomLeft());
        body.setColorAt(0, kBodyTop);
        body.setColorAt(1, kBodyBottom);
        p.setPen(QPen(QColor(0x3A, 0x3E, 0x47), 1));
        p.setBrush(body);
        p.drawRoundedRect(m_body.adjusted(0.5, 0.5, -0.5, -0.5), 14 * m_scale, 14 * m_scale);

        p.setPen(QPen(QColor(0, 0, 0, 110), 1));
        const double radius = std::max(2.0, 4 * m_scale);
        for (const ShownKey& k : m_keys) {
            int r = 0, g = 0, b = 0;
            const size_t at = size_t(k.light);
            if (k.light > 0 && m_rgb && 4 * at + 3 < leds.size()) {
                r = leds[4 * at + 1];
                g = leds[4 * at + 2];
                b = leds[4 * at + 3];
            } else if (k.light > 0 && !m_rgb && at < leds.size()) {
                r = g = b = leds[at];
            }
            const QColor cap = CapColour(r, g, b);
            p.setBrush(cap);
            p.drawRoundedRect(k.rect, radius, radius);
            p.setPen(IsLight(cap) ? QColor(0x14, 0x16, 0x1A) : QColor(0xE6, 0xE8, 0xEE));
            p.setFont(k.font);
            p.drawStaticText(k.labelAt, k.label);
            p.setPen(QPen(QColor(0, 0, 0, 110), 1));
        }
        if (m_hasScreen) DrawScreen(p, status);
    }

    // Status line: the keyboard and what it does.
    QFont font(u"Open Sans"_qs);
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(kStatusText);
    const QString name = m_name.isEmpty() ? u"no keyboard"_qs : m_name;
    p.drawText(m_statusRect, Qt::AlignLeft | Qt::AlignVCenter, name);
    p.setPen(lit ? kStatusText : QColor(0xE0, 0x8A, 0x50));
    p.drawText(m_statusRect, Qt::AlignRight | Qt::AlignVCenter, StateText(status));
    if (!lit && !m_body.isEmpty()) {
        // A dark keyboard says why.
        QFont big(u"Open Sans"_qs);
        big.setPixelSize(std::max(12, int(22 * m_scale)));
        p.setFont(big);
        p.setPen(QColor(0xE8, 0xEA, 0xF0, 220));
        const QRectF banner(m_body.center().x() - 160, m_body.center().y() - 24, 320, 48);
        p.setBrush(QColor(0, 0, 0, 170));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(banner, 10, 10);
        p.setPen(QColor(0xE8, 0xEA, 0xF0));
        QString state = StateText(status);
        if (!state.isEmpty()) state[0] = state[0].toUpper();
        p.drawText(banner, Qt::AlignCenter, state);
    }
    p.restore();
}

void VirtualKeyboardView::DecodeScreen(int keyboard, int slot, int images)
{
    m_screen = ScreenFrames{};
    m_screen.slot = slot;
    m_screen.images = images;
    SimBackend* sim = m_side.Simulation();
    if (!sim || slot <= 0) return;
    const std::vector<uint8_t> bytes = sim->ScreenImage(keyboard, slot);
    if (bytes.empty()) return;
    const size_t frameBytes = size_t(m_screenWidth) * size_t(m_screenHeight) * 2;
    const size_t head = size_t(m_screenHead);
    // Byte 0 of the head counts the frames; take no more than the bytes hold.
    size_t frames = bytes[0];
    if (m_screenFrames > 0) frames = std::min(frames, size_t(m_screenFrames));
    if (bytes.size() < head) return;
    frames = std::min(frames, (bytes.size() - head) / frameBytes);
    for (size_t f = 0; f < frames; ++f) {
        QImage image(m_screenWidth, m_screenHeight, QImage::Format_RGB32);
        const uint8_t* px = bytes.data() + head + f * frameBytes;
        for (int y = 0; y < m_screenHeight; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < m_screenWidth; ++x, px += 2) {
                const unsigned v = unsigned(px[0]) | (unsigned(px[1]) << 8);  // RGB565, low byte first
                const unsigned r = (v >> 11) & 31, g = (v >> 5) & 63, b = v & 31;
                line[x] = qRgb(int((r << 3) | (r >> 2)), int((g << 2) | (g >> 4)), int((b << 3) | (b >> 2)));
            }
        }
        m_screen.frames.push_back(std::move(image));
        // Bytes 1.. of the head hold the frame delays in 2 ms units.
        const int delay = f + 1 < head ? std::max(1, int(bytes[f + 1])) * 2 : 100;
        m_screen.delaysMs.push_back(delay);
        m_screen.cycleMs += delay;
    }
}

void VirtualKeyboardView::DrawScreen(QPainter& p, const SimKeyboardStatus& status)
{
    QLinearGradient panel(m_screenPanel.topLeft(), m_screenPanel.bottomLeft());
    panel.setColorAt(0, kBodyTop);
    panel.setColorAt(1, kBodyBottom);
    p.setPen(QPen(QColor(0x3A, 0x3E, 0x47), 1));
    p.setBrush(panel);
    p.drawRoundedRect(m_screenPanel.adjusted(0.5, 0.5, -0.5, -0.5), 14 * m_scale, 14 * m_scale);

    SimBackend* sim = m_side.Simulation();
    const int keyboard = sim ? sim->FindKeyboard(m_deviceType) : -1;
    // The slot the keyboard shows; before it was told one, the image taken last.
    int slot = status.shownScreenSlot > 0 ? status.shownScreenSlot : status.lastScreenSlot;
    if (status.exists && (slot != m_screen.slot || status.screenImages != m_screen.images))
        DecodeScreen(keyboard, slot, status.screenImages);
    if (status.exists && m_screen.frames.empty() && status.lastScreenSlot > 0 && slot != status.lastScreenSlot) {
        slot = status.lastScreenSlot;
        DecodeScreen(keyboard, slot, status.screenImages);
    }

    const QRectF frame = m_screenRect.adjusted(-3, -3, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x08, 0x09, 0x0B));
    p.drawRoundedRect(frame, 4, 4);
    QFont font(u"Open Sans"_qs);
    font.setPixelSize(std::max(9, int(11 * m_scale)));
    p.setFont(font);
    const bool lit = IsLit(status);
    if (lit && !m_screen.frames.empty()) {
        const int64_t ms = sim ? std::chrono::duration_cast<std::chrono::milliseconds>(
                                     sim->Clock().Now().time_since_epoch()).count()
                               : 0;
        int64_t into = m_screen.cycleMs > 0 ? ms % m_screen.cycleMs : 0;
        size_t index = 0;
        while (index + 1 < m_screen.frames.size() && into >= m_screen.delaysMs[index]) into -= m_screen.delaysMs[index++];
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(m_screenRect, m_screen.frames[index]);
    } else if (lit) {
        p.setPen(kDimText);
        p.drawText(m_screenRect, Qt::AlignCenter, u"no image"_qs);
    }
    p.setPen(kDimText);
    const QRectF caption(m_screenPanel.left(), m_screenRect.bottom() + 8 * m_scale, m_screenPanel.width(),
                         22 * m_scale);
    const QString text = slot > 0 ? u"Screen slot %1"_qs.arg(slot) : u"Screen"_qs;
    p.drawText(caption, Qt::AlignHCenter | Qt::AlignTop, text);
}
