#pragma once
// One page of the main window: its controls live in the page container the
// window hands it. The window forwards the notifications of the page's
// control ids and the page's popup-menu messages, and tells it when it is
// shown or the interface language changed.
#include "device/layout_file.h"
#include "oxa/core/geometry.h"

namespace OXA {
class MDialog;
class MTabLayout;
}  // namespace OXA

class MainPage {
public:
    virtual ~MainPage() = default;

    // The page id of the page table this page fills.
    virtual int PageId() const = 0;
    // Creates the controls inside the container (window coordinates).
    virtual void Create(OXA::MDialog& window, OXA::MTabLayout& container) = 0;
    // Places the controls for the container's rectangle.
    virtual void Layout(OXA::CRect container) = 0;
    // A notification of one of the page's controls; false when the id is
    // not the page's.
    virtual bool OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) = 0;
    // A popup-menu choice posted to the window for this page (or a key the
    // macro recorder caught, message 1654).
    virtual bool OnMenuMessage(unsigned message, unsigned itemId) { return false; }
    // The page switch selected this page.
    virtual void OnShown() {}
    // The page switch left this page, which was the last page shown.
    virtual void OnHidden() {}
    // The chosen keyboard's layout was read.
    virtual void OnLayoutLoaded(const LayoutFile& layout) {}
    // The keyboard's connection mode (0 cable, 1 Bluetooth, 2 receiver).
    virtual void OnConnectMode(int connectMode) {}
    // The interface texts were switched.
    virtual void ApplyLanguage() {}
};
