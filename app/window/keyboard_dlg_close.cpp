// The main window's close paths (close button, notification-area menu,
// end request) and the firmware-version check with the updater start.
#include <QCursor>
#include <QFileInfo>
#include <QMenu>

#include <cstdio>

#include "app/device_link_side.h"
#include "app/shell/language_texts.h"
#include "app/window/close_window_tip_dlg.h"
#include "app/window/keyboard_dlg.h"
#include "app/window/main_window_ids.h"
#include "app/window/ui_message_box.h"
#include "app/window/update_tip_dlg.h"
#include "app/window/virtual_keyboard_dlg.h"
#include "oxa/core/manager.h"
#include "platform/external_process.h"
#include "platform/settings_file.h"

using namespace OXA;

void KeyboardDlg::OnCloseButton()
{
    if (ReadRegistryNumber(u"exit_mode"_qs) == 0) {
        RunCloseChoice(this);
        SetCloseTooltip();
    }
    if (ReadRegistryNumber(u"exit_mode"_qs) == 1) ShowWindow(SW_HIDE);
    else EndProcess();
}

// Removes the icon and ends the program with code 0. The window is
// destroyed once the handler that asked for it has returned (it may run
// inside one of the window's controls), which ends its modal run.
void KeyboardDlg::EndProcess()
{
    m_tray.Remove();
    m_endRequested = 0;
    ShowWindow(SW_HIDE);
    m_ui.Post([this] { DestroyMainWindow(); });
}

void KeyboardDlg::OnTrayEvent(unsigned event)
{
    switch (event) {
    case TrayIcon::kLeftDown:
    case TrayIcon::kLeftDoubleClick: ShowAndRaise(); break;
    case TrayIcon::kRightUp: ShowTrayMenu(); break;
    default: break;
    }
}

void KeyboardDlg::ShowTrayMenu()
{
    QMenu menu;
    QAction* options = menu.addAction(GetText(10));
    QAction* exit = menu.addAction(GetText(11));
    // On the simulated keyboard: the window that shows its LEDs.
    QAction* virtualKeyboard = nullptr;
    if (m_device.Simulation()) {
        menu.addSeparator();
        virtualKeyboard = menu.addAction(u"Virtual keyboard"_qs);
    }
    QAction* chosen = menu.exec(QCursor::pos());
    if (chosen == options) SendMessageW(WM_COMMAND, MainMessage::kTrayCloseOptions, 0);
    else if (chosen == exit) SendMessageW(WM_COMMAND, MainMessage::kTrayExit, 0);
    else if (chosen && chosen == virtualKeyboard) VirtualKeyboardDlg::Open(m_device);
}

void KeyboardDlg::CheckFirmwareVersion()
{
    KillTimer(MainMessage::kFirmwareTimer);
    const LayoutFile layout = m_device.CurrentLayout();
    if (m_device.Discovery().CheckFirmwareVersion(layout.firmware) != DeviceDiscovery::FirmwareCheck::kOlder) return;
    if (RunUpdatePrompt(this)) StartFirmwareUpdater();
}

void KeyboardDlg::StartFirmwareUpdater()
{
    const LayoutFile layout = m_device.CurrentLayout();
    if (!layout.firmware.Offered()) return;
    int release = 0;
    if (!m_device.Manager().GetFirmwareRelease(release)) release = 0;
    if (!DeviceDiscovery::IsFirmwareOlder(release, layout.firmware.version)) {
        ShowMessageBox(this, GetText(157), GetText(175), CUIMessageBox::kStyleOk);
        return;
    }
    StartUpdater(layout);
}

// The updater lies in "firmware/" beside the program; without it accepting
// has no effect. The HID interfaces are closed for it, the window waits
// hidden and disabled, and the worker waits for the process to end before
// it opens the link again and shows the window.
void KeyboardDlg::StartUpdater(const LayoutFile& layout)
{
    const CString file = m_programFolder + u"/firmware/"_qs + layout.firmware.file;
    if (layout.firmware.file.contains(u'/') || !QFileInfo(file).isFile()) return;
    m_device.Manager().CloseAll();
    const pid_t pid = StartProgram(file, {});
    if (pid <= 0) {
        std::fprintf(stderr, "varnet: cannot start the firmware updater %s\n", qPrintable(file));
        m_device.Manager().Refresh();
        return;
    }
    EnableWindow(0);
    m_worker.SetWaitProcess(pid);
    ShowWindow(SW_HIDE);
}
