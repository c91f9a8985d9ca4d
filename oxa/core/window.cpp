#include "oxa/core/window.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>

#include "oxa/core/library_resources.h"
#include "oxa/core/message_loop.h"
#include "oxa/core/native_window.h"
#include "oxa/core/ui_lock.h"

namespace OXA {

MWindow::MWindow() = default;

MWindow::~MWindow()
{
    if (m_hWnd)
        DestroyWindow();
}

const char16_t* MWindow::GetWindowClassName() const { return u"MWindow"; }
const char16_t* MWindow::GetSuperClassName() const { return nullptr; }

void MWindow::ShowWindow(int showCommand)
{
    if (!m_hWnd)
        return;
    UiLock ui;
    NativeWindow* w = m_hWnd;
    switch (showCommand) {
    case SW_HIDE:
        w->hide();
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        w->showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        w->showMaximized();
        break;
    case SW_RESTORE:
        w->showNormal();
        break;
    default:
        if (w->IsMinimized())
            w->showNormal();
        else
            w->show();
        break;
    }
}

long MWindow::OnWindowMessage(unsigned msg, unsigned wParam, long lParam)
{
    return DefWindowProc(msg, wParam, lParam);
}

int MWindow::PreTranslateMessage(MSG*) { return 0; }
int MWindow::OnInitDialog() { return 1; }
void MWindow::OnDestroyMessage(HWND) {}

HWND MWindow::Create(HWND parent, const CString& title, unsigned long style, unsigned long exStyle, CRect rect)
{
    if (m_hWnd)
        return m_hWnd;
    if (!QGuiApplication::instance())
        return nullptr;
    UiLock ui;
    m_hWndParent = parent;
    auto* w = new NativeWindow(this);
    m_hWnd = w;
    CREATESTRUCT cs;
    cs.title = title;
    cs.style = style;
    cs.exStyle = exStyle;
    cs.rect = rect;
    cs.parent = parent;
    w->SetStyles(style, exStyle);
    if (style & WS_CHILD) {
        if (parent)
            w->setParent(parent);
    } else if (parent) {
        w->setTransientParent(parent);
    }
    w->setTitle(title);
    w->setGeometry(rect.ToQRect().isEmpty() ? QRect(rect.left, rect.top, 1, 1) : rect.ToQRect());
    w->Dispatch(WM_NCCREATE, 0, reinterpret_cast<long>(&cs));
    if (!m_hWnd)
        return nullptr;
    w->Dispatch(WM_CREATE, 0, reinterpret_cast<long>(&cs));
    if (!m_hWnd)
        return nullptr;
    // OnCreate may have changed the styles; they decide the window flags.
    w->SetStyles(w->Style(), w->ExStyle());
    w->Dispatch(WM_SIZE, SIZE_RESTORED, MAKELONG(rect.Width(), rect.Height()));
    w->SetRoundRegion(true);
    OnInitDialog();
    if (m_hWnd && (m_hWnd->Style() & WS_VISIBLE))
        ShowWindow(SW_SHOW);
    return m_hWnd;
}

HWND MWindow::Create(HWND parent)
{
    return Create(parent, u"VOVudizi"_qs, 0x80B, 0, CRect(0, 0, 800, 600));
}

HWND MWindow::Create(HWND parent, CRect rect) { return Create(parent, u"VOVudizi"_qs, 0x80B, 0, rect); }

unsigned MWindow::ShowModal(int showCommand)
{
    if (!m_hWnd)
        return 0xFFFFFFFFu;
    HWND owner = m_hWndParent;
    if (owner && !NativeWindow::IsLive(owner))
        owner = nullptr;
    ShowWindow(showCommand);
    if (owner)
        owner->SetInputEnabled(false);
    m_modalResult = 0;
    QEventLoop loop;
    m_modalLoop = &loop;
    int quitCode = 0;
    bool quit = false;
    if (m_hWnd)
        quit = MessageLoop::Run(loop, [this](MSG* msg) { return PreTranslateMessage(msg); }, &quitCode);
    m_modalLoop = nullptr;
    if (owner && NativeWindow::IsLive(owner)) {
        owner->SetInputEnabled(true);
        owner->requestActivate();
    }
    if (quit)
        MessageLoop::PostQuit(quitCode);
    return m_modalResult;
}

void MWindow::CenterWindow(MWindow* reference)
{
    if (!m_hWnd)
        return;
    NativeWindow* w = m_hWnd;
    QWindow* ref = reference ? reference->m_hWnd : nullptr;
    if (!reference)
        ref = w->parent() ? w->parent() : w->transientParent();
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 720);
    QRect over = work;
    if (ref && ref->isVisible() && !(ref->windowStates() & Qt::WindowMinimized))
        over = ref->frameGeometry();
    QRect g = w->frameGeometry();
    int x = over.x() + (over.width() - g.width()) / 2;
    int y = over.y() + (over.height() - g.height()) / 2;
    // Back inside the work area: right/bottom first, then left/top.
    if (x + g.width() > work.right() + 1)
        x = work.right() + 1 - g.width();
    if (y + g.height() > work.bottom() + 1)
        y = work.bottom() + 1 - g.height();
    if (x < work.x())
        x = work.x();
    if (y < work.y())
        y = work.y();
    w->setFramePosition(QPoint(x, y));
}

