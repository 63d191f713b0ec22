#pragma once

// BID.FYL, the ticket's margins, in the settings folder: 10 lines, each
// ended by CR LF, values written as typed:
//   1      Top Margin: blank lines the printed ticket leaves at the top
//   2      Total Lines in the form (the margins window shows it as inches)
//   3..10  lines no window edits; a save copies them through unchanged
// Lines 1 and 2 are read as whole numbers: the numeric reading of the line
// rounded half to even, within -32768..32767.
//
// The readers and the save take the settings folder the file lies in.

#include "common/result.h"

#include <QString>
#include <QStringList>

#include <cstdint>

inline constexpr char MarginsFileName[] = "BID.FYL";

struct Margins
{
    std::int16_t topMargin = 0;
    std::int16_t totalLines = 0;
};

// The margins window's read: five lines, lines 1 and 2 as whole numbers.
// Fails with FileNotFound (53) without the file, InputPastEndOfFile (62) for
// fewer than five lines, Overflow (6) for a number out of range,
// PermissionDenied (70) when it cannot be read.
Result<Margins> readMargins(const QString& settingsFolder);

// The print's read: line 1 as a whole number; a file of fewer than five
// lines still gives its line 1. Fails as readMargins() does for a missing,
// empty or unreadable file or an out-of-range number.
Result<std::int16_t> readTopMargin(const QString& settingsFolder);

// The margins window's save: reads up to 10 lines of the present file (as
// many as it has; none when it is missing or unreadable), then rewrites it
// as 10 lines: `topMargin`, `totalLines`, then the old lines 3 to 10, empty
// where the old file had none. Lines after the tenth are dropped. Atomic: on
// failure the old file stays as it was and the save fails with
// PermissionDenied (70).
Result<void> saveMargins(const QString& settingsFolder, const QString& topMargin,
                         const QString& totalLines);

// The page height the margins window shows for a line count: lines / 6 (six
// lines to the inch) in the "##.#" form: rounded to one decimal (halves away
// from zero), no leading zero, the point always shown, a tenths digit of 0
// left out. 66 -> "11.", 63 -> "10.5", 3 -> ".5", 0 -> ".".
QString pageHeightText(double totalLines);
