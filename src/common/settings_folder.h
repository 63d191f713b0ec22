#pragma once

// How a file name is matched in a folder, the settings folder or another.
// Which folder holds the settings files is decided once at start-up and
// kept in the session (common/session.h).
//
// The settings files were always addressed without regard to letter case,
// and some of them under two spellings ("OwnsAct.DAT" where it is read,
// "Ownsact.dat" where it is written). On a case-sensitive file system both
// spellings must still reach one file.

#include <QString>

// The path of the file `name` (a plain file name, no folder part) in
// `folder`, matched without regard to letter case: an entry spelled exactly
// `name` wins, else an entry whose name differs only in case, else the path
// under the spelling asked for, so that a file that does not exist yet is
// created under the spelling of its first writer. Works for any folder, e.g.
// the comment file in the data folder.
QString resolveFileName(const QString& folder, const QString& name);
