#pragma once
// Writes frames as a looping animated GIF with a fixed 256-colour palette.
#include <QImage>
#include <QString>
#include <vector>

bool WriteAnimatedGif(const QString& path, const std::vector<QImage>& frames, int delayMs);
