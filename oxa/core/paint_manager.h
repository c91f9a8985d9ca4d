#pragma once
// Everything a top-level window needs for its windowless controls: it owns
// the top-level areas and controls, paints them into one off-screen surface,
// routes input to them, runs their timers and ticks, shows the tooltip and
// the message strip, and keeps the window's image cache and fonts.
#include <QImage>
#include <mutex>
#include <vector>

#include "oxa/core/control.h"
#include "oxa/core/font_collection.h"
#include "oxa/core/image_cache.h"
#include "oxa/core/message_strip.h"
#include "oxa/core/mtimer.h"
#include "oxa/core/window_messages.h"

namespace OXA {

class MWindow;
class TooltipWindow;

// Background modes: 0 the image at its own size, 1 nine-slice with a border.
enum enumBackMode { BACK_MODE_NORMAL = 0, BACK_MODE_FRAME = 1 };
using AIRBLADDER_TYPE = int;
using AIRBLADDER_MODE = int;

// Reserved window timer ids of the manager.
constexpr unsigned TIMER_MESSAGE_HOLD = 66;
constexpr unsigned TIMER_MESSAGE_FADE = 88;
constexpr unsigned TIMER_PROGRESS = 99;
constexpr unsigned TIMER_CARET = 6553;

class OXA_API PaintManager : public MTimer {
public:
    PaintManager();
    ~PaintManager() override;

    using MTimer::OnMTimer;
    void OnMTimer(unsigned id) override;
    // A picture dropped on the window; default: nothing.
    virtual bool OnDrop(const QImage& image);

    // --- window --------------------------------------------------------------
    void Init(HWND hwnd, MWindow* window);
    HWND GetPaintWnd() const { return m_hWnd; }
    MWindow* GetMDialog() const { return m_window; }
    QImage* GetPaintDC() { return &m_surface; }
    TooltipWindow* GetToolTipWnd() const { return m_tooltipWnd; }
    // Releases controls, timers, images and fonts (once per window).
    void DestroyData();

    // --- background and window behaviour -----------------------------------
    void SetBackColor(COLORREF back, COLORREF frame);
    COLORREF GetBackColor() const { return m_backColor; }
    COLORREF GetFrameColor() const { return m_frameColor; }
    void SetBackMode(int mode, int border);
    int LoadBKImage(const CString& relativePath);
    int LoadBKImage(unsigned resourceId, const CString& type);
    const QImage* GetBKImage() const { return m_bkImage.isNull() ? nullptr : &m_bkImage; }
    void SetLayeredWindow(int layered);
    int IsLayered() const { return m_layered; }
    void EnableWndDrag(int enable) { m_wndDrag = enable; }
    int IsWndDragEnabled() const { return m_wndDrag; }
    void SetCaptionRect(CRect rect) { m_captionRect = rect; }
    CRect GetCaptionRect() const { return m_captionRect; }
    void SetWindowMaxSize(CSize size) { m_maxSize = size; }
    CSize GetWindowManSize() const { return m_maxSize; }
    void SetWindowMixSize(CSize size) { m_minSize = size; }
    CSize GetWindowMinSize() const { return m_minSize; }
    CRect GetClientRect() const;
    CRect GetWindowRect() const;
    CSize GetClientSize() const;
    void Invalidate();
    void InvalidateRect(CRect rect, int erase = 0);
    void SetCapture();
    void ReleaseCapture();
    int IsCaptured() const { return m_captured; }
    long SendMessageW(unsigned msg, unsigned wParam = 0, long lParam = 0);
    long PostMessageW(unsigned msg, unsigned wParam = 0, long lParam = 0);
    // Shows a cursor shape (Qt::CursorShape) over the window.
    void SetCursor(int shape);

