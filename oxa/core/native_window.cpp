#include "oxa/core/native_window.h"

#include <QBackingStore>
#include <QCursor>
#include <atomic>
#include <cstdlib>
#include <QCoreApplication>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleHints>
#include <QTimerEvent>
#include <QUrl>
#include <QWheelEvent>
#include <set>

#include "oxa/core/control.h"
#include "oxa/core/dialog.h"
#include "oxa/core/message_loop.h"
#include "oxa/core/race_annotations.h"
#include "oxa/core/ui_lock.h"
#include "oxa/core/virtual_keys.h"
#include "oxa/core/window.h"

namespace OXA {
namespace {

const QEvent::Type kPostedMessage = QEvent::Type(QEvent::registerEventType());
const QEvent::Type kPaintRequest = QEvent::Type(QEvent::registerEventType());

class PostedMessageEvent : public QEvent {
public:
    PostedMessageEvent(unsigned msg, unsigned wParam, long lParam)
        : QEvent(kPostedMessage), m_msg(msg), m_wParam(wParam), m_lParam(lParam)
    {
    }
    unsigned m_msg;
    unsigned m_wParam;
    long m_lParam;
};

// Windows alive, for posting from other threads.
std::mutex& LiveMutex()
{
    static std::mutex mutex;
    return mutex;
}
std::set<const NativeWindow*>& LiveWindows()
{
    static std::set<const NativeWindow*> windows;
    return windows;
}

std::atomic<int> g_modifiers{0};

unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    unsigned flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (mods & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

long PackPoint(QPoint p) { return MAKELONG(p.x(), p.y()); }

}  // namespace

int CurrentKeyboardModifiers() { return g_modifiers.load(); }

NativeWindow::NativeWindow(MWindow* owner) : QWindow(), m_owner(owner)
{
    setSurfaceType(QSurface::RasterSurface);
    std::lock_guard<std::mutex> lock(LiveMutex());
    LiveWindows().insert(this);
}

NativeWindow::~NativeWindow()
{
    std::lock_guard<std::mutex> lock(LiveMutex());
    LiveWindows().erase(this);
}

bool NativeWindow::IsLive(HWND hwnd)
{
    if (!hwnd)
        return false;
    std::lock_guard<std::mutex> lock(LiveMutex());
    return LiveWindows().count(hwnd) != 0 && hwnd->m_owner != nullptr;
}

bool NativeWindow::PostTo(HWND hwnd, unsigned msg, unsigned wParam, long lParam)
{
    if (!hwnd)
        return false;
    std::lock_guard<std::mutex> lock(LiveMutex());
    if (!LiveWindows().count(hwnd))
        return false;
    auto* event = new PostedMessageEvent(msg, wParam, lParam);
    RaceRelease(event);
    QCoreApplication::postEvent(hwnd, event);
    return true;
}

long NativeWindow::Dispatch(unsigned msg, unsigned wParam, long lParam)
{
    if (!m_owner)
        return 0;
    UiLock ui;
    return m_owner->WindowProc(msg, wParam, lParam);
}

void NativeWindow::SetStyles(unsigned long style, unsigned long exStyle)
{
    m_style = style;
    m_exStyle = exStyle;
    if (style & WS_CHILD)
        return;
    Qt::WindowFlags flags = (exStyle & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Window;
    if ((style & WS_CAPTION) != WS_CAPTION)
        flags |= Qt::FramelessWindowHint;
    if (exStyle & WS_EX_TOPMOST)
        flags |= Qt::WindowStaysOnTopHint;
    if (exStyle & WS_EX_NOACTIVATE)
        flags |= Qt::WindowDoesNotAcceptFocus;
    if (exStyle & WS_EX_TRANSPARENT)
        flags |= Qt::WindowTransparentForInput;
    if (flags != this->flags())
        setFlags(flags);
}

void NativeWindow::Invalidate(const QRect& rect)
{
    // Clipped to the client area when taken: the size is read on the UI
    // thread only.
    const QRect r = rect.intersected(QRect(0, 0, 1 << 20, 1 << 20));
    if (r.isEmpty())
        return;
    std::lock_guard<std::mutex> lock(m_regionMutex);
    m_updateRegion += r;
    if (!m_paintPosted) {
        m_paintPosted = true;
        // Low priority: painting waits until the queued input is handled.
        auto* event = new QEvent(kPaintRequest);
        RaceRelease(event);
        QCoreApplication::postEvent(this, event, Qt::LowEventPriority);
    }
}

void NativeWindow::InvalidateAll() { Invalidate(QRect(0, 0, 1 << 20, 1 << 20)); }

QRect NativeWindow::TakeUpdateRect()
{
    std::lock_guard<std::mutex> lock(m_regionMutex);
    const QRect r = m_updateRegion.boundingRect().intersected(QRect(QPoint(0, 0), size()));
    m_updateRegion = QRegion();
    return r;
}

bool NativeWindow::HasUpdate() const
{
    std::lock_guard<std::mutex> lock(m_regionMutex);
    return !m_updateRegion.isEmpty();
}

void NativeWindow::Present(const QImage& surface, const QRect& rect)
{
    if (m_colorKeyEnabled)
        UpdateMask(&surface);
    if (!isVisible() || !isExposed() || rect.isEmpty())
        return;
    if (!m_backingStore)
        m_backingStore = std::make_unique<QBackingStore>(this);
    if (m_backingStore->size() != size())
        m_backingStore->resize(size());
    const QRect r = rect.intersected(QRect(QPoint(0, 0), size()));
    if (r.isEmpty())
        return;
    m_backingStore->beginPaint(QRegion(r));
    QPaintDevice* device = m_backingStore->paintDevice();
    if (device) {
        QPainter p(device);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(r.topLeft(), surface, r);
    }
    m_backingStore->endPaint();
    m_backingStore->flush(QRegion(r));
}

void NativeWindow::PaintNow()
{
    {
        std::lock_guard<std::mutex> lock(m_regionMutex);
        m_paintPosted = false;
        if (m_updateRegion.isEmpty())
            return;
    }
    Dispatch(WM_PAINT, 0, 0);
}

bool NativeWindow::StartTimer(unsigned id, unsigned milliseconds)
{
    StopTimer(id);
    const int qtId = startTimer(int(std::max(1u, milliseconds)));
    if (qtId == 0)
        return false;
    m_timers[id] = qtId;
    m_timerIds[qtId] = id;
    return true;
}

bool NativeWindow::StopTimer(unsigned id)
{
    auto it = m_timers.find(id);
    if (it == m_timers.end())
        return false;
    killTimer(it->second);
    m_timerIds.erase(it->second);
    m_timers.erase(it);
    return true;
}

void NativeWindow::TrackMouse(int hoverMilliseconds)
{
    m_tracking = true;
    m_hoverMs = hoverMilliseconds;
    if (hoverMilliseconds > 0)
        m_hoverTimer.start(hoverMilliseconds, this);
}

void NativeWindow::SetCapture(bool capture)
{
    m_capture = capture;
    setMouseGrabEnabled(capture);
}

void NativeWindow::BeginCaptionDrag()
{
    // The window manager moves the window when it can; otherwise (no window
    // manager, as under a bare X server) the window follows the mouse itself.
    if (startSystemMove())
        return;
    m_dragging = true;
    m_dragStartGlobal = QCursor::pos();
    m_dragStartPos = framePosition();
}

void NativeWindow::SetPerPixelAlpha(bool enabled)
{
    if (enabled == m_perPixelAlpha)
        return;
    m_perPixelAlpha = enabled;
    QSurfaceFormat f = format();
    f.setAlphaBufferSize(enabled ? 8 : 0);
    if (handle()) {
        // The surface format only applies to a new platform window.
        const bool shown = isVisible();
        destroy();
        m_backingStore.reset();
        setFormat(f);
        create();
        if (shown)
            show();
    } else {
        setFormat(f);
    }
    InvalidateAll();
}

void NativeWindow::SetColorKey(bool enabled, COLORREF key)
{
    m_colorKeyEnabled = enabled;
    m_colorKey = key;
    if (!enabled) {
        m_colorKeyRegion = QRegion();
        UpdateMask(nullptr);
    }
    InvalidateAll();
}

void NativeWindow::SetRoundRegion(bool enabled)
{
    m_roundRegion = enabled;
    UpdateMask(nullptr);
}

void NativeWindow::UpdateMask(const QImage* surface)
{
    if (surface && m_colorKeyEnabled) {
        // Pixels of the key colour are cut out of the window's shape.
        const QRgb key = qRgb(GetRValue(m_colorKey), GetGValue(m_colorKey), GetBValue(m_colorKey));
        QRegion region;
        for (int y = 0; y < surface->height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(surface->constScanLine(y));
            int start = -1;
            for (int x = 0; x <= surface->width(); ++x) {
                const bool keep = x < surface->width() && (row[x] & 0xFFFFFF) != (key & 0xFFFFFF);
                if (keep && start < 0)
                    start = x;
                if (!keep && start >= 0) {
                    region += QRect(start, y, x - start, 1);
                    start = -1;
                }
            }
        }
        m_colorKeyRegion = region;
    }
    QRegion mask;
    if (m_roundRegion && width() > 4 && height() > 4) {
        QPainterPath path;
        path.addRoundedRect(QRectF(2, 2, width() - 2, height() - 2), 10, 10);
        mask = QRegion(path.toFillPolygon().toPolygon());
    }
    if (m_colorKeyEnabled && surface)
        mask = mask.isEmpty() ? m_colorKeyRegion : mask.intersected(m_colorKeyRegion);
    // Platforms without window shapes (offscreen) would only warn.
    static const bool shapes = QGuiApplication::platformName() != u"offscreen"_qs;
    if (shapes)
        setMask(mask);
}

bool NativeWindow::IsMinimized() const { return windowStates() & Qt::WindowMinimized; }

void NativeWindow::DispatchInput(unsigned msg, unsigned wParam, long lParam)
{
    if (!m_owner)
        return;
    MSG m;
    m.hwnd = this;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    {
        UiLock ui;
        if (MessageLoop::FilterMessage(&m))
            return;
    }
    Dispatch(m.message, m.wParam, m.lParam);
}

void NativeWindow::HandleMouse(QEvent* e)
{
    auto* me = static_cast<QMouseEvent*>(e);
    g_modifiers = int(me->modifiers());
    const QPoint pos = me->position().toPoint();
    const unsigned flags = MouseFlags(me->buttons(), me->modifiers());
    if (m_dragging) {
        if (e->type() == QEvent::MouseMove) {
            setFramePosition(m_dragStartPos + (me->globalPosition().toPoint() - m_dragStartGlobal));
        } else if (e->type() == QEvent::MouseButtonRelease) {
            m_dragging = false;
        }
        return;
    }
    if (!m_inputEnabled)
        return;
    switch (e->type()) {
    case QEvent::MouseMove:
        if (m_tracking && m_hoverMs > 0)
            m_hoverTimer.start(m_hoverMs, this);
        DispatchInput(WM_MOUSEMOVE, flags, PackPoint(pos));
        break;
    case QEvent::MouseButtonPress: {
        const int button = int(me->button());
        const auto* hints = QGuiApplication::styleHints();
        const unsigned long long now = me->timestamp();
        const QPoint d = pos - m_lastPressPos;
        const int dist = hints ? hints->startDragDistance() : 4;
        const bool dbl = button == m_lastPressButton && now - m_lastPressTime <=
                         (unsigned long long)(hints ? hints->mouseDoubleClickInterval() : 400) &&
                         std::abs(d.x()) <= dist && std::abs(d.y()) <= dist;
        if (dbl) {
            m_lastPressButton = 0;  // a third press is a plain press again
        } else {
            m_lastPressButton = button;
            m_lastPressTime = now;
            m_lastPressPos = pos;
        }
        unsigned msg = 0;
        if (me->button() == Qt::LeftButton)
            msg = dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        else if (me->button() == Qt::RightButton)
            msg = dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
        else if (me->button() == Qt::MiddleButton)
            msg = WM_MBUTTONDOWN;
        if (msg)
            DispatchInput(msg, flags, PackPoint(pos));
        break;
    }
    case QEvent::MouseButtonRelease: {
        unsigned msg = 0;
        if (me->button() == Qt::LeftButton)
            msg = WM_LBUTTONUP;
        else if (me->button() == Qt::RightButton)
            msg = WM_RBUTTONUP;
        else if (me->button() == Qt::MiddleButton)
            msg = WM_MBUTTONUP;
        if (msg)
            DispatchInput(msg, flags, PackPoint(pos));
        break;
    }
    default:  // Qt's own double-click event: detected above instead
        break;
    }
}

void NativeWindow::HandleKey(QEvent* e)
{
    auto* ke = static_cast<QKeyEvent*>(e);
    g_modifiers = int(ke->modifiers());
    if (!m_inputEnabled)
        return;
    const unsigned vk = QtKeyToVirtualKey(ke->key());
    const bool alt = ke->modifiers() & Qt::AltModifier;
    const long lParam = long(ke->isAutoRepeat() ? (1u | (1u << 30)) : 1u) | (long(ke->nativeScanCode() & 0xFF) << 16);
    if (e->type() == QEvent::KeyPress) {
        if (vk)
            DispatchInput(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, lParam);
        if (!alt) {
            for (QChar c : ke->text())
                if (c.unicode() >= 0x20 || c == u'\r' || c == u'\t' || c == u'\b' || c == u'\x1b')
                    DispatchInput(WM_CHAR, c.unicode(), lParam);
        }
    } else if (vk) {
        DispatchInput(alt ? WM_SYSKEYUP : WM_KEYUP, vk, lParam | long(3u << 30));
    }
}

namespace {

// The control holding the keyboard focus of the window's manager, if any.
MControl* FocusControl(MWindow* owner)
{
    auto* dialog = dynamic_cast<MDialog*>(owner);
    return dialog ? dialog->GetPaintManager().GetFocusControl() : nullptr;
}

}  // namespace

void NativeWindow::HandleInputMethod(QEvent* e)
{
    auto* ie = static_cast<QInputMethodEvent*>(e);
    if (!m_inputEnabled)
        return;
    UiLock ui;
    if (MControl* focus = FocusControl(m_owner))
        if (focus->OnInputMethod(ie->commitString(), ie->preeditString()))
            e->accept();
}

void NativeWindow::HandleInputMethodQuery(QEvent* e)
{
    auto* qe = static_cast<QInputMethodQueryEvent*>(e);
    CRect caret;
    int enabled = 0;
    {
        UiLock ui;
        MControl* focus = m_inputEnabled ? FocusControl(m_owner) : nullptr;
        enabled = focus ? focus->GetInputMethodCursor(caret) : 0;
    }
    if (qe->queries() & Qt::ImEnabled)
        qe->setValue(Qt::ImEnabled, enabled != 0);
    if (enabled && (qe->queries() & Qt::ImCursorRectangle))
        qe->setValue(Qt::ImCursorRectangle, QRectF(caret.ToQRect()));
    if (enabled && (qe->queries() & Qt::ImHints))
        qe->setValue(Qt::ImHints, int(Qt::ImhNone));
    qe->accept();
}

void NativeWindow::HandleDrop(QEvent* e)
{
    auto* de = static_cast<QDropEvent*>(e);
    const QMimeData* mime = de->mimeData();
    const bool usable = mime && (mime->hasImage() || mime->hasUrls());
    if (e->type() != QEvent::Drop) {
        if (usable)
            de->acceptProposedAction();
        return;
    }
    if (!usable)
        return;
    de->acceptProposedAction();
    const QPoint pos = de->position().toPoint();
    Dispatch(WM_LBUTTONUP, 0, PackPoint(pos));
    QImage image;
    if (mime->hasImage()) {
        image = qvariant_cast<QImage>(mime->imageData());
    } else {
        const QList<QUrl> urls = mime->urls();
        if (!urls.isEmpty() && urls.first().isLocalFile())
            image.load(urls.first().toLocalFile());
    }
    if (image.isNull())
        return;
    // The handler may return a picture of its own, which is released here.
    const long returned = Dispatch(STM_SETIMAGE, 0, reinterpret_cast<long>(&image));
    if (returned && returned != reinterpret_cast<long>(&image))
        delete reinterpret_cast<QImage*>(returned);
}

bool NativeWindow::event(QEvent* e)
{
    RaceAcquire(e);
    const QEvent::Type type = e->type();
    if (type == kPostedMessage) {
        auto* pm = static_cast<PostedMessageEvent*>(e);
        if (pm->m_msg == WM_PAINT)
            PaintNow();
        else
            Dispatch(pm->m_msg, pm->m_wParam, pm->m_lParam);
        return true;
    }
    if (type == kPaintRequest) {
        PaintNow();
        return true;
    }
    switch (type) {
    case QEvent::Expose:
        if (isExposed()) {
            InvalidateAll();
            PaintNow();
        }
        return true;
    case QEvent::UpdateRequest:
        PaintNow();
        return true;
    case QEvent::Resize:
        if (m_backingStore)
            m_backingStore->resize(size());
        UpdateMask(nullptr);
        InvalidateAll();
        Dispatch(WM_SIZE, IsMinimized() ? SIZE_MINIMIZED : (windowStates() & Qt::WindowMaximized) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                 MAKELONG(width(), height()));
        return true;
    case QEvent::Move:
        Dispatch(WM_MOVE, 0, MAKELONG(x(), y()));
        Dispatch(WM_WINDOWPOSCHANGED, 0, 0);
        return true;
    case QEvent::WindowStateChange:
        Dispatch(WM_SIZE, IsMinimized() ? SIZE_MINIMIZED : (windowStates() & Qt::WindowMaximized) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                 MAKELONG(width(), height()));
        return true;
    case QEvent::Close: {
        e->ignore();
        // Alt+F4 from the window manager: oxa windows are not closed by it.
        if (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier)
            return true;
        PostTo(this, WM_CLOSE, 0, 0);
        return true;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        HandleMouse(e);
        return true;
    case QEvent::Wheel: {
        auto* we = static_cast<QWheelEvent*>(e);
        g_modifiers = int(we->modifiers());
        if (!m_inputEnabled)
            return true;
        const int delta = we->angleDelta().y();
        if (delta == 0)
            return true;
        const unsigned flags = MouseFlags(we->buttons(), we->modifiers());
        DispatchInput(WM_MOUSEWHEEL, (flags & 0xFFFF) | (unsigned(delta & 0xFFFF) << 16),
                      PackPoint(we->globalPosition().toPoint()));
        return true;
    }
    case QEvent::Leave:
        m_hoverTimer.stop();
        if (m_tracking) {
            m_tracking = false;
            Dispatch(WM_MOUSELEAVE, 0, 0);
        }
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        HandleKey(e);
        return true;
    case QEvent::InputMethod:
        HandleInputMethod(e);
        return true;
    case QEvent::InputMethodQuery:
        HandleInputMethodQuery(e);
        return true;
    case QEvent::WindowActivate:
        Dispatch(WM_NCACTIVATE, 1, 0);
        Dispatch(WM_ACTIVATE, WA_ACTIVE, 0);
        return true;
    case QEvent::WindowDeactivate:
        Dispatch(WM_NCACTIVATE, 0, 0);
        Dispatch(WM_ACTIVATE, WA_INACTIVE, 0);
        return true;
    case QEvent::FocusIn:
        Dispatch(WM_SETFOCUS, 0, 0);
        return true;
    case QEvent::FocusOut:
        Dispatch(WM_KILLFOCUS, 0, 0);
        return true;
    case QEvent::Timer: {
        auto* te = static_cast<QTimerEvent*>(e);
        if (te->timerId() == m_hoverTimer.timerId()) {
            m_hoverTimer.stop();
            if (m_tracking) {
                const QPoint p = mapFromGlobal(QCursor::pos());
                Dispatch(WM_MOUSEHOVER, 0, PackPoint(p));
            }
            return true;
        }
        auto it = m_timerIds.find(te->timerId());
        if (it != m_timerIds.end())
            Dispatch(WM_TIMER, it->second, 0);
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        HandleDrop(e);
        return true;
    default:
        return QWindow::event(e);
    }
}

}  // namespace OXA
