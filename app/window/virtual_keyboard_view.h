#pragma once
// The picture in the virtual keyboard window: the simulated keyboard the
// program has chosen, each key filled with the colour its LED shows now, a
// dark body, small key labels, the screen (on models with one) and a status
// line. The window's tick only asks for a repaint; the paint reads the LEDs
// once and draws from geometry and labels prepared when the keyboard or the
// size changes.
#include <QImage>
#include <QStaticText>
#include <vector>

#include "oxa/core/control.h"
#include "sim/sim_backend.h"

class DeviceLinkSide;

class VirtualKeyboardView : public OXA::MControl {
public:
    VirtualKeyboardView(OXA::MObject* parent, unsigned id, OXA::CRect rect, DeviceLinkSide& side);

    void DrawControl(OXA::HDC& hdc, OXA::CRect paint) override;
    int OnControlTimer() override;
    void SetControlRect(OXA::CRect rect) override;

    // Where a key of the keyboard shown is drawn, in window coordinates;
    // empty when that keyboard has no such key.
    OXA::CRect KeyRect(int keyCode);

private:
    struct ShownKey {
        int code = 0;
        int light = 0;  // light position; 0: the key has no LED
        QRectF rect;    // window coordinates
        QStaticText label;
        QFont font;
        QPointF labelAt;
    };
    struct ScreenFrames {
        int slot = 0;
        int images = -1;  // SimKeyboardStatus::screenImages they were decoded at
        std::vector<QImage> frames;
        std::vector<int> delaysMs;  // how long each frame stays
        int64_t cycleMs = 0;
    };

    // The device type to show: the one chosen in the program, else the one
    // the simulator was started with.
    int FollowedDeviceType() const;
    // Reads the layout and lays the keys out when the keyboard or the size changed.
    void Prepare();
    void LayOut();
    void DrawScreen(QPainter& p, const SimKeyboardStatus& status);
    void DecodeScreen(int keyboard, int slot, int images);
    QString StateText(const SimKeyboardStatus& status) const;

    DeviceLinkSide& m_side;
    int m_deviceType = -1;
    bool m_rgb = true;
    CString m_name;
    bool m_hasScreen = false;
    int m_screenWidth = 0, m_screenHeight = 0, m_screenHead = 0, m_screenFrames = 0;
    std::vector<int> m_keyCodes;  // layout order, with the layout rects below
    std::vector<QRectF> m_layoutRects;
    std::vector<int> m_layoutLights;
    std::vector<QString> m_layoutLabels;
    QRectF m_layoutBody;  // picture area in layout pixels

    OXA::CRect m_laidOutFor;  // control rect the geometry below belongs to
    std::vector<ShownKey> m_keys;
    QRectF m_body, m_screenPanel, m_screenRect, m_statusRect;
    double m_scale = 1;
    ScreenFrames m_screen;
};
