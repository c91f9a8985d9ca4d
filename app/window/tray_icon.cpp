#include "app/window/tray_icon.h"

#include <QIcon>
#include <QImageReader>
#include <QSystemTrayIcon>

TrayIcon::TrayIcon() = default;

TrayIcon::~TrayIcon() { Remove(); }

bool TrayIcon::Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

bool TrayIcon::Add(const CString& iconFile, const CString& tip, std::function<void(unsigned)> onEvent)
{
    Remove();
    const QIcon icon(iconFile);
    if (icon.isNull() || icon.availableSizes().isEmpty()) return false;
    m_icon = std::make_unique<QSystemTrayIcon>(icon);
    m_icon->setToolTip(tip);
    QObject::connect(m_icon.get(), &QSystemTrayIcon::activated, m_icon.get(),
                     [onEvent](QSystemTrayIcon::ActivationReason reason) {
                         switch (reason) {
                         case QSystemTrayIcon::Trigger: onEvent(kLeftDown); break;
                         case QSystemTrayIcon::DoubleClick: onEvent(kLeftDoubleClick); break;
                         case QSystemTrayIcon::Context: onEvent(kRightUp); break;
                         default: break;
                         }
                     });
    // Without a notification area there is nothing to show the icon in;
    // it still counts as set, as the window's close paths expect.
    if (Available()) m_icon->show();
    m_shown = true;
    return true;
}

void TrayIcon::Remove()
{
    if (m_icon) m_icon->hide();
    m_icon.reset();
    m_shown = false;
}
