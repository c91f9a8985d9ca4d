// oxa_gallery: one window with every standard control of oxa in its states,
// for looking at the skin and for driving the controls from outside (see
// gallery_options.h for the command line, gallery_dialog.h for what it
// prints and stdin_commands.h for what it reads).
#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "oxa/core/manager.h"
#include "oxa/core/native_window.h"
#include "oxa/core/screenshot.h"
#include "oxa/gallery/gallery_dialog.h"
#include "oxa/gallery/gallery_options.h"
#include "oxa/gallery/stdin_commands.h"

using namespace OXA;
using gallery::GalleryDialog;

namespace {

// The whole screen as the display shows it (popups included).
bool GrabScreen(const QString& path)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen && screen->grabWindow(0).save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QString error;
    const auto options = gallery::ParseGalleryOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "oxa_gallery: %s\n", error.toLocal8Bit().constData());
        return 2;
    }

    GalleryDialog dialog(stdout);
    if (!dialog.Create(nullptr, u"oxa gallery"_qs, WS_POPUP | WS_VISIBLE, 0,
                       CRect(0, 0, GalleryDialog::kWidth, GalleryDialog::kHeight)))
        return 1;
    if (options->describe)
        dialog.Describe();
    if (!options->screenshot.isEmpty()) {
        if (!SaveWindowScreenshot(dialog, options->screenshot)) {
            std::fprintf(stderr, "oxa_gallery: cannot save %s\n", options->screenshot.toLocal8Bit().constData());
            return 1;
        }
        if (!options->exitAfterMs)
            return 0;
    }
    if (options->clipboard)
        QGuiApplication::clipboard()->setText(*options->clipboard);

    bool finished = false;
    auto finish = [&] {
        if (finished)
            return;
        finished = true;
        if (!options->finalShot.isEmpty())
            SaveWindowScreenshot(dialog, options->finalShot);
        if (!options->grabScreen.isEmpty())
            GrabScreen(options->grabScreen);
        dialog.DestroyWindow();
    };
    if (options->exitAfterMs)
        QTimer::singleShot(*options->exitAfterMs, &app, finish);

    gallery::StdinCommands commands([&](const QString& command, const QString& argument) {
        if (command == u"shot")
            return !argument.isEmpty() && SaveWindowScreenshot(dialog, argument);
        if (command == u"grab")
            return !argument.isEmpty() && GrabScreen(argument);
        if (command == u"text") {
            bool ok = false;
            const unsigned id = argument.toUInt(&ok);
            return ok && dialog.PrintText(id);
        }
        if (command == u"quit") {
            QTimer::singleShot(0, &app, finish);
            return true;
        }
        return false;
    });

    const CPoint origin = dialog.ClientToScreen(CPoint(0, 0));
    dialog.StartReporting();
    std::printf("ready x=%d y=%d w=%d h=%d\n", origin.x, origin.y, GalleryDialog::kWidth, GalleryDialog::kHeight);
    std::fflush(stdout);
    const int code = Manager::MessageLoop();
    return code;
}
