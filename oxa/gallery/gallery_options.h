#pragma once
// The gallery's command line.
//
//   oxa_gallery [--screenshot FILE] [--exit-after MS] [--final FILE]
//               [--grab-screen FILE] [--clipboard TEXT] [--describe]
//
// --screenshot FILE   render the window, save its surface as PNG and exit
//                     (keeps running when --exit-after is given too)
// --exit-after MS     close the window MS milliseconds after the start
// --final FILE        save the window's surface when the program ends
// --grab-screen FILE  save what the display shows (the whole screen, popups
//                     included) when the program ends
// --clipboard TEXT    put TEXT on the clipboard at the start
// --describe          print one "control ..." line per named control
#include <QString>
#include <optional>

namespace gallery {

struct GalleryOptions {
    QString screenshot;
    std::optional<int> exitAfterMs;
    QString finalShot;
    QString grabScreen;
    std::optional<QString> clipboard;
    bool describe = false;
};

// Parses argv; on a bad argument returns nothing and sets error.
std::optional<GalleryOptions> ParseGalleryOptions(int argc, char** argv, QString& error);

}  // namespace gallery
