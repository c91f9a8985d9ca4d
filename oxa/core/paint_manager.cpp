#include "oxa/core/paint_manager.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QPainter>
#include <QThread>
#include <algorithm>

#include "oxa/core/control_factory.h"
#include "oxa/core/library_resources.h"
#include "oxa/core/manager.h"
#include "oxa/core/native_window.h"
#include "oxa/core/render.h"
#include "oxa/core/tooltip_window.h"
#include "oxa/core/ui_lock.h"
#include "oxa/core/window.h"

namespace OXA {
namespace {
PaintManager::AirBladderHandler g_airBladder = nullptr;
}

PaintManager::PaintManager()
{
    m_strip.startTimer = [this](unsigned id, unsigned ms) {
        if (m_window)
            m_window->SetTimer(id, ms);
    };
    m_strip.stopTimer = [this](unsigned id) {
        if (m_window)
            m_window->KillTimer(id);
    };
    m_strip.invalidate = [this](CRect rect) { InvalidateRect(rect, 0); };
}

PaintManager::~PaintManager()
{
    DestroyData();
    MTimer::KillTimer();
}

bool PaintManager::OnDrop(const QImage&) { return false; }

void PaintManager::Init(HWND hwnd, MWindow* window)
{
    m_hWnd = hwnd;
    m_window = window;
    m_destroyed = 0;
    m_overlap = 1;
    m_scrollVId = IDR_SCROLL_V;
    m_scrollHId = IDR_SCROLL_H;
    m_fonts.AddFolderFonts(Manager::GetFontFolder());
    AddGDITempFont(IDR_FONT);
}

void PaintManager::DestroyData()
{
    if (m_destroyed)
        return;
    m_destroyed = 1;
    UiLock ui;
    // The balloon lives as long as its manager.
    if (g_airBladder)
        g_airBladder(this, CString(), CPoint(), 0, 0, -1);
    KillMTimer();
    ClearTimers();
    if (m_window) {
        m_window->KillTimer(TIMER_MESSAGE_HOLD);
        m_window->KillTimer(TIMER_MESSAGE_FADE);
        m_window->KillTimer(TIMER_PROGRESS);
        m_window->KillTimer(TIMER_CARET);
    }
    ClearAllControls();
    {
        std::lock_guard<std::recursive_mutex> lock(m_tickLock);
        m_tickControls.clear();
    }
    delete m_tooltipWnd;
    m_tooltipWnd = nullptr;
    m_bkImage = QImage();
    m_surface = QImage();
    ClearImgResInfo();
    ClearTempFont();
    m_hover = m_focus = m_tooltipOwner = m_caretOwner = nullptr;
}

// --- background and window -------------------------------------------------

void PaintManager::SetBackColor(COLORREF back, COLORREF frame)
{
    m_backColor = back;
    m_frameColor = frame;
    Invalidate();
}

void PaintManager::SetBackMode(int mode, int border)
{
    m_backMode = mode;
    m_backBorder = border;
    Invalidate();
}

int PaintManager::LoadBKImage(const CString& relativePath)
{
    m_bkImage = MRender::LoadImage(Manager::GetSkinFolder() + Manager::NormalizePath(relativePath));
    Invalidate();
    return m_bkImage.isNull() ? 0 : 1;
}

int PaintManager::LoadBKImage(unsigned resourceId, const CString& type)
{
    m_bkImage = MRender::LoadImageFromIDResource(resourceId, type, 1);
    Invalidate();
    return m_bkImage.isNull() ? 0 : 1;
}

void PaintManager::SetLayeredWindow(int layered)
{
    m_layered = layered ? 1 : 0;
    if (m_hWnd) {
        m_hWnd->SetPerPixelAlpha(m_layered);
        if (m_layered)
            m_hWnd->SetStyles(m_hWnd->Style(), m_hWnd->ExStyle() | WS_EX_LAYERED);
    }
    Invalidate();
}

CRect PaintManager::GetClientRect() const
{
    return m_window ? m_window->GetClientRect() : CRect();
}

CRect PaintManager::GetWindowRect() const
{
    return m_window ? m_window->GetWindowRect() : CRect();
}

CSize PaintManager::GetClientSize() const { return GetClientRect().Size(); }

void PaintManager::Invalidate()
{
    if (m_hWnd)
        m_hWnd->InvalidateAll();
}

void PaintManager::InvalidateRect(CRect rect, int)
{
    if (!m_hWnd)
        return;
    if (m_layered)
        m_hWnd->InvalidateAll();
    else
        m_hWnd->Invalidate(rect.ToQRect());
}

void PaintManager::SetCapture()
{
    if (m_hWnd)
        m_hWnd->SetCapture(true);
    m_captured = 1;
}

void PaintManager::ReleaseCapture()
{
    if (m_hWnd)
        m_hWnd->SetCapture(false);
    m_captured = 0;
}

long PaintManager::SendMessageW(unsigned msg, unsigned wParam, long lParam)
{
    return m_window ? m_window->SendMessageW(msg, wParam, lParam) : 0;
}

long PaintManager::PostMessageW(unsigned msg, unsigned wParam, long lParam)
{
    return m_window ? m_window->PostMessageW(msg, wParam, lParam) : 0;
}

void PaintManager::SetCursor(int shape)
{
    if (m_hWnd && shape >= 0)
        m_hWnd->setCursor(QCursor(Qt::CursorShape(shape)));
}

// --- control timers ----------------------------------------------------------

unsigned PaintManager::NextControlTimerId()
{
    // Ids are drawn from a counter modulo 240; ids the manager reserves and
    // ids the window already runs are skipped so the spaces never collide.
    for (int tries = 0; tries < 240; ++tries) {
        ++m_timerCounter;
        const unsigned id = m_timerCounter % 240;
        if (id == TIMER_MESSAGE_HOLD || id == TIMER_MESSAGE_FADE || id == TIMER_PROGRESS)
            continue;
        if (m_hWnd && m_hWnd->HasTimer(id))
            continue;
        const bool taken = std::any_of(m_controlTimers.begin(), m_controlTimers.end(),
                                       [id](const ControlTimer& t) { return t.id == id; });
        if (!taken)
            return id;
    }
    return 0xFFFFFFFFu;
}

int PaintManager::SetTimer(MControl* control, unsigned key, unsigned elapse)
{
    if (!control || !m_window || !m_hWnd)
        return 0;
    std::lock_guard<std::recursive_mutex> lock(m_timersLock);
    for (ControlTimer& t : m_controlTimers) {
        if (t.control != control || t.key != key || t.hwnd != m_hWnd)
            continue;
        if (!t.stopped)
            return 0;
        if (!m_window->SetTimer(t.id, elapse) && t.id != 0)
            return 0;
        t.stopped = 0;
        return 1;
    }
    const unsigned id = NextControlTimerId();
    if (id == 0xFFFFFFFFu || !m_hWnd->StartTimer(id, elapse))
        return 0;
    ControlTimer t;
    t.hwnd = m_hWnd;
    t.key = key;
    t.id = id;
    t.control = control;
    m_controlTimers.push_back(t);
    return 1;
}

int PaintManager::KillTimer(MControl* control, unsigned key)
{
    std::lock_guard<std::recursive_mutex> lock(m_timersLock);
    for (ControlTimer& t : m_controlTimers) {
        if (t.control == control && t.key == key) {
            if (m_window)
                m_window->KillTimer(t.id);
            t.stopped = 1;
            return 1;
        }
    }
    return 0;
}

int PaintManager::KillTimer(MControl* control)
{
    std::lock_guard<std::recursive_mutex> lock(m_timersLock);
    int removed = 0;
    for (auto it = m_controlTimers.begin(); it != m_controlTimers.end();) {
        if (it->control == control) {
            if (m_window && !it->stopped)
                m_window->KillTimer(it->id);
            it = m_controlTimers.erase(it);
            ++removed;
        } else {
            ++it;
        }
    }
    return removed;
}

void PaintManager::ClearTimers()
{
    std::lock_guard<std::recursive_mutex> lock(m_timersLock);
    for (const ControlTimer& t : m_controlTimers)
        if (m_window && !t.stopped)
            m_window->KillTimer(t.id);
    m_controlTimers.clear();
}

void PaintManager::OnTimer(unsigned id)
{
    if (m_strip.OnTimer(id))
        return;
    if (id == TIMER_CARET) {
        m_caretPhase = !m_caretPhase;
        if (m_caretShown)
            InvalidateRect(m_caretRect, 0);
        return;
    }
    MControl* owner = nullptr;
    {
        std::lock_guard<std::recursive_mutex> lock(m_timersLock);
        for (const ControlTimer& t : m_controlTimers)
            if (t.id == id && !t.stopped) {
                owner = t.control;
                break;
            }
    }
    if (owner)
        owner->OnTimer();
}

// --- tick --------------------------------------------------------------------

unsigned PaintManager::SetMTimer(unsigned milliseconds)
{
    UiLock ui;  // the tick thread reads the id
    if (m_tickId)
        MTimer::KillTimer(m_tickId);
    m_tickId = MTimer::SetTimer(milliseconds, CString(), 0);
    return m_tickId;
}

void PaintManager::KillMTimer(unsigned id)
{
    UiLock ui;
    if (!m_tickId || (id != 0 && id != m_tickId))
        return;
    MTimer::KillTimer(m_tickId);
    m_tickId = 0;
}

void PaintManager::AddMTimer(MControl* control)
{
    if (!control)
        return;
    std::lock_guard<std::recursive_mutex> lock(m_tickLock);
    if (std::find(m_tickControls.begin(), m_tickControls.end(), control) == m_tickControls.end())
        m_tickControls.push_back(control);
}

void PaintManager::DeleteFSTimer(MControl* control)
{
    std::lock_guard<std::recursive_mutex> lock(m_tickLock);
    m_tickControls.erase(std::remove(m_tickControls.begin(), m_tickControls.end(), control), m_tickControls.end());
}

void PaintManager::OnMTimer(unsigned id)
{
    if (id != m_tickId || m_destroyed)
        return;
    std::lock_guard<std::recursive_mutex> controls(m_controlsLock);
    std::lock_guard<std::recursive_mutex> lock(m_tickLock);
    const size_t count = m_tickControls.size();
    for (size_t i = 0; i < count && i < m_tickControls.size(); ++i) {
        MControl* c = m_tickControls[i];
        if (c->IsRunTimer() && c->IsVisible() && c->IsParentVisible())
            c->OnTimer();
    }
}

// --- focus and tooltip ------------------------------------------------------

void PaintManager::SetFocusControl(MControl* control)
{
    if (control == m_focus)
        return;
    MControl* old = m_focus;
    m_focus = control;
    if (old)
        old->SetControlFocus(0);
    if (control)
        control->SetControlFocus(1);
    UpdateInputMethod();
}

void PaintManager::StoreFocusControl(MControl* control)
{
    if (control == m_focus)
        return;
    m_focus = control;
    UpdateInputMethod();
}

void PaintManager::UpdateInputMethod()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QThread::currentThread() != app->thread())
        return;
    if (QInputMethod* im = QGuiApplication::inputMethod())
        im->update(Qt::ImEnabled | Qt::ImCursorRectangle);
}

