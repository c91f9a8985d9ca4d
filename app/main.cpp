// Program entry of Varnet: reads the software name, keeps to one instance,
// settles the language and the data folder, then runs the main window with
// the worker until one of its exit paths ends it (or SIGINT, SIGTERM, or
// --exit-after milliseconds). Without a display it renders the home page
// and the connected view to PNG files, says where they are and ends.
#include <QApplication>
#include <QDir>
#include <QTimer>

#include <csignal>
#include <memory>
#include <cstdio>
#include <cstdlib>

#include "app/device_link_side.h"
#include "app/pages/light_page.h"
#include "app/pages/page_tasks.h"
#include "app/shell/locale_language.h"
#include "app/shell/shell_options.h"
#include "app/shell/shell_startup.h"
#include "app/shell/shell_worker.h"
#include "app/shell/task_queue.h"
#include "app/window/keyboard_dlg.h"
#include "app/window/page_table.h"
#include "app/window/virtual_keyboard_dlg.h"
#include "oxa/core/manager.h"
#include "platform/program_folder.h"
#include "platform/single_instance.h"
#include "platform/user_folders.h"

namespace {

volatile std::sig_atomic_t g_endRequested = 0;

void OnEndSignal(int) { g_endRequested = 1; }

void InstallEndSignals()
{
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// Without a display the program still starts, on Qt's offscreen platform;
// with one whose server cannot be reached Qt falls back to offscreen too.
// Returns true when the variable was set here (and is to be removed again
// so that programs started later do not inherit it).
bool ChooseQtPlatform()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return false;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "wayland;xcb;offscreen");
    else if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
    else
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}


// Where the headless run puts its pictures: the runtime folder, else /tmp.
CString HeadlessScreenshotFolder(const CString& softwareName)
{
    CString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QDir(base).exists()) base = u"/tmp"_qs;
    return base + u'/' + FileNameFromSoftwareName(softwareName) + u"-screenshots"_qs;
}

