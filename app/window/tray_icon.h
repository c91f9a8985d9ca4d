#pragma once
// The notification-area icon: the software name as its tip, the program's
// icon, and its events handed to the main window as the tray callback
// message (left press, double click, right release).
#include <QObject>

#include <functional>
#include <memory>

#include "platform/cstring.h"

class QSystemTrayIcon;

class TrayIcon {
public:
    // The window message events of the callback.
    static constexpr unsigned kLeftDown = 0x0201;
    static constexpr unsigned kLeftDoubleClick = 0x0203;
    static constexpr unsigned kRightUp = 0x0205;

    TrayIcon();
    ~TrayIcon();

    // Adds the icon; the handler receives the events above. False when the
    // icon file cannot be read (the icon then counts as not shown).
    bool Add(const CString& iconFile, const CString& tip, std::function<void(unsigned)> onEvent);
    void Remove();
    // Shown while the icon is set, whether or not a notification area
    // exists to show it.
    bool IsShown() const { return m_shown; }
    // A notification area exists on this desktop.
    static bool Available();

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
    bool m_shown = false;
};