MControl* PaintManager::GetNextFocusableControl()
{
    std::lock_guard<std::recursive_mutex> lock(m_controlsLock);
    const size_t n = m_controls.size();
    if (n == 0)
        return nullptr;
    size_t start = 0;
    auto it = std::find(m_controls.begin(), m_controls.end(), m_focus);
    if (it != m_controls.end())
        start = size_t(it - m_controls.begin()) + 1;
    for (size_t k = 0; k < n; ++k) {
        MControl* c = m_controls[(start + k) % n];
        if (c->IsVisible() && c->IsEnabled() && c->IsTabStop())
            return c;
    }
    return nullptr;
}

MControl* PaintManager::GetPrevFocusableControl()
{
    std::lock_guard<std::recursive_mutex> lock(m_controlsLock);
    const size_t n = m_controls.size();
    if (n == 0)
        return nullptr;
    size_t start = n - 1;
    auto it = std::find(m_controls.begin(), m_controls.end(), m_focus);
    if (it != m_controls.end())
        start = (size_t(it - m_controls.begin()) + n - 1) % n;
    for (size_t k = 0; k < n; ++k) {
        MControl* c = m_controls[(start + n - k) % n];
        if (c->IsVisible() && c->IsEnabled() && c->IsTabStop())
            return c;
    }
    return nullptr;
}

