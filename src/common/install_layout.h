#pragma once

// Where a copy of the program finds its companions: the database reader,
// the part bitmaps and the settings folder.
//
// A copy runs either from a folder of its own (a build tree, or an unpacked
// portable folder), with the reader beside the program, or from an install
// tree: the program in bin/, the reader in the private helper folder
// libexec/vantrell-ticket/ of the same prefix, the bitmaps in
// share/vantrell-ticket/. A folder of its own keeps the settings beside the
// program; an install tree keeps them in the user's configuration folder.
// Which of the two is decided by where the reader is, never by whether the
// program's folder may be written: root may write into /usr/bin, and an
// installed copy started by root must not leave settings files there.
//
// Everything here is a plain function of its arguments, or looks at the
// file system only where its name says so.

#include <QString>

namespace install_layout {

inline constexpr char ReaderName[] = "qmdata-reader";

enum class Layout { OwnFolder, InstallTree };

// Where the reader is found, as seen from the program's folder.
struct ReaderPresence
{
    bool besideProgram = false;
    bool inHelperFolder = false;
};

// The helper folder and the installed data folder of the install tree whose
// program folder is `programFolder` (both exist only in an install tree).
QString helperFolder(const QString& programFolder);
QString installedDataFolder(const QString& programFolder);

// A reader beside the program makes the copy's folder its own, whatever else
// there is; a reader only in the helper folder makes it an install tree. A
// copy with no reader at all stays in its own folder, as it always did.
Layout layoutOf(ReaderPresence reader);

// The settings folder: `explicitFolder` when one was given, else the
// program's folder for a copy in its own folder, else `userConfigFolder`.
QString settingsFolderFor(const QString& programFolder, ReaderPresence reader,
                          const QString& explicitFolder, const QString& userConfigFolder);

// Looks at the file system: which of the two places hold an executable
// reader.
ReaderPresence readerPresenceIn(const QString& programFolder);

// The reader program to start: beside the program, else in the helper
// folder. When neither holds one, `program` is the place beside the program
// (starting it fails, as for an unreadable database) and `missing` is set.
struct ReaderLookup
{
    QString program;
    bool missing = false;
};
ReaderLookup findReader(const QString& programFolder);

// What the operator is told when neither place holds the reader: both places.
QString missingReaderMessage(const QString& programFolder);

// The bitmap of part `part`: the settings folder's own copy when it has one
// (its name matched without regard to letter case), else the installed data
// folder's.
QString partBitmapPath(const QString& settingsFolder, const QString& programFolder, int part);

} // namespace install_layout
