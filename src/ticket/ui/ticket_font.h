#pragma once

#include <QFont>

// The ticket's face, Courier New (or `family`), at `pointSize`. When the
// family the system resolves for it is not fixed-pitch (no such font
// installed and no fixed substitute configured), the system's fixed font at
// that size takes its place, or the first installed fixed-pitch face when
// that one is not fixed-pitch either; the program says so once on its error
// output: columns only line up in a fixed-pitch face.
QFont ticketFont(int pointSize, const QString& family = QStringLiteral("Courier New"));
