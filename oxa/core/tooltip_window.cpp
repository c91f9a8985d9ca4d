#include "oxa/core/tooltip_window.h"

#include <QBackingStore>
#include <QCursor>
#include <QFontMetrics>
#include <QPainter>
#include <QTimerEvent>

#include "oxa/core/font_collection.h"
#include "oxa/core/manager.h"

namespace OXA {
namespace {
constexpr int kMaxWidth = 256;
constexpr int kDelayMs = 500;
QFont TipFont() { return MakeFont(nullptr, 12, 0); }
}  // namespace

TooltipWindow::TooltipWindow(QWindow* owner) : QWindow(), m_owner(owner)
{
    setFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
    setSurfaceType(QSurface::RasterSurface);
    if (owner)
        setTransientParent(owner);
}

TooltipWindow::~TooltipWindow() = default;

void TooltipWindow::Activate(const CString& text)
{
    if (text.isEmpty()) {
        Deactivate();
        return;
    }
    m_text = text;
    m_active = true;
    m_delay.start(kDelayMs, this);
}

void TooltipWindow::Deactivate()
{
    m_active = false;
    m_text.clear();
    m_delay.stop();
    hide();
}

void TooltipWindow::RelayMove()
{
    if (m_active && !isVisible())
        m_delay.start(kDelayMs, this);
}

void TooltipWindow::Render()
{
    const QFont font = TipFont();
    const QFontMetrics fm(font);
    const QRect textRect = fm.boundingRect(QRect(0, 0, kMaxWidth - 8, 10000), Qt::TextWordWrap, m_text);
    resize(textRect.width() + 8, textRect.height() + 6);
    setPosition(QCursor::pos() + QPoint(12, 20));
    if (!m_store)
        m_store = std::make_unique<QBackingStore>(this);
    m_store->resize(size());
    const QRect all(QPoint(0, 0), size());
    m_store->beginPaint(all);
    if (QPaintDevice* dev = m_store->paintDevice()) {
        QPainter p(dev);
        p.fillRect(all, QColor(0xF5, 0xF5, 0xF5));
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(all.adjusted(0, 0, -1, -1));
        p.setFont(font);
        p.setPen(QColor(0x05, 0x05, 0x05));
        p.drawText(all.adjusted(4, 3, -4, -3), Qt::TextWordWrap, m_text);
    }
    m_store->endPaint();
    m_store->flush(all);
}

bool TooltipWindow::event(QEvent* e)
{
    if (e->type() == QEvent::Timer && static_cast<QTimerEvent*>(e)->timerId() == m_delay.timerId()) {
        m_delay.stop();
        if (m_active && !m_text.isEmpty()) {
            show();
            Render();
        }
        return true;
    }
    if (e->type() == QEvent::Expose && isExposed() && m_active) {
        Render();
        return true;
    }
    return QWindow::event(e);
}

}  // namespace OXA