void MWindow::SetIcon(unsigned resourceId)
{
    // An icon the program registered as a resource (any picture format).
    for (const char16_t* type : {u"ICON", u"ICO", u"PNG"}) {
        QImage icon;
        if (icon.loadFromData(ProgramResource(resourceId, QString::fromUtf16(type)))) {
            SetIcon(icon);
            return;
        }
    }
}

void MWindow::SetIcon(const QImage& icon)
{
    if (m_hWnd && !icon.isNull())
        m_hWnd->setIcon(QIcon(QPixmap::fromImage(icon)));
}

void MWindow::BringToTop()
{
    if (!m_hWnd)
        return;
    if (m_hWnd->IsMinimized())
        m_hWnd->showNormal();
    else
        m_hWnd->show();
    m_hWnd->raise();
    m_hWnd->requestActivate();
}

unsigned long MWindow::GetStyle() const { return m_hWnd ? m_hWnd->Style() : 0; }
unsigned long MWindow::GetExStyle() const { return m_hWnd ? m_hWnd->ExStyle() : 0; }

int MWindow::ModifyStyle(unsigned long remove, unsigned long add)
{
    if (!m_hWnd)
        return 0;
    m_hWnd->SetStyles((m_hWnd->Style() & ~remove) | add, m_hWnd->ExStyle());
    return 1;
}

int MWindow::ModifyExStyle(unsigned long remove, unsigned long add)
{
    if (!m_hWnd)
        return 0;
    m_hWnd->SetStyles(m_hWnd->Style(), (m_hWnd->ExStyle() & ~remove) | add);
    return 1;
}

CRect MWindow::GetClientRect() const
{
    if (!m_hWnd)
        return CRect();
    return CRect(0, 0, m_hWnd->width(), m_hWnd->height());
}

CRect MWindow::GetWindowRect() const
{
    if (!m_hWnd)
        return CRect();
    return CRect::FromQRect(m_hWnd->frameGeometry());
}

int MWindow::SetWindowTextW(const CString& text)
{
    if (!m_hWnd)
        return 0;
    m_hWnd->setTitle(text);
    return 1;
}

CString MWindow::GetWindowTextW() const { return m_hWnd ? m_hWnd->title() : CString(); }
int MWindow::GetWindowTextLengthW() const { return m_hWnd ? int(m_hWnd->title().size()) : 0; }

int MWindow::EnableWindow(int enable)
{
    if (!m_hWnd)
        return 0;
    const int wasDisabled = m_hWnd->IsInputEnabled() ? 0 : 1;
    m_hWnd->SetInputEnabled(enable != 0);
    return wasDisabled;
}

