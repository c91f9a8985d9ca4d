// Program entry of Varnet: reads the software name, keeps to one instance,
// settles the language and the data folder, then runs the worker. Until the
// main window exists the program runs without one and ends on SIGINT or
// SIGTERM, or after --exit-after milliseconds.
#include <QGuiApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/device_side_factory.h"
#include "app/headless_window.h"
#include "app/shell/feature_tasks.h"
#include "app/shell/locale_language.h"
#include "app/shell/shell_options.h"
#include "app/shell/shell_startup.h"
#include "app/shell/shell_worker.h"
#include "app/shell/task_queue.h"
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
    QGuiApplication app(argc, argv);
    if (platformChosen) qunsetenv("QT_QPA_PLATFORM");
    app.setApplicationName(FileNameFromSoftwareName(startup.softwareName));

    // 2. One instance: a second start hands over and ends, without a word.
    SingleInstance instance(SingleInstance::ServerPathFor(startup.softwareName));
    const SingleInstance::Result claim = instance.Claim();
    if (claim == SingleInstance::Result::kOtherRunning) return 0;
    if (claim == SingleInstance::Result::kUnavailable)
        Say(u"cannot keep to one instance ("_qs + instance.Error() + u")"_qs);

    // 3. Language before any window; then the data folder.
    SettleLanguage(startup, UserInterfaceLanguage());
    CString problem;
    CString dataFolder = DataFolder(startup.softwareName);
    if (!PrepareDataFolder(dataFolder, &problem)) {
        Say(problem);
        dataFolder.clear();
    }

    // 4. Show mode: options.showMode (0 when the command line holds "hide").
    // 5. The shell runs; without the main window it runs the worker alone.
    TaskQueue queue;
    HeadlessWindow window;
    CString deviceError;
    const std::unique_ptr<DeviceSide> device =
        CreateDeviceSide(options, startup.programFolder, dataFolder, queue, deviceError);
    if (!device) {
        Say(deviceError);
        return 2;
    }
    NoFeatureTasks features;
    ShellWorker worker(queue, *device, features, window);
    instance.SetActivationHandler([&window] { window.ShowAndRaise(); });

    InstallEndSignals();
    QTimer endWatch;
    QObject::connect(&endWatch, &QTimer::timeout, &app, [] {
        if (g_endRequested) QCoreApplication::quit();
    });
    endWatch.start(50);
    if (options.exitAfterMs >= 0) QTimer::singleShot(options.exitAfterMs, &app, &QCoreApplication::quit);

    Say(u"no main window yet; running the worker (show mode %1)"_qs.arg(options.showMode));
    worker.StartWorker();
    const int code = app.exec();
    if (!worker.StopWorker()) {
        // A device exchange still runs after the 1000 ms shutdown allows:
        // end the process rather than destroy what the worker is using.
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