void PaintManager::SetTooltip(const CString& text, CRect rect)
{
    m_tooltipText = text;
    m_tooltipRect = rect;
    m_tooltipActive = text.isEmpty() ? 0 : 1;
    if (!m_tooltipWnd && m_hWnd && !text.isEmpty())
        m_tooltipWnd = new TooltipWindow(m_hWnd);
    if (m_tooltipWnd) {
        if (text.isEmpty())
            m_tooltipWnd->Deactivate();
        else
            m_tooltipWnd->Activate(text);
    }
}

void PaintManager::ClearTooltip()
{
    m_tooltipActive = 0;
    m_tooltipText.clear();
    m_tooltipOwnerId = 0;
    m_tooltipOwner = nullptr;
    if (m_tooltipWnd)
        m_tooltipWnd->Deactivate();
}

void PaintManager::SetTooltipOwner(MControl* control)
{
    m_tooltipOwner = control;
    m_tooltipOwnerId = control ? control->GetControlID() : 0;
}

// --- message strip and balloon ----------------------------------------------

void PaintManager::SetMessage(const CString& text, CRect rect, int level) { m_strip.SetMessage(text, rect, level); }

void PaintManager::SetProgress(int percent, const CString& text, CRect rect)
{
    m_strip.SetProgress(percent, text, rect, GetClientRect());
}

