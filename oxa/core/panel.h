#pragma once
// A control whose children may extend beyond it: it measures its content,
// owns a vertical and a horizontal scroll bar (children 1 and 2), translates
// mouse points by the scroll offsets and creates children by class name.
#include "oxa/core/control_font.h"

namespace OXA {

class CScrollVertical;
class CScrollHorizontal;

class OXA_API MPanel : public MControlFont {
public:
    MPanel(MObject* parent, unsigned id, CRect rect, int visible = 1);
    ~MPanel() override;

    // Creates an area (kind 0) or child (kind 1) through the panel factory.
    virtual MControl* CreateArea(const CString& className, unsigned id, CRect rect, const CString& title,
                                 int visible, int enabled);
    virtual MControl* CreateControl(unsigned kind, MObject* parent, const CString& className, unsigned id,
                                    CRect rect, const CString& title, int visible, int enabled);
    virtual MControl* CreateControl(const CString& className, unsigned id, CRect rect, const CString& title,
                                    int visible, int enabled);
    virtual int OnControlKeyUp(unsigned vk, unsigned repeat, unsigned modifiers);

    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    int DrawSubControls(HDC& hdc, CRect paint) override;
    int OnMousePointChange(CPoint& pt) override;
    int OnCheckMouseResponse(unsigned flags, CPoint pt) override;
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    long OnControlUpdate(CRect rect, int redraw, MControl* control) override;
    void SetControlRect(CRect rect) override;
    void SetControlVisible(int visible) override;
    void SetControlEnabled(int enabled) override;
    int OnControlTimer() override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlScroll(int kind, unsigned down, CPoint pt) override;

    CScrollVertical* GetScrollVertical() const { return m_vbar; }
    CScrollHorizontal* GetScrollHorizontal() const { return m_hbar; }
    MControl* GetControl(unsigned id) { return MControl::GetControl(id); }

    void EnableScroll(int enable) { m_scrollEnabled = enable; }
    int IsScrollEnabled() const { return m_scrollEnabled; }
    int IsAttached() const { return m_attached; }
    int GetBarThickness() const { return m_barThickness; }
    int GetContentHeight() const { return m_contentHeight; }
    int GetContentWidth() const { return m_contentWidth; }
    // Re-measures the content and lays out the bars (the rect unchanged).
    void Relayout() { SetControlRect(m_rect); }
    // Current scroll offsets of the content.
    int GetVOffset() const;
    int GetHOffset() const;
    bool OverflowsV() const { return m_contentHeight > m_rect.Height(); }
    bool OverflowsH() const { return m_contentWidth > m_rect.Width(); }

protected:
    int m_scrollEnabled = 1;
    int m_attached = 0;
    CScrollVertical* m_vbar = nullptr;
    CScrollHorizontal* m_hbar = nullptr;
    int m_barThickness = 5;
    int m_contentHeight = 0;
    int m_contentWidth = 0;
};

}  // namespace OXA
