#pragma once
#include <atomic>
// A windowless rectangle with children: geometry, visibility, the parent
// chain for notifications and repaint requests, event routing and the cached
// rendering every stateful control uses.
#include <QImage>
#include <mutex>
#include <vector>

#include "oxa/core/object.h"
#include "oxa/core/paint_dc.h"

namespace OXA {

class PaintManager;

class OXA_API MControl : public MObject {
public:
    MControl(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1, int mouseResponse = 1);
    ~MControl() override;
    MControl(const MControl&) = delete;
    MControl& operator=(const MControl&) = delete;

    const char16_t* GetClassNameW() const override;

    // --- virtual operations a concrete control overrides -------------------
    virtual void InitControl(PaintManager* manager);
    virtual int PtInRect(CPoint pt);
    virtual void DrawControl(HDC& hdc, CRect paint) = 0;
    virtual int DrawSubControls(HDC& hdc, CRect paint);
    virtual int IsDraw(CPoint pt);
    virtual void SetUpdate(int update, unsigned long backColor = 0);
    virtual int SetControlFocus(int focus);
    virtual void InitUI(CRect rect);
    virtual int OnMousePointChange(CPoint& pt);
    virtual int OnCheckMouseResponse(unsigned flags, CPoint pt);
    virtual long OnWindowMessage(unsigned msg, unsigned wParam, long lParam);
    virtual long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam);
    virtual void SetControlRect(CRect rect);
    virtual void SetControlVisible(int visible);
    virtual void SetControlWndVisible(int visible);
    virtual void SetControlEnabled(int enabled);
    virtual int OnControlTimer();
    virtual QImage GetControlDropBitmap();
    virtual int OnControlMouseMove(unsigned flags, CPoint pt);
    virtual int OnControlSetCursor(unsigned flags, CPoint pt);
    virtual int OnControlLButtonDown(unsigned flags, CPoint pt);
    virtual int OnControlLButtonUp(unsigned flags, CPoint pt);
    virtual int OnControlLButtonDblClk(unsigned flags, CPoint pt);
    virtual int OnControlScroll(int kind, unsigned down, CPoint pt);
    virtual int OnControlRButtonDown(unsigned flags, CPoint pt);
    virtual int OnControlRButtonUp(unsigned flags, CPoint pt);
    virtual int OnControlRButtonDblClk(unsigned flags, CPoint pt);
    virtual int OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifiers);
    // Input-method composition sent to the focused control: commit is text
    // to insert, preedit the text still being composed. 1 when taken.
    virtual int OnInputMethod(const CString& commit, const CString& preedit);
    // 1 while the control takes input-method text; rect receives its caret
    // in window coordinates (where the candidate list is placed).
    virtual int GetInputMethodCursor(CRect& rect);
    virtual void OnPositionChange();
    virtual void InvalidateRect(const CRect* rect, int erase);

    // --- routing (calls the handlers above) ---------------------------------
    int OnMouseMove(unsigned flags, CPoint pt);
    int OnLButtonDown(unsigned flags, CPoint pt);
    int OnLButtonUp(unsigned flags, CPoint pt);
    int OnLButtonDblClk(unsigned flags, CPoint pt);
    int OnRButtonDown(unsigned flags, CPoint pt);
    int OnRButtonUp(unsigned flags, CPoint pt);
    int OnRButtonDblClk(unsigned flags, CPoint pt);
    int OnScroll(int kind, unsigned down, CPoint pt);
    int OnKeyDown(unsigned vk, unsigned repeat, unsigned modifiers);
    int OnKeyUp(unsigned vk, unsigned repeat, unsigned modifiers);
    int OnTimer();
    // Paints areas, the control and its children when it meets paint.
    void Draw(HDC& hdc, CRect paint);

    // --- identity and parent chain ------------------------------------------
    MObject* GetParantObject() const { return m_parent; }
    void SetParent(MObject* parent) { m_parent = parent; }
    PaintManager* GetManager() const { return m_manager; }
    void SetManager(PaintManager* manager);
    unsigned GetControlID() const { return m_id; }
    // Calls the parent's OnBaseMessage with this control's id.
    long SendMessageW(unsigned code, unsigned wParam, long lParam);

    // --- geometry and state --------------------------------------------------
    CRect GetRect() const { return m_rect; }
    void SetRect(CRect rect);
    void SetRect(int x, int y, int width, int height);
    int IsVisible() const { return m_visible; }
    void SetVisible(int visible);
    void SetVisible(int visible, int repaint);
    int IsEnabled() const { return m_enabled; }
    void SetEnabled(int enabled);
    int IsParentVisible() const;
    int IsDragDrop() const { return m_dragDrop; }
    void SetDragDrop(int drag) { m_dragDrop = drag; }
    int GetRresponse() const { return m_mouseResponse; }
    void SetRresponse(int response) { m_mouseResponse = response; }
    int IsTabStop() const { return m_tabStop; }
    void SetTabStop(int tabStop) { m_tabStop = tabStop; }
    int GetDblClk() const { return m_dblClk; }
    int IsKeyDown() const { return m_keyDown; }
    int IsFocused() const { return m_focused; }
    int GetUpdate() const { return m_update; }
    int IsRunTimer() const { return m_runTimer; }
    void SetRunTimer(int run) { m_runTimer = run; }
    int UseImageECM() const { return m_imageECM; }
    int IsPressedInside() const { return m_pressedInside; }
    MControl* GetActiveChild() const { return m_activeChild; }

    // --- repaint requests ----------------------------------------------------
    void UpdateControl(int redraw, int force = 0);
    void UpdateAControl(int partial, int force = 0);
    void UpdateControl(CRect rect, int force, int redraw);

    // --- cached rendering ----------------------------------------------------
    // (Re)creates the render cache when its size changed and sets update to 1.
    void UpdateMemDC(HDC& hdc, int width, int height);
    void UpdateAnimateDC(HDC& hdc, int width, int height);
    QImage& GetMemImage() { return m_memImage; }
    QImage& GetAnimateImage() { return m_animateImage; }
    // Copies the window pixels under rect into frame `frame` of the cache.
    void CopyBackgroundToFrame(HDC& hdc, int frame);
    // Copies frame `frame` of the cache onto the window surface at rect.
    void DrawFrameFromCache(HDC& hdc, int frame);

    // --- tree ----------------------------------------------------------------
    MControl* GetControl(unsigned id);
    std::vector<MControl*>& GetControls() { return m_children; }
    std::vector<MControl*>& GetAreas() { return m_areas; }
    // Takes ownership of a constructed child (appended under the lock).
    void AddChild(MControl* child);
    void AddArea(MControl* area);
    int RemoveControl(MControl* control);
    void RemoveAllControl();
    std::recursive_mutex& ChildrenLock() { return m_childrenLock; }
    std::recursive_mutex& AreasLock() { return m_areasLock; }

    // --- focus ---------------------------------------------------------------
    void OnFocus(int focus) { SetControlFocus(focus); }
    int IsFocusControl() const;
    MControl* GetFocusControl() { return nullptr; }
    MControl* GetNextFocusableControl() { return nullptr; }
    MControl* GetPrevFocusableControl() { return nullptr; }

    // --- tooltip, timers, cursor ---------------------------------------------
    CString GetTooltip() const { return m_tooltip; }
    void SetTooltip(const CString& text) { m_tooltip = text; }
    void SetTooltip(const CString& text, CRect rect);
    void ClearTooltip();
    void SetTooltipCtrlID(unsigned) {}
    unsigned GetTooltipCtrlID() const { return 0; }
    void AddMTimer();
    int SetCursorEx(const CString& name);
    int GetCursorShape() const { return m_cursor; }

