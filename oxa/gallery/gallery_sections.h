#pragma once
// The gallery's columns, each filled by one function from (x, y) down,
// width pixels wide.
namespace gallery {

class GalleryBoard;

// Push, image, text, check, radio, select, colour, switch, help, upgrade,
// icon, timer and download buttons.
void BuildButtonSection(GalleryBoard& board, int x, int y, int width);
// Static text, pictures, the animated GIF, progress bars, sliders, the level
// control and the spin button.
void BuildValueSection(GalleryBoard& board, int x, int y, int width);
// Edits, combo boxes, the list box and the popup menu.
void BuildInputSection(GalleryBoard& board, int x, int y, int width);
// The tab strip with its pages, colour pickers, rich edits and the text area.
void BuildExtraSection(GalleryBoard& board, int x, int y, int width);

}  // namespace gallery
