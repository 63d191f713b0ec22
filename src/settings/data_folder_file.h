#pragma once

// The data-folder file: which order-entry data folder (and which "Est"
// folder) this installation uses. It lies in the settings folder and holds
// exactly two lines, each ended by CR LF:
//   1  DataFolder, e.g. /srv/oe/data or E:\OE\Data
//   2  EstFolder
// written as bare text (no quotes, no separators). A file with more lines is
// read for its first two values only.
//
// The readers fill the module-wide DataFolder and EstFolder
// (common/module_values.h) and report failures by throwing RuntimeError;
// whatever was read before the failure stays read.

#include <QString>

// The name the readers open the file by.
inline constexpr char DataFolderFileName[] = "qmvanck.dat";

// The name the data-folder window writes it by. Names are matched without
// regard to case, so both reach one file; a file that does not exist yet is
// created under this spelling.
inline constexpr char DataFolderFileWriteName[] = "qmVanCk.dat";

// The order-entry database in the data folder.
inline constexpr char DatabaseFileName[] = "qmdata.mdb";

// Reads two delimited fields (common/field_reader.h): the first into
// DataFolder, then the second into EstFolder, each assigned as soon as it is
// read. A comma in an unquoted path therefore ends DataFolder and the rest
// of the line becomes EstFolder. Throws RuntimeError:
// - FileNotFound (53) without the file: both values stay as they were;
// - PermissionDenied (70) when it cannot be read: likewise;
// - InputPastEndOfFile (62) for an empty file (nothing changes) or a file
//   with one value only (DataFolder is set, EstFolder stays as it was).
void readDataFolderFile();

// The comment window's read: the whole first line, commas and quotes
// included, into DataFolder; EstFolder is left alone. Throws RuntimeError
// FileNotFound (53), PermissionDenied (70), or InputPastEndOfFile (62) for
// an empty file, DataFolder then unchanged.
void readDataFolderFirstLine();

// Whether a folder text is taken for a path: it contains a colon anywhere
// (a drive letter) or begins with "/" (a path on this system).
bool isFolderPath(const QString& text);

// The data-folder window's "Continue": when both texts are non-empty paths
// (isFolderPath), sets DataFolder and EstFolder to them and rewrites the
// file atomically as the two lines; returns true. Otherwise leaves the file
// and both values alone and returns false. Throws PermissionDenied (70) when
// the file cannot be written: the values are set by then, the old file is
// kept.
bool writeDataFolderFile(const QString& dataFolder, const QString& estFolder);

// DataFolder + "/" + fileName: a file in the data folder.
QString fileInDataFolder(const QString& fileName);

// fileInDataFolder(DatabaseFileName).
QString databasePath();