void PaintManager::SetAirBladderHandler(AirBladderHandler handler) { g_airBladder = handler; }

void PaintManager::SetAirBladderMsg(const CString& text, CPoint pt, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode)
{
    if (g_airBladder)
        g_airBladder(this, text, pt, type, mode, 1);
}

void PaintManager::ShowAirBladder(int show, int)
{
    if (g_airBladder)
        g_airBladder(this, CString(), CPoint(), 0, 0, show ? 2 : 0);
}

// --- controls ----------------------------------------------------------------

MControl* PaintManager::CreateControl(unsigned kind, MObject* parent, const CString& className, unsigned id,
                                      CRect rect, const CString& title, int visible, int enabled)
{
    MControl* control = CreateDialogControl(className, parent, id, rect, title, visible, enabled);
    if (!control)
        return nullptr;
    control->SetManager(this);
    if (kind == 0)
        AddArea(control);
    else
        AddControl(control);
    return control;
}

void PaintManager::AddControl(MControl* control)
{
    if (!control)
        return;
    std::lock_guard<std::recursive_mutex> lock(m_controlsLock);
    m_controls.push_back(control);
}

void PaintManager::AddArea(MControl* area)
{
    if (!area)
        return;
    std::lock_guard<std::recursive_mutex> lock(m_areasLock);
    m_areas.push_back(area);
}

MControl* PaintManager::GetControl(unsigned id)
{
    for (MControl* c : m_controls) {
        if (c->GetControlID() == id)
            return c;
        if (MControl* found = c->GetControl(id))
            return found;
    }
    for (MControl* a : m_areas) {
        if (a->GetControlID() == id)
            return a;
        if (MControl* found = a->GetControl(id))
            return found;
    }
    return nullptr;
}

int PaintManager::RemoveControl(MControl* control)
{
    if (!control)
        return 0;
    if (m_focus == control) {
        control->SetControlFocus(0);
        m_focus = nullptr;
    }
    bool found = false;
    {
        std::lock_guard<std::recursive_mutex> lock(m_controlsLock);
        auto it = std::find(m_controls.begin(), m_controls.end(), control);
        if (it != m_controls.end()) {
            m_controls.erase(it);
            found = true;
        }
    }
    if (!found) {
        std::lock_guard<std::recursive_mutex> lock(m_areasLock);
        auto it = std::find(m_areas.begin(), m_areas.end(), control);
        if (it != m_areas.end()) {
            m_areas.erase(it);
            found = true;
        }
    }
    if (found)
        delete control;
    return 0;
}

void PaintManager::ClearAllControls()
{
    ClearAreaControls();
    ClearControls();
}

void PaintManager::ClearAreaControls()
{
    std::vector<MControl*> areas;
    {
        std::lock_guard<std::recursive_mutex> lock(m_areasLock);
        areas.swap(m_areas);
    }
    for (MControl* a : areas)
        delete a;
}

void PaintManager::ClearControls()
{
    std::vector<MControl*> controls;
    {
        std::lock_guard<std::recursive_mutex> lock(m_controlsLock);
        controls.swap(m_controls);
    }
    m_hover = nullptr;
    m_focus = nullptr;
    for (MControl* c : controls)
        delete c;
}