    // --- control timers (window timers owned by controls) -------------------
    int SetTimer(MControl* control, unsigned key, unsigned elapse);
    int KillTimer(MControl* control, unsigned key);
    int KillTimer(MControl* control);
    void ClearTimers();
    // --- the window's tick ---------------------------------------------------
    unsigned SetMTimer(unsigned milliseconds);
    void KillMTimer(unsigned id = 0);
    unsigned GetMTimerID() const { return m_tickId; }
    void AddMTimer(MControl* control);
    void DeleteFSTimer(MControl* control);

    // --- focus, hover, tooltip ---------------------------------------------
    MControl* GetHoverControl() const { return m_hover; }
    MControl* GetFocusControl() const { return m_focus; }
    void SetFocusControl(MControl* control);
    // Records the focus control without telling either control.
    void StoreFocusControl(MControl* control);
    // Asks the platform's input method to query the focused control again
    // (whether it takes text, where its caret is); UI thread only.
    static void UpdateInputMethod();
    MControl* GetNextFocusableControl();
    MControl* GetPrevFocusableControl();
    void SetTooltip(const CString& text, CRect rect);
    void ClearTooltip();
    unsigned GetTooltipCtrlID() const { return m_tooltipOwnerId; }
    void SetTooltipCtrlID(unsigned id) { m_tooltipOwnerId = id; }
    MControl* GetTooltipOwner() const { return m_tooltipOwner; }
    void SetTooltipOwner(MControl* control);
    CString GetTooltipText() const { return m_tooltipText; }
    int IsTooltipActive() const { return m_tooltipActive; }

    // --- message strip -------------------------------------------------------
    void SetMessage(const CString& text, CRect rect, int level);
    void SetProgress(int percent, const CString& text, CRect rect);
    const MessageStrip& GetMessageStrip() const { return m_strip; }

    // --- balloon (created by the balloon class when present) ---------------
    void SetAirBladderMsg(const CString& text, CPoint pt, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode);
    void ShowAirBladder(int show, int reserved);
    // show: 1 set the message and show it, 2 show, 0 hide, -1 the manager is
    // being destroyed (its balloon goes with it).
    using AirBladderHandler = void (*)(PaintManager*, const CString&, CPoint, int type, int mode, int show);
    static void SetAirBladderHandler(AirBladderHandler handler);

    // --- controls ------------------------------------------------------------
    // The dialog factory: kind 1 control, 0 area.
    MControl* CreateControl(unsigned kind, MObject* parent, const CString& className, unsigned id, CRect rect,
                            const CString& title, int visible, int enabled);
    // Takes ownership of a control constructed directly.
    void AddControl(MControl* control);
    void AddArea(MControl* area);
    MControl* GetControl(unsigned id);
    std::vector<MControl*>& GetControls() { return m_controls; }
    std::vector<MControl*>& GetAreas() { return m_areas; }
    int RemoveControl(MControl* control);
    void ClearAllControls();
    void ClearAreaControls();
    void ClearControls();
    // Forgets every reference to a control that is being destroyed.
    void ForgetControl(MControl* control);
    std::recursive_mutex& ControlsLock() { return m_controlsLock; }

    unsigned GetScrollVID() const { return m_scrollVId; }
    unsigned GetScrollHID() const { return m_scrollHId; }
    void SetScrollResID(unsigned vertical, unsigned horizontal);
    COLORREF GetDefaultEnabledColor() const { return m_enabledColor; }
    void SetDefaultEnabledColor(COLORREF color) { m_enabledColor = color; }

    // --- caret (windowless rich edit) ---------------------------------------
    void CreateCaret(MControl* owner, int width, int height);
    void ShowCaret(int show);
    void SetCaretPos(CPoint pt);
    MControl* GetCurrentCaretObject() const { return m_caretOwner; }
    void DrawCaret(HDC& hdc);

    // --- resources -----------------------------------------------------------
    ImgResInfo* AddImgResInfo(const CString& path, int frames);
    ImgResInfo* AddImgResInfo(unsigned id, const CString& type, int frames, int module);
    void ClearImgResInfo();
    ImageCache& GetImageCache() { return m_images; }
    const FontFamily* AddTempFont(const CString& face, const CString& file);
    const FontFamily* AddTempFont(const CString& face, unsigned resourceId);
    const FontFamily* FindTempFont(const CString& face);
    int AddGDITempFont(unsigned resourceId);
    void ClearTempFont();