int MWindow::IsWindowEnabled() const { return m_hWnd && m_hWnd->IsInputEnabled() ? 1 : 0; }
int MWindow::IsWindowVisible() const { return m_hWnd && m_hWnd->isVisible() ? 1 : 0; }
int MWindow::IsIconic() const { return m_hWnd && m_hWnd->IsMinimized() ? 1 : 0; }
int MWindow::IsZoomed() const { return m_hWnd && (m_hWnd->windowStates() & Qt::WindowMaximized) ? 1 : 0; }

int MWindow::InvalidateRect(const CRect* rect, int)
{
    if (!m_hWnd)
        return 0;
    if (rect)
        m_hWnd->Invalidate(rect->ToQRect());
    else
        m_hWnd->InvalidateAll();
    return 1;
}

int MWindow::SetCapture()
{
    if (!m_hWnd)
        return 0;
    m_hWnd->SetCapture(true);
    return 1;
}

int MWindow::ReleaseCapture()
{
    if (!m_hWnd)
        return 0;
    m_hWnd->SetCapture(false);
    return 1;
}

int MWindow::SetFocus()
{
    if (!m_hWnd)
        return 0;
    m_hWnd->requestActivate();
    return 1;
}

unsigned MWindow::SetTimer(unsigned id, unsigned elapse)
{
    if (!m_hWnd)
        return 0;
    return m_hWnd->StartTimer(id, elapse) ? id : 0;
}

int MWindow::KillTimer(unsigned id) { return m_hWnd && m_hWnd->StopTimer(id) ? 1 : 0; }

CPoint MWindow::ClientToScreen(CPoint pt) const
{
    return m_hWnd ? CPoint::FromQPoint(m_hWnd->ToScreen(pt.ToQPoint())) : pt;
}

CPoint MWindow::ScreenToClient(CPoint pt) const
{
    return m_hWnd ? CPoint::FromQPoint(m_hWnd->FromScreen(pt.ToQPoint())) : pt;
}

int MWindow::SetWindowPos(int x, int y, int width, int height, int move, int size)
{
    if (!m_hWnd)
        return 0;
    if (move)
        m_hWnd->setFramePosition(QPoint(x, y));
    if (size && width > 0 && height > 0)
        m_hWnd->resize(width, height);
    return 1;
}

int MWindow::MoveWindow(int x, int y, int width, int height) { return SetWindowPos(x, y, width, height); }

int MWindow::DestroyWindow()
{
    if (!m_hWnd)
        return 0;
    UiLock ui;
    NativeWindow* w = m_hWnd;
    w->Dispatch(WM_DESTROY, 0, 0);
    w->hide();
    w->Dispatch(WM_NCDESTROY, 0, 0);
    w->DetachOwner();
    m_hWnd = nullptr;
    w->deleteLater();
    return 1;
}

long MWindow::SendMessageW(unsigned msg, unsigned wParam, long lParam)
{
    if (!m_hWnd)
        return 0;
    return m_hWnd->Dispatch(msg, wParam, lParam);
}

int MWindow::PostMessageW(unsigned msg, unsigned wParam, long lParam)
{
    return NativeWindow::PostTo(m_hWnd, msg, wParam, lParam) ? 1 : 0;
}

long MWindow::DefWindowProc(unsigned msg, unsigned wParam, long lParam)
{
    switch (msg) {
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION && m_hWnd)
            m_hWnd->BeginCaptionDrag();
        return 0;
    case WM_PAINT:
        if (m_hWnd)
            m_hWnd->TakeUpdateRect();
        return 0;
    default:
        return 0;
    }
}

long MWindow::WindowProc(unsigned msg, unsigned wParam, long lParam)
{
    if (msg == WM_CLOSE && m_modalLoop)
        m_modalResult = wParam;  // the result of the modal run
    if (msg != WM_NCDESTROY)
        return OnWindowMessage(msg, wParam, lParam);
    HWND hwnd = m_hWnd;
    const long result = OnWindowMessage(msg, wParam, lParam);
    m_hWnd = nullptr;
    if (m_modalLoop)
        m_modalLoop->exit(0);
    OnDestroyMessage(hwnd);
    return result;
}

}  // namespace OXA
