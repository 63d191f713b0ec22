#pragma once

// The picture the main window shows beside the part on screen: the part
// number as a large seven-segment digit, dark on a plain light ground.
// Drawn from polygons alone, so no font, display or platform plugin is
// needed and every build draws the same pixels.

#include <QImage>

// Edge length of a part picture in pixels; the main window's picture box is
// this size.
inline constexpr int PartBitmapSize = 40;

// The picture of part `part` (1 to 9). Throws std::out_of_range for any other
// number.
QImage drawPartBitmap(int part);