    // --- messages ------------------------------------------------------------
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam);
    int PreTranslateMessage(MSG* msg);
    long OnControlUpdate(CRect rect, int redraw, MControl* control);
    void OnPaint();
    // Renders the whole client area into a new image (what the window shows).
    QImage RenderImage();
    // Saves RenderImage() as a PNG file.
    bool SaveImage(const CString& path);

    int GetOverlapRepaint() const { return m_overlap; }
    // Time of the last paint in microseconds (diagnostics, benchmarks).
    long long LastPaintMicroseconds() const { return m_lastPaintUs; }

private:
    void PaintInto(QImage& surface, CRect updateRect, bool whole);
    void DrawBackground(QPainter& p, CRect client);
    void OnMouseMove(unsigned flags, CPoint pt);
    void OnMouseLeave();
    void OnButtonDown(bool left, unsigned flags, CPoint pt);
    void OnButtonUp(bool left, unsigned flags, CPoint pt);
    void OnButtonDblClk(bool left, unsigned flags, CPoint pt);
    void OnMouseWheel(unsigned wParam, long lParam);
    void OnKeyDown(unsigned vk);
    void OnNcActivate(int active);
    void OnTimer(unsigned id);
    void OnStripTimer(unsigned id);
    MControl* FindHover(unsigned flags, CPoint pt);
    unsigned NextControlTimerId();

    struct ControlTimer {
        HWND hwnd = nullptr;
        unsigned key = 0;
        unsigned id = 0;
        int stopped = 0;
        MControl* control = nullptr;
    };

    HWND m_hWnd = nullptr;
    MWindow* m_window = nullptr;
    QImage m_surface;
    std::vector<MControl*> m_areas;
    std::vector<MControl*> m_controls;
    std::vector<MControl*> m_tickControls;
    std::vector<ControlTimer> m_controlTimers;
    std::recursive_mutex m_areasLock;
    std::recursive_mutex m_controlsLock;
    std::recursive_mutex m_tickLock;
    std::recursive_mutex m_timersLock;

    COLORREF m_backColor = 0x050505;
    COLORREF m_frameColor = 0x575757;
    QImage m_bkImage;
    int m_backMode = BACK_MODE_NORMAL;
    int m_backBorder = 0;
    int m_layered = 0;
    CRect m_captionRect;
    CSize m_maxSize;
    CSize m_minSize;

    MControl* m_hover = nullptr;
    MControl* m_focus = nullptr;
    int m_tracking = 0;
    int m_captured = 0;
    int m_pressed = 0;
    int m_wndDrag = 1;
    int m_dragArmed = 0;
    CPoint m_dragLast;
    QImage m_dragBitmap;
    int m_wheelRemainder = 0;

    TooltipWindow* m_tooltipWnd = nullptr;
    unsigned m_tooltipOwnerId = 0;
    MControl* m_tooltipOwner = nullptr;
    CString m_tooltipText;
    CRect m_tooltipRect;
    int m_tooltipActive = 0;

    MessageStrip m_strip;

    CRect m_caretRect;
    int m_caretShown = 0;
    int m_caretPhase = 0;
    MControl* m_caretOwner = nullptr;

    ImageCache m_images;
    FontCollection m_fonts;
    unsigned m_scrollVId = 0;
    unsigned m_scrollHId = 0;

    unsigned m_tickId = 0;
    unsigned m_timerCounter = 4096;
    COLORREF m_enabledColor = 0x808080;
    int m_overlap = 0;
    int m_destroyed = 0;
    long long m_lastPaintUs = 0;
    CString m_tooltipFace = u"Open Sans Semibold"_qs;
};

}  // namespace OXA
