#pragma once
// The balloon tip of a window: a translucent frameless popup with a dark
// rounded plate ("img_tip_bk.png", nine-slice border 6) and an arrow
// picture pointing at an anchor point in screen coordinates. The window is
// shaped to the plate and arrow, so that no box shows around them where the
// X server has no compositor. One balloon
// per window, created on the first SetAirBladderMsg of its PaintManager and
// destroyed with that manager. Unless the type is 4 it hides itself after
// 5 seconds.
#include <QBasicTimer>
#include <QImage>
#include <QRegion>
#include <QWindow>
#include <memory>

#include "oxa/core/geometry.h"
#include "oxa/core/paint_manager.h"

class QBackingStore;

namespace OXA {

// Where the balloon goes relative to its anchor.
enum AirBladderMode {
    AIRBLADDER_RIGHT = 1,       // to the right, arrow on the left edge
    AIRBLADDER_LEFT = 2,        // to the left, arrow on the right edge
    AIRBLADDER_BELOW = 3,       // below, arrow on the top edge
    AIRBLADDER_ABOVE = 4,       // centred above, no arrow
    AIRBLADDER_RIGHT_HIGH = 5,  // to the right, starting 10 pixels above
};
// The type that stays until hidden.
constexpr int AIRBLADDER_TYPE_STAY = 4;

// The placement of a balloon: the window in screen coordinates, and inside
// it the plate, the arrow and the text.
struct AirBladderLayout {
    CRect window;
    CRect plate;   // window-relative
    CRect arrow;   // window-relative, empty without an arrow
    CRect text;    // window-relative
    int arrowSide = 0;  // 0 none, 1 left, 2 right, 3 top
    bool centred = false;
};

class OXA_API MAirBladder : public QWindow {
public:
    // font: the measuring and drawing font (the library face at 14 pixels).
    MAirBladder(QWindow* owner, const QFont& font);
    ~MAirBladder() override;

    // Sets text (lines separated by '\n'), anchor, type and mode and shows
    // the balloon; the same four values again only show it again when it
    // was hidden. Empty text hides it.
    void SetAirBladderMsg(const CString& text, CPoint anchor, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode);
    void ShowAirBladder(int show);
    bool IsShown() const { return m_shown; }
    CString GetText() const { return m_text; }
    AIRBLADDER_TYPE GetType() const { return m_type; }
    const AirBladderLayout& GetLayout() const { return m_layout; }
    // Auto-hide delay for every type but 4 (5000 ms by default).
    void SetHideDelay(int milliseconds) { m_hideDelay = milliseconds; }
    // What the window shows.
    QImage RenderImage() const;
    // The window's shape for what it shows: every pixel at least half
    // opaque (the plate and the arrow).
    static QRegion ShapeRegion(const QImage& image);
    static AirBladderLayout ComputeLayout(const CString& text, CPoint anchor, AIRBLADDER_MODE mode,
                                          const QFont& font, CSize arrowLeft, CSize arrowTop);

    // The balloon of a manager, or null before its first message.
    static MAirBladder* Find(PaintManager* manager);
    // Connects PaintManager::SetAirBladderMsg/ShowAirBladder to the balloons.
    static void Install();

protected:
    bool event(QEvent* e) override;

private:
    void Present();
    void ApplyShape(const QImage& image);
    void LoadPictures();

    QFont m_font;
    CString m_text;
    CPoint m_anchor;
    AIRBLADDER_TYPE m_type = -1;
    AIRBLADDER_MODE m_mode = -1;
    bool m_shown = false;
    bool m_picturesLoaded = false;
    int m_hideDelay = 5000;
    AirBladderLayout m_layout;
    QImage m_back;
    QImage m_arrowLeft, m_arrowRight, m_arrowTop;
    QBasicTimer m_hideTimer;
    std::unique_ptr<QBackingStore> m_store;
};

}  // namespace OXA
