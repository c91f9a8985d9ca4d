#pragma once
// Popup menu: a tool window at a screen point holding MenuItem rows. A click
// on an item posts the menu's message to the owner window with wParam = the
// item's check state (0 for plain items) and lParam = the item's id, then
// closes; a press on a check item posts the new state and stays open.
// Nothing is posted when the owner window is gone. The menu deletes itself
// after its window closed.
#include "oxa/core/paint_manager.h"
#include "oxa/core/popup_window.h"

namespace OXA {

class MenuItem;

class OXA_API MenuWnd : public MPopupWnd {
public:
    explicit MenuWnd(MObject* owner);

    HWND Create(HWND owner, CPoint screenPoint, unsigned message, const CString& backgroundImage, int width,
                int border, enumBackMode mode);
    HWND Create(HWND owner, CPoint screenPoint, unsigned message);
    // The background is the program's PNG resource backgroundId.
    HWND Create(HWND owner, CPoint screenPoint, unsigned message, unsigned backgroundId, int width, int border,
                enumBackMode mode);
    MenuItem* AddMenu(const CString& title, unsigned id, const CString& iconPath = CString(), int check = -1,
                      int group = 0);
    // The icon strip (4 frames) is the program's PNG resource iconId (0 for none).
    MenuItem* AddMenu(const CString& title, unsigned id, int iconId, int check, int group);
    MenuItem* AddSeparator(unsigned id, const CString& reserved = CString());
    void SetItemTitle(const CString& title, const CString& newTitle);
    void SetItemVisible(const CString& title, int visible);
    void SetItemEnable(const CString& title, int enable);
    void SetItemCheck(const CString& title, int check);
    MenuItem* FindItem(const CString& title);
    // Whether the window deletes this object once it is destroyed (default).
    void SetAutoDelete(bool autoDelete) { m_autoDelete = autoDelete; }
    int GetMenuWidth() const { return m_width; }
    int GetMenuHeight() const { return m_height; }

    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;

protected:
    void PostNcDestroy() override;

private:
    HWND Open(HWND owner, CPoint screenPoint, unsigned message, int width, int border);
    MenuItem* AddItem(const CString& title, unsigned id, int check, int group);
    void Relayout();
    void Post(unsigned wParam, long lParam);

    MObject* m_owner = nullptr;
    HWND m_ownerWnd = nullptr;
    unsigned m_message = 0;
    CPoint m_at;
    int m_width = 300;
    int m_height = 0;
    int m_margin = 6;
    bool m_autoDelete = true;
};

}  // namespace OXA
