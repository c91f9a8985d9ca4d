#pragma once
// The Qt window under an MWindow. It turns Qt events into the window
// messages oxa's handlers are written against, keeps the invalid region and
// the raster back buffer, runs window timers and receives posted messages.
#include <QBasicTimer>
#include <QImage>
#include <QRegion>
#include <QWindow>
#include <map>
#include <memory>
#include <mutex>

#include "oxa/core/oxa_export.h"
#include "oxa/core/window_messages.h"

class QBackingStore;

namespace OXA {

class MWindow;

class OXA_API NativeWindow : public QWindow {
public:
    explicit NativeWindow(MWindow* owner);
    ~NativeWindow() override;

    MWindow* Owner() const { return m_owner; }
    void DetachOwner() { m_owner = nullptr; }

    // Delivers a message to the owner at once, on the calling (UI) thread.
    long Dispatch(unsigned msg, unsigned wParam, long lParam);
    // Queues a message for the UI thread; safe from any thread. False when
    // hwnd is not a live window.
    static bool PostTo(HWND hwnd, unsigned msg, unsigned wParam, long lParam);
    static bool IsLive(HWND hwnd);

    // Styles as given to Create and changed by OnCreate/ModifyStyle.
    unsigned long Style() const { return m_style; }
    unsigned long ExStyle() const { return m_exStyle; }
    void SetStyles(unsigned long style, unsigned long exStyle);

    // Invalidation; safe from any thread. The paint message follows when the
    // UI thread is idle.
    void Invalidate(const QRect& rect);
    void InvalidateAll();
    // Takes the pending invalid rectangle (bounding box) and clears it.
    QRect TakeUpdateRect();
    bool HasUpdate() const;
    // Copies rect of surface to the screen.
    void Present(const QImage& surface, const QRect& rect);

    // Window timers (WM_TIMER with the given id).
    bool StartTimer(unsigned id, unsigned milliseconds);
    bool StopTimer(unsigned id);
    bool HasTimer(unsigned id) const { return m_timers.count(id) != 0; }

    // Mouse-leave and hover tracking for the current entry of the mouse.
    void TrackMouse(int hoverMilliseconds);
    void SetCapture(bool capture);
    bool HasCapture() const { return m_capture; }
    // Moves the window with the mouse while the left button stays down.
    void BeginCaptionDrag();
    // Input is dropped while disabled (an owner during a modal run).
    void SetInputEnabled(bool enabled) { m_inputEnabled = enabled; }
    bool IsInputEnabled() const { return m_inputEnabled; }

    // Translucency: per-pixel alpha, a colour made transparent, constant alpha.
    void SetPerPixelAlpha(bool enabled);
    bool IsPerPixelAlpha() const { return m_perPixelAlpha; }
    void SetColorKey(bool enabled, COLORREF key);
    void SetRoundRegion(bool enabled);

    bool IsMinimized() const;
    // Client coordinates to screen and back.
    QPoint ToScreen(QPoint p) const { return mapToGlobal(p); }
    QPoint FromScreen(QPoint p) const { return mapFromGlobal(p); }

protected:
    bool event(QEvent* e) override;

private:
    void HandleMouse(QEvent* e);
    void HandleKey(QEvent* e);
    void HandleDrop(QEvent* e);
    // Input-method commit/preedit and queries go to the focused control.
    void HandleInputMethod(QEvent* e);
    void HandleInputMethodQuery(QEvent* e);
    void PaintNow();
    void UpdateMask(const QImage* surface);
    // Offers an input message to the running loop's filter, then dispatches.
    void DispatchInput(unsigned msg, unsigned wParam, long lParam);

    MWindow* m_owner;
    unsigned long m_style = 0;
    unsigned long m_exStyle = 0;
    std::unique_ptr<QBackingStore> m_backingStore;
    mutable std::mutex m_regionMutex;
    QRegion m_updateRegion;
    bool m_paintPosted = false;
    std::map<unsigned, int> m_timers;        // our id -> Qt timer id
    std::map<int, unsigned> m_timerIds;      // Qt timer id -> our id
    QBasicTimer m_hoverTimer;
    int m_hoverMs = 0;
    bool m_tracking = false;
    bool m_capture = false;
    bool m_inputEnabled = true;
    bool m_dragging = false;
    QPoint m_dragStartGlobal;
    QPoint m_dragStartPos;
    // Double-click detection: Windows delivers the second press as a
    // double-click message instead of a button-down.
    int m_lastPressButton = 0;
    unsigned long long m_lastPressTime = 0;
    QPoint m_lastPressPos;
    bool m_perPixelAlpha = false;
    bool m_colorKeyEnabled = false;
    COLORREF m_colorKey = 0xFFFFFF;
    bool m_roundRegion = false;
    QRegion m_colorKeyRegion;
};

// Modifier keys held at the last input event (Qt::KeyboardModifiers bits).
OXA_API int CurrentKeyboardModifiers();

}  // namespace OXA
