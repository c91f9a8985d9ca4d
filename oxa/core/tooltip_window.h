#pragma once
// The tooltip of a window: a small borderless window with the text on a
// light background (at most 256 pixels wide), shown when the mouse rests.
#include <QBasicTimer>
#include <QWindow>
#include <memory>

#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"

class QBackingStore;

namespace OXA {

class OXA_API TooltipWindow : public QWindow {
public:
    explicit TooltipWindow(QWindow* owner);
    ~TooltipWindow() override;

    // Sets the text and arms the tooltip; empty text disarms it.
    void Activate(const CString& text);
    void Deactivate();
    bool IsActive() const { return m_active; }
    CString Text() const { return m_text; }
    // Restarts the resting delay (the mouse moved).
    void RelayMove();

protected:
    bool event(QEvent* e) override;

private:
    void Render();

    QWindow* m_owner;
    CString m_text;
    bool m_active = false;
    QBasicTimer m_delay;
    std::unique_ptr<QBackingStore> m_store;
};

}  // namespace OXA