void Say(const CString& line)
{
    std::fprintf(stderr, "varnet: %s\n", qPrintable(line));
    std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const ShellOptions options = ParseShellOptions(arguments);
    if (options.version) {
        std::printf("Varnet 0.1.0\n");
        return 0;
    }
    for (const CString& problem : options.problems) Say(problem);

    // 1. The software name names everything that follows.
    const StartupInfo startup = ReadStartupCatalogue(ProgramFolder());
    if (!startup.catalogueRead) Say(u"no device catalogue in "_qs + startup.programFolder);

    const bool platformChosen = ChooseQtPlatform();
    const bool noDisplay = platformChosen && qgetenv("QT_QPA_PLATFORM") == "offscreen";
    QApplication app(argc, argv);
    if (platformChosen) qunsetenv("QT_QPA_PLATFORM");
    app.setApplicationName(FileNameFromSoftwareName(startup.softwareName));
    app.setQuitOnLastWindowClosed(false);

    // 2. One instance: a second start hands over and ends, without a word.
    SingleInstance instance(SingleInstance::ServerPathFor(startup.softwareName));
    const SingleInstance::Result claim = instance.Claim();
    if (claim == SingleInstance::Result::kOtherRunning) return 0;
    if (claim == SingleInstance::Result::kUnavailable)
        Say(u"cannot keep to one instance ("_qs + instance.Error() + u")"_qs);

    // 3. Language before any window; then the data folder.
    SettleLanguage(startup, UserInterfaceLanguage());
    OXA::Manager::SetDeviceName(startup.softwareName);
    OXA::Manager::SetProgramFolder(startup.programFolder + u'/');
    CString problem;
    CString dataFolder = DataFolder(startup.softwareName);
    if (!PrepareDataFolder(dataFolder, &problem)) {
        Say(problem);
        dataFolder.clear();
    }

    // 4. Show mode: options.showMode (0 when the command line holds "hide").
    // 5. The main window runs with the worker until it is destroyed.
    TaskQueue queue;
    CString deviceError;
    const std::unique_ptr<DeviceLinkSide> device =
        DeviceLinkSide::Create(options, startup.programFolder, dataFolder, queue, deviceError);
    if (!device) {
        Say(deviceError);
        return 2;
    }
    KeyboardDlg* shown = nullptr;  // set once the window exists
    auto lightPage = std::make_unique<LightPage>([&queue](int task) { queue.Push(task); },
                                                 [&shown](std::function<void()> work) {
                                                     if (shown) shown->PostToUi(std::move(work));
                                                 });
    PageTasks features(*device, *lightPage);
    KeyboardDlg window(queue, *device, features, startup.softwareName, startup.programFolder);
    shown = &window;
    window.AddPage(std::move(lightPage));
    instance.SetActivationHandler([&window] {
        Say(u"a second start asked this instance to show its window"_qs);
        window.ShowAndRaise();
    });

    // Pictures instead of a window: --screenshot FILE, --screenshots DIR, or
    // no display at all.
    CString shotFolder = options.screenshotFolder;
    if (shotFolder.isEmpty() && options.screenshot.isEmpty() && noDisplay)
        shotFolder = HeadlessScreenshotFolder(startup.softwareName);
    if (!shotFolder.isEmpty() || !options.screenshot.isEmpty()) {
        // After the first view, from the event loop itself (so that what the
        // worker hands over meanwhile is applied): the pictures, then the end.
        auto taken = std::make_shared<bool>(false);
        window.SetViewHook([&window, &options, &app, shotFolder, taken](bool connected) {
            if (*taken) return;  // only the first view
            *taken = true;
            QTimer::singleShot(0, &app, [&window, &options, &app, shotFolder, connected] {
                if (!options.screenshot.isEmpty()) {
                    if (!window.SaveScreenshot(options.screenshot)) Say(u"cannot write "_qs + options.screenshot);
                    window.PostMessageW(OXA::WM_CLOSE);
                    return;
                }
                QDir().mkpath(shotFolder);
                const CString connectedShot = shotFolder + u"/connected.png"_qs;
                if (connected && window.SaveScreenshot(connectedShot)) Say(u"connected view: "_qs + connectedShot);
                // The light page once its effects are loaded and its picture
                // mirrors the keyboard.
                if (connected) window.SelectTab(Pages::PositionOf(Pages::kLight));
                QTimer::singleShot(connected ? 1500 : 0, &app, [&window, shotFolder, connected] {
                    const CString lightShot = shotFolder + u"/light.png"_qs;
                    if (connected && window.SaveScreenshot(lightShot)) Say(u"light page: "_qs + lightShot);
                    window.SelectTab(Pages::PositionOf(Pages::kHome));
                    const CString homeShot = shotFolder + u"/home.png"_qs;
                    if (window.SaveScreenshot(homeShot)) Say(u"home page: "_qs + homeShot);
                    window.PostMessageW(OXA::WM_CLOSE);
                });
            });
        });
    }

    InstallEndSignals();
    QTimer endWatch;
    QObject::connect(&endWatch, &QTimer::timeout, &app, [&window] {
        if (g_endRequested) window.PostMessageW(OXA::WM_CLOSE);
    });
    endWatch.start(50);
    if (options.exitAfterMs >= 0)
        QTimer::singleShot(options.exitAfterMs, &app, [&window] { window.PostMessageW(OXA::WM_CLOSE); });

    // The virtual keyboard window, once the main window's loop runs.
    if (options.virtualKeyboard)
        QTimer::singleShot(0, &app, [&device] {
            if (!VirtualKeyboardDlg::Open(*device)) Say(u"the virtual keyboard window cannot be opened"_qs);
        });

    Say(u"running the main window (show mode %1)"_qs.arg(options.showMode));
    const int code = window.Run(options.showMode);
    VirtualKeyboardDlg::CloseOpen();  // it watches the device side, which ends with main
    if (!window.WorkerStopped()) {
        // A device exchange still runs after the 1000 ms shutdown allows:
        // end the process rather than destroy what the worker is using.
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
