#include "oxa/gallery/gallery_options.h"

#include <cstring>

namespace gallery {

std::optional<GalleryOptions> ParseGalleryOptions(int argc, char** argv, QString& error)
{
    GalleryOptions options;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--describe") == 0) {
            options.describe = true;
            continue;
        }
        const bool takesValue = std::strcmp(arg, "--screenshot") == 0 || std::strcmp(arg, "--exit-after") == 0 ||
                                std::strcmp(arg, "--final") == 0 || std::strcmp(arg, "--grab-screen") == 0 ||
                                std::strcmp(arg, "--clipboard") == 0;
        if (!takesValue) {
            // Qt's own options (-platform, ...) were taken out by the
            // application before this runs.
            error = QStringLiteral("unknown argument %1").arg(QString::fromLocal8Bit(arg));
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            error = QStringLiteral("%1 needs a value").arg(QString::fromLocal8Bit(arg));
            return std::nullopt;
        }
        const QString value = QString::fromLocal8Bit(argv[++i]);
        if (std::strcmp(arg, "--screenshot") == 0) {
            options.screenshot = value;
        } else if (std::strcmp(arg, "--final") == 0) {
            options.finalShot = value;
        } else if (std::strcmp(arg, "--grab-screen") == 0) {
            options.grabScreen = value;
        } else if (std::strcmp(arg, "--clipboard") == 0) {
            options.clipboard = value;
        } else {
            bool ok = false;
            const int ms = value.toInt(&ok);
            if (!ok || ms < 0) {
                error = QStringLiteral("--exit-after needs a number of milliseconds, not \"%1\"").arg(value);
                return std::nullopt;
            }
            options.exitAfterMs = ms;
        }
    }
    return options;
}

}  // namespace gallery
