#pragma once

// DELVHEAD.DAT, the block of lines that heads every delivery ticket. It lies
// in the settings folder and is written as exactly 11 lines, each the value
// as typed (no quoting, no separators) followed by CR LF, in Windows-1252:
//    1  Top Border Copy         7  Fax Number
//    2  Owners Head             8  spacer: always four blanks "    "
//    3  Bottom Border Copy      9  Main Headline
//    4  Address Line           10  Line Spaces (blank lines after the headline)
//    5  City, State & Zip      11  Email/Web Address
//    6  Phone Number
// A file shorter than 10 bytes holds no data (the presence test, which
// leaves a missing file behind empty). A longer file is read line by line
// (a line ends at CR or CR LF) into slots 1, 2, 3 ... until the file ends or
// 11 lines are read; lines beyond the 11th are ignored, and slots the file
// does not reach are empty.
//
// Both functions take the settings folder the file lies in.

#include "common/result.h"

#include <QString>

#include <array>
#include <optional>

inline constexpr char DeliveryHeaderFileName[] = "DELVHEAD.DAT";

// The header's eleven values, slot n holding line n of the file.
struct DeliveryHeader
{
    static constexpr int SlotCount = 11;
    static constexpr int SpacerSlot = 8;
    static constexpr int LineSpacesSlot = 10;
    static constexpr int EmailSlot = 11;

    // Slots 1 to 11.
    QString& slot(int n) { return values.at(static_cast<std::size_t>(n - 1)); }
    const QString& slot(int n) const { return values.at(static_cast<std::size_t>(n - 1)); }

    // Named "values": "slots" is a keyword of the toolkit.
    std::array<QString, SlotCount> values;
};

// The presence test, then the read. nullopt when the file holds no data
// (shorter than 10 bytes or missing; a missing file is then created empty).
// A file that cannot be read gives empty slots. Never fails.
std::optional<DeliveryHeader> readDeliveryHeader(const QString& settingsFolder);

// Rewrites the file with the 11 slots, slot 8 always written as four blanks
// whatever it holds. The rewrite is atomic: on failure the old file stays as
// it was and the write fails with PermissionDenied (70).
Result<void> writeDeliveryHeader(const QString& settingsFolder, const DeliveryHeader& header);