protected:
    void SetFocusedFlag(int focused) { m_focused = focused; }
    void SetKeyDownFlag(int down) { m_keyDown = down; }
    void SetDblClk(int dblClk) { m_dblClk = dblClk; }
    void SetImageECM(int ecm) { m_imageECM = ecm; }
    int IsAnimate() const { return m_animate; }
    void SetAnimate(int animate) { m_animate = animate; }
    int IsRunning() const { return m_running; }
    void SetRunning(int running) { m_running = running; }
    // Forgets a child that is being destroyed by someone else.
    void ForgetChild(MControl* child);
    // The point a child receives: untranslated for the scroll bars (ids 1, 2).
    static CPoint ChildPoint(const MControl* child, CPoint raw, CPoint translated);
    // A press: the child under the point (the last in list order that takes
    // presses) becomes the active child; null when the press is this
    // control's own. targetPt receives the point in the child's terms.
    MControl* RoutePress(CPoint raw, CPoint pt, CPoint& targetPt);
    // A press this control keeps takes the focus from the focused control.
    void TakeFocusOnPress();
    // The routing behind On[L|R]Button{Down,Up,DblClk}.
    int RouteButtonDown(bool right, unsigned flags, CPoint pt);
    int RouteButtonUp(bool right, unsigned flags, CPoint pt);
    int RouteButtonDblClk(bool right, unsigned flags, CPoint pt);

    MObject* m_parent = nullptr;
    PaintManager* m_manager = nullptr;
    unsigned m_id = 0;
    CRect m_rect;
    // Read by the tick thread while the UI thread changes them.
    std::atomic<int> m_visible{1};
    std::atomic<int> m_enabled{1};
    int m_dragDrop = 0;
    int m_mouseResponse = 1;
    int m_tabStop = 0;
    int m_dblClk = 0;
    int m_pressedInside = 0;
    int m_keyDown = 0;
    int m_focused = 0;
    std::atomic<int> m_update{0};  // the cached frames are valid; cleared from any thread
    int m_animate = 0;
    int m_runTimer = 0;
    int m_running = 0;
    int m_imageECM = 0;
    std::vector<MControl*> m_areas;
    std::vector<MControl*> m_children;
    std::recursive_mutex m_areasLock;
    std::recursive_mutex m_childrenLock;
    MControl* m_activeChild = nullptr;
    QImage m_memImage;
    QImage m_animateImage;
    CString m_tooltip;
    int m_cursor = -1;  // Qt::CursorShape, -1 for none
};

}  // namespace OXA