void PaintManager::ForgetControl(MControl* control)
{
    if (m_hover == control)
        m_hover = nullptr;
    if (m_focus == control)
        StoreFocusControl(nullptr);
    if (m_tooltipOwner == control) {
        m_tooltipOwner = nullptr;
        m_tooltipOwnerId = 0;
    }
    if (m_caretOwner == control)
        m_caretOwner = nullptr;
    DeleteFSTimer(control);
    KillTimer(control);
    {
        std::lock_guard<std::recursive_mutex> lock(m_controlsLock);
        m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), control), m_controls.end());
    }
    std::lock_guard<std::recursive_mutex> lock(m_areasLock);
    m_areas.erase(std::remove(m_areas.begin(), m_areas.end(), control), m_areas.end());
}

void PaintManager::SetScrollResID(unsigned vertical, unsigned horizontal)
{
    m_scrollVId = vertical;
    m_scrollHId = horizontal;
}

// --- caret ---------------------------------------------------------------------

void PaintManager::CreateCaret(MControl* owner, int width, int height)
{
    m_caretOwner = owner;
    m_caretRect = CRect(m_caretRect.left, m_caretRect.top, m_caretRect.left + width, m_caretRect.top + height);
}

void PaintManager::ShowCaret(int show)
{
    m_caretShown = show ? 1 : 0;
    m_caretPhase = 1;
    if (m_window) {
        if (show)
            m_window->SetTimer(TIMER_CARET, 500);
        else
            m_window->KillTimer(TIMER_CARET);
    }
    InvalidateRect(m_caretRect, 0);
}

void PaintManager::SetCaretPos(CPoint pt)
{
    InvalidateRect(m_caretRect, 0);
    m_caretRect = CRect(pt.x, pt.y, pt.x + m_caretRect.Width(), pt.y + m_caretRect.Height());
    m_caretPhase = 1;
    InvalidateRect(m_caretRect, 0);
}

void PaintManager::DrawCaret(HDC& hdc)
{
    if (!m_caretShown || !m_caretPhase || !hdc.painter || m_caretRect.IsRectEmpty())
        return;
    hdc.painter->fillRect(m_caretRect.ToQRect(), QColor(0xE6, 0xE6, 0xE6));
}

// --- resources -----------------------------------------------------------------

ImgResInfo* PaintManager::AddImgResInfo(const CString& path, int frames) { return m_images.Add(path, frames); }

ImgResInfo* PaintManager::AddImgResInfo(unsigned id, const CString& type, int frames, int module)
{
    return m_images.Add(id, type, frames, module);
}

void PaintManager::ClearImgResInfo() { m_images.Clear(); }

const FontFamily* PaintManager::AddTempFont(const CString& face, const CString& file)
{
    return m_fonts.AddTempFont(face, file);
}

const FontFamily* PaintManager::AddTempFont(const CString& face, unsigned resourceId)
{
    return m_fonts.AddTempFont(face, resourceId);
}

const FontFamily* PaintManager::FindTempFont(const CString& face) { return m_fonts.FindTempFont(face); }
int PaintManager::AddGDITempFont(unsigned resourceId) { return m_fonts.AddGDITempFont(resourceId); }
void PaintManager::ClearTempFont() { m_fonts.Clear(); }

// --- repaint requests ----------------------------------------------------------

long PaintManager::OnControlUpdate(CRect rect, int redraw, MControl* control)
{
    if (redraw && control)
        control->SetUpdate(0, m_backColor);
    if (m_overlap && control) {
        // Later areas and controls meeting the rect copied the old pixels
        // under them: they render again and are repainted too.
        // Lock order everywhere: controls, then areas.
        std::lock_guard<std::recursive_mutex> controls(m_controlsLock);
        std::lock_guard<std::recursive_mutex> areas(m_areasLock);
        bool after = false;
        auto widen = [&](MControl* c) {
            if (c == control) {
                after = true;
                return;
            }
            if (after && c->IsVisible() && c->GetRect().Intersects(rect)) {
                c->SetUpdate(0, m_backColor);
                rect = rect.United(c->GetRect());
            }
        };
        for (MControl* a : m_areas)
            widen(a);
        for (MControl* c : m_controls)
            widen(c);
    }
    InvalidateRect(rect, 0);
    return 0;
}

}  // namespace OXA
