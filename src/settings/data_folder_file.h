#pragma once

// The data-folder file: which order-entry data folder (and which "Est"
// folder) this installation uses. It lies in the settings folder and holds
// exactly two lines, each ended by CR LF:
//   1  the data folder, e.g. /srv/oe/data or E:\OE\Data
//   2  the est folder
// written as bare text (no quotes, no separators). A file with more lines is
// read for its first two values only.
//
// Every function works in the settings folder it is given (the session's,
// common/session.h). The readers return what they read and the failure that stopped them;
// whatever was read before the failure counts as read. The session
// (common/session.h) takes the folders.

#include "common/result.h"

#include <QString>

#include <optional>

struct Session;

// The name the readers open the file by.
inline constexpr char DataFolderFileName[] = "qmvanck.dat";

// The name the data-folder window writes it by. Names are matched without
// regard to case, so both reach one file; a file that does not exist yet is
// created under this spelling.
inline constexpr char DataFolderFileWriteName[] = "qmVanCk.dat";

// The order-entry database in the data folder.
inline constexpr char DatabaseFileName[] = "qmdata.mdb";

// The folders a read found, each only when it was read, and the failure
// that stopped the read.
struct DataFolderRead
{
    std::optional<QString> dataFolder;
    std::optional<QString> estFolder;
    std::optional<Failure> failure;

    // The folders read put into the session; those not read stay as they
    // were. The result is the read's failure, if there was one.
    Result<void> applyTo(Session& session) const;
};

// Reads two delimited fields (common/field_reader.h): the first as the data
// folder, then the second as the est folder. A comma in an unquoted path
// therefore ends the data folder and the rest of the line becomes the est
// folder. Fails with:
// - FileNotFound (53) without the file: no folder read;
// - PermissionDenied (70) when it cannot be read: likewise;
// - InputPastEndOfFile (62) for an empty file (no folder read) or a file
//   with one value only (the data folder read, the est folder not).
DataFolderRead readDataFolderFile(const QString& settingsFolder);

// The comment window's read: the whole first line, commas and quotes
// included, as the data folder; never the est folder. Fails with
// FileNotFound (53), PermissionDenied (70), or InputPastEndOfFile (62) for
// an empty file, no folder read then.
DataFolderRead readDataFolderFirstLine(const QString& settingsFolder);

// Whether a folder text is taken for a path: it contains a colon anywhere
// (a drive letter) or begins with "/" (a path on this system).
bool isFolderPath(const QString& text);

// The data-folder window's "Continue": when both texts are non-empty paths
// (isFolderPath), sets the session's folders to them and rewrites the file
// atomically (in the session's settings folder) as the two lines; returns
// true. Otherwise leaves the file and
// the session alone and returns false. Fails with PermissionDenied (70)
// when the file cannot be written: the folders are set by then, the old file
// is kept.
Result<bool> writeDataFolderFile(Session& session, const QString& dataFolder,
                                 const QString& estFolder);

// dataFolder + "/" + fileName: a file in the data folder.
QString fileInDataFolder(const QString& dataFolder, const QString& fileName);

// fileInDataFolder(dataFolder, DatabaseFileName).
QString databasePath(const QString& dataFolder);
