#include "oxa/controls/menu_wnd.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "oxa/controls/menu_item.h"
#include "oxa/core/native_window.h"
#include "oxa/core/render.h"

namespace OXA {

namespace {
constexpr int kItemHeight = 35;
constexpr int kSeparatorHeight = 4;
constexpr int kSideMargin = 2;
constexpr int kMinWidth = 300;
}  // namespace

MenuWnd::MenuWnd(MObject* owner) : m_owner(owner) { SetParent(owner); }

HWND MenuWnd::Open(HWND owner, CPoint screenPoint, unsigned message, int width, int border)
{
    m_ownerWnd = owner;
    m_message = message;
    m_at = screenPoint;
    m_width = std::max(kMinWidth, width);
    m_margin = border == 0 ? 2 : 6;
    m_height = 2 * m_margin;
    return MPopupWnd::Create(owner, u"Menu Window"_qs, WS_POPUP, WS_EX_TOOLWINDOW,
                             CRect(m_at.x, m_at.y, m_at.x + m_width, m_at.y + m_height));
}

HWND MenuWnd::Create(HWND owner, CPoint screenPoint, unsigned message, const CString& backgroundImage, int width,
                     int border, enumBackMode mode)
{
    HWND hwnd = Open(owner, screenPoint, message, width, border);
    if (!hwnd)
        return nullptr;
    if (!backgroundImage.isEmpty() && m_manager.LoadBKImage(backgroundImage))
        m_manager.SetBackMode(mode, border);
    ShowWindow(SW_SHOW);
    return hwnd;
}

HWND MenuWnd::Create(HWND owner, CPoint screenPoint, unsigned message, unsigned backgroundId, int width, int border,
                     enumBackMode mode)
{
    HWND hwnd = Open(owner, screenPoint, message, width, border);
    if (!hwnd)
        return nullptr;
    if (backgroundId != 0 && m_manager.LoadBKImage(backgroundId, u"PNG"_qs))
        m_manager.SetBackMode(mode, border);
    ShowWindow(SW_SHOW);
    return hwnd;
}

HWND MenuWnd::Create(HWND owner, CPoint screenPoint, unsigned message)
{
    return Create(owner, screenPoint, message, CString(), kMinWidth, 6, BACK_MODE_NORMAL);
}

MenuItem* MenuWnd::AddItem(const CString& title, unsigned id, int check, int group)
{
    if (!GetSafeHwnd())
        return nullptr;
    auto* item = dynamic_cast<MenuItem*>(CreateControl(u"MenuItem"_qs, id, CRect(), title, 1, 1));
    if (!item)
        return nullptr;
    item->SetCheck(check);
    item->SetGroup(group);
    // Grow to the widest title.
    const int textWidth = MRender::GetTextBounds(item->GetGDIFont(), title).cx;
    m_width = std::max(m_width, textWidth + 40 + 4 + 30);
    return item;
}

MenuItem* MenuWnd::AddMenu(const CString& title, unsigned id, const CString& iconPath, int check, int group)
{
    MenuItem* item = AddItem(title, id, check, group);
    if (!item)
        return nullptr;
    if (!iconPath.isEmpty())
        item->SetIconImage(iconPath, 4);
    Relayout();
    return item;
}

MenuItem* MenuWnd::AddMenu(const CString& title, unsigned id, int iconId, int check, int group)
{
    MenuItem* item = AddItem(title, id, check, group);
    if (!item)
        return nullptr;
    if (iconId > 0)
        item->SetIconImage(unsigned(iconId), 4);
    Relayout();
    return item;
}

MenuItem* MenuWnd::AddSeparator(unsigned id, const CString&)
{
    if (!GetSafeHwnd())
        return nullptr;
    auto* item = dynamic_cast<MenuItem*>(CreateControl(u"MenuItem"_qs, id, CRect(), CString(), 1, 1));
    if (!item)
        return nullptr;
    item->SetSeparator(1);
    Relayout();
    return item;
}

void MenuWnd::Relayout()
{
    int y = m_margin;
    std::lock_guard<std::recursive_mutex> lock(m_manager.ControlsLock());
    for (MControl* c : m_manager.GetControls()) {
        auto* item = dynamic_cast<MenuItem*>(c);
        if (!item || !item->IsVisible())
            continue;
        const int h = item->IsSeparator() ? kSeparatorHeight : kItemHeight;
        item->SetRect(CRect(kSideMargin, y, m_width - kSideMargin, y + h));
        y += h;
    }
    m_height = y + m_margin;
    MoveWindow(m_at.x, m_at.y, m_width, m_height);
    m_manager.Invalidate();
}

MenuItem* MenuWnd::FindItem(const CString& title)
{
    std::lock_guard<std::recursive_mutex> lock(m_manager.ControlsLock());
    for (MControl* c : m_manager.GetControls())
        if (auto* item = dynamic_cast<MenuItem*>(c); item && !item->IsSeparator() && item->GetTitle() == title)
            return item;
    return nullptr;
}

void MenuWnd::SetItemTitle(const CString& title, const CString& newTitle)
{
    if (MenuItem* item = FindItem(title))
        item->SetTitle(newTitle);
}

void MenuWnd::SetItemVisible(const CString& title, int visible)
{
    if (MenuItem* item = FindItem(title)) {
        item->SetVisible(visible);
        Relayout();
    }
}

void MenuWnd::SetItemEnable(const CString& title, int enable)
{
    if (MenuItem* item = FindItem(title))
        item->SetEnabled(enable);
}

void MenuWnd::SetItemCheck(const CString& title, int check)
{
    if (MenuItem* item = FindItem(title))
        item->SetCheck(check);
}

void MenuWnd::Post(unsigned wParam, long lParam)
{
    // The owner may have been closed while the menu was open.
    if (m_ownerWnd && NativeWindow::IsLive(m_ownerWnd))
        NativeWindow::PostTo(m_ownerWnd, m_message, wParam, lParam);
}

long MenuWnd::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam)
{
    auto* item = dynamic_cast<MenuItem*>(m_manager.GetControl(id));
    if (!item)
        return 0;
    if (code == 2) {
        Post(unsigned(std::max(0, item->GetCheck())), long(id));
        CloseWindow();
    } else if (code == 7) {
        if (lParam && item->GetGroup() != 0) {
            // Checking an item of a group unchecks the others.
            std::lock_guard<std::recursive_mutex> lock(m_manager.ControlsLock());
            for (MControl* c : m_manager.GetControls())
                if (auto* other = dynamic_cast<MenuItem*>(c);
                    other && other != item && other->GetGroup() == item->GetGroup() && other->GetCheck() == 1)
                    other->SetCheck(0);
        }
        Post(unsigned(lParam), long(id));
    }
    (void)wParam;
    return 0;
}

void MenuWnd::PostNcDestroy()
{
    if (!m_autoDelete)
        return;
    // Deleted once the destroy message has been handled completely.
    QMetaObject::invokeMethod(QCoreApplication::instance(), [this] { delete this; }, Qt::QueuedConnection);
}

}  // namespace OXA
