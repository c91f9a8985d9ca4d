#pragma once
// Keyboard pictures drawn from the shipped layout files: the case with
// transparent key caps (the keyboard controls paint key colours under it),
// and the connected / disconnected pictures of the device list.
#include <QString>

// Writes "keyboard/<image>" for every layout in layoutsFolder; returns how many.
int WriteKeyboardPictures(const QString& layoutsFolder);
// Writes "<img_connected>" and "<img_disconnected>" of each catalogue entry
// into deviceFolder; returns how many pictures.
int WriteDevicePictures(const QString& catalogueFile, const QString& deviceFolder);
