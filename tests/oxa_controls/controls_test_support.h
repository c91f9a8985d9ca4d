#pragma once
// A dialog that records notifications, a skin folder of plain-coloured
// strips, and helpers that drive the window with synthetic input.
#include <vector>

#include "tests/support/note_dialog.h"
#include "tests/support/picture_folder.h"

namespace ctltest {

using namespace OXA;
using oxatest::At;
using oxatest::Note;
using oxatest::NoteDialog;

// A program folder whose skin holds strips of solid colours, one per frame.
class ColourSkin : public oxatest::PictureFolder {
public:
    // Writes name inside the skin folder with one frameWidth x height frame
    // per colour.
    void Strip(const QString& name, int frameWidth, int height, const std::vector<QRgb>& colours)
    {
        SkinStrip(name, frameWidth, height, colours);
    }
};

}  // namespace ctltest
