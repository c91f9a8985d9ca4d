#pragma once
// A top-level window whose content is windowless controls painted by its
// PaintManager. Its MObject part is what its top-level controls see as their
// parent: notifications reach OnMessage, repaint requests the manager.
#include "oxa/core/object.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/shadow.h"
#include "oxa/core/window.h"

namespace OXA {

class OXA_API MDialog : public MWindow, public MObject {
public:
    MDialog();
    ~MDialog() override;

    // --- MObject part ----------------------------------------------------------
    const char16_t* GetClassNameW() const override;
    long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    long OnControlUpdate(CRect rect, int redraw, MControl* control) override;

    // --- MWindow overrides -----------------------------------------------------
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
    int PreTranslateMessage(MSG* msg) override;
    int OnInitDialog() override;
    void OnDestroyMessage(HWND hwnd) override;

    // --- handlers for derived dialogs ----------------------------------------
    virtual CPoint GetAirBladderPoint(MControl* control, unsigned type);
    virtual void OnMinimize();
    virtual void OnMaximize();
    virtual void InitUI(CRect clientRect);
    virtual void UISize(CRect clientRect);
    // Notifications of the controls: (control id, code, parameters).
    virtual long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam);
    virtual long OnUserCloseWindow(unsigned wParam, long lParam);
    virtual int OnCreate(CREATESTRUCT* cs);
    virtual void OnSize(unsigned type, int cx, int cy);
    virtual int OnMouseMove(unsigned flags, CPoint pt);
    virtual int OnMouseLeave();
    virtual int OnMouseHover(unsigned flags, CPoint pt);
    virtual int OnMouseWheel(unsigned flags, short delta, CPoint pt);
    virtual int OnLButtonDown(unsigned flags, CPoint pt);
    virtual int OnLButtonUp(unsigned flags, CPoint pt);
    virtual int OnLButtonDblClk(unsigned flags, CPoint pt);
    virtual int OnRButtonDown(unsigned flags, CPoint pt);
    virtual int OnRButtonUp(unsigned flags, CPoint pt);
    virtual int OnRButtonDblClk(unsigned flags, CPoint pt);
    virtual int OnKeyDown(unsigned vk, unsigned repeat, unsigned flags);
    virtual int OnNcHitTest(CPoint pt);
    virtual int OnGetMinMaxInfo(MINMAXINFO* info);
    virtual int OnNcCalcSize(unsigned wParam, long lParam);
    virtual int OnNcActivate(int active);
    virtual int OnWindowPosChanging(long lParam);
    virtual int OnWindowPosChanged(long lParam);
    virtual int OnPaint();
    virtual int OnTimer(unsigned id);
    virtual int OnNcPaint();
    virtual int OnClose();
    virtual int OnDestroy();
    virtual void PostNcDestroy();

    // --- closing -------------------------------------------------------------
    void DoOK();
    void DoCancel();
    void DoClose();
    void DoYes();
    void DoNo();

    // --- controls and the manager ----------------------------------------------
    MControl* CreateControl(const CString& className, unsigned id, CRect rect, const CString& title,
                            int visible = 1, int enabled = 1);
    MControl* CreateArea(const CString& className, unsigned id, CRect rect, const CString& title,
                         int visible = 1, int enabled = 1);
    MControl* GetControl(unsigned id) { return m_manager.GetControl(id); }
    std::vector<MControl*>& GetControls() { return m_manager.GetControls(); }
    void SetFocusControl(MControl* control) { m_manager.SetFocusControl(control); }
    PaintManager& GetPaintManager() { return m_manager; }

    int LoadBKImage(const CString& relativePath) { return m_manager.LoadBKImage(relativePath); }
    int LoadBKImage(unsigned resourceId, const CString& type) { return m_manager.LoadBKImage(resourceId, type); }
    void SetBackMode(int mode, int border) { m_manager.SetBackMode(mode, border); }
    void SetScrollResID(unsigned vertical, unsigned horizontal) { m_manager.SetScrollResID(vertical, horizontal); }
    void SetLayeredWindow(int layered) { m_manager.SetLayeredWindow(layered); }
    void EnableWndDrag(int enable) { m_manager.EnableWndDrag(enable); }
    unsigned SetMTimer(unsigned milliseconds) { return m_manager.SetMTimer(milliseconds); }
    void KillMTimer(unsigned id) { m_manager.KillMTimer(id); }
    void SetTooltip(const CString& text, CRect rect) { m_manager.SetTooltip(text, rect); }
    void ClearTooltip() { m_manager.ClearTooltip(); }
    // An empty rect: 200 pixels wide, centred, from 60 to 2 pixels above the
    // client bottom, moved down by the message offset.
    void SetMessage(const CString& text, CRect rect = CRect(), int level = 0);
    void SetProgress(int percent, const CString& text, CRect rect = CRect());
    void SetAirBladderMsg(const CString& text, CPoint pt, AIRBLADDER_TYPE type);

    // --- translucency ----------------------------------------------------------
    void SetupBackTranslucent();
    void SetColorKey(COLORREF key) { m_colorKey = key; }
    COLORREF GetColorKey() const { return m_colorKey; }
    void SetWindowAlpha(int alpha) { m_alpha = alpha; }
    int GetWindowAlpha() const { return m_alpha; }
    void SetMessageOffset(int offset) { m_messageOffset = offset; }

    // --- shadow (settings only) ----------------------------------------------------
    int CreateShadow() { return m_shadow.Create(); }
    int SetSize(int size) { return m_shadow.SetSize(size); }
    int SetSharpness(int sharpness) { return m_shadow.SetSharpness(sharpness); }
    int SetDarkness(int darkness) { return m_shadow.SetDarkness(darkness); }
    int SetPosition(int x, int y) { return m_shadow.SetPosition(x, y); }
    int SetShadowColor(COLORREF color) { return m_shadow.SetColor(color); }
    int SetShadowImage(const QImage& image, CRect corners) { return m_shadow.SetImage(image, corners); }
    int SetShadowShow(int show) { return m_shadow.SetShow(show); }

    // The window's whole content as an image, and saved as a PNG file.
    QImage RenderImage() { return m_manager.RenderImage(); }
    bool SaveScreenshot(const CString& path) { return m_manager.SaveImage(path); }

protected:
    PaintManager m_manager;
    CRect m_clientRect;
    COLORREF m_colorKey = 0xFFFFFF;
    int m_alpha = 255;
    int m_messageOffset = 0;
    MShadow m_shadow;
};

}  // namespace OXA
