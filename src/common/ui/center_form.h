#pragma once

#include <QPoint>
#include <QSizeF>

class QWidget;

// Moves the window to the middle of the primary screen as platform() reports
// it: left = (screen width - window width) / 2 and top = (screen height -
// window height) / 2, where the window's size is its frame size. The window's
// size is not changed, and nothing keeps it on the screen: a window larger
// than the screen gets a negative left or top.
void CenterForm(QWidget& window);

// The arithmetic of CenterForm: the centred frame position in pixels for a
// screen size in twips and a frame size in pixels. Everything is computed in
// twips in single precision, with no rounding until the final conversion to
// whole pixels (to the nearest, halves away from zero).
QPoint centeredPosition(QSizeF screenTwips, QSizeF framePixels, double twipsPerPixel);
