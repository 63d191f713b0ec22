#pragma once

// OwnsAct.DAT, the shop owner's record: a random-access file of 128-byte
// record slots holding one record in slot 1, so the record is always bytes
// 0 to 124 of the file. Five fixed-width fields of Windows-1252 text follow
// each other with no separators, each left-justified and padded with blanks
// to its width, or cut to it:
//   offset  0  width 25  Name (the ticket prints it after "FROM: ")
//   offset 25  width 25  Address
//   offset 50  width 25  City, State & Zip
//   offset 75  width 14  Phone Number
//   offset 89  width 36  Comment Line
// Nothing after byte 124 is ever read, and writing never shortens the file:
// bytes from offset 125 on are kept. The file is read as "OwnsAct.DAT" and
// written as "Ownsact.dat"; names are matched without regard to case, so
// both reach one file. Both functions take the settings folder it lies in.

#include "common/result.h"

#include <QString>

#include <optional>

inline constexpr char OwnerRecordFileName[] = "OwnsAct.DAT";
inline constexpr char OwnerRecordFileWriteName[] = "Ownsact.dat";

struct OwnerRecord
{
    static constexpr int NameWidth = 25;
    static constexpr int AddressWidth = 25;
    static constexpr int CityStateZipWidth = 25;
    static constexpr int PhoneWidth = 14;
    static constexpr int CommentWidth = 36;
    static constexpr int Length = 125;

    QString name;
    QString address;
    QString cityStateZip;
    QString phone;
    QString comment;
};

// The presence test, then record 1 with every field trimmed of blanks at
// both ends. nullopt when the file is shorter than 10 bytes or missing (a
// missing file is then created empty). A file of 10 to 124 bytes gives the
// fields it reaches (a field cut by the end of the file gives the bytes
// that exist); the rest are empty. Never throws.
std::optional<OwnerRecord> readOwnerRecord(const QString& settingsFolder);

// Writes the record as bytes 0 to 124, each field padded or cut to its
// width; a character Windows-1252 cannot hold is stored as "?". Bytes from
// offset 125 on are kept. The rewrite is atomic: on failure the old file
// stays as it was and the write fails with PermissionDenied (70).
Result<void> writeOwnerRecord(const QString& settingsFolder, const OwnerRecord& record);
