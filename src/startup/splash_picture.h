#pragma once

// The splash window's background: drawn in code rather than loaded from a
// file, so the program needs no picture beside it.

#include <QPixmap>
#include <QSize>

// A deep blue to teal gradient with a printer feeding out a delivery ticket
// on the left; the right part and the bottom band are kept plain for the
// window's texts.
QPixmap splashPicture(const QSize& size);
