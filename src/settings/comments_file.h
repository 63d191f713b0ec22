#pragma once

// Comments.Dat, the stock comment lines, in the data folder (DataFolder,
// not the settings folder): one comment per line as typed, each ended by
// CR LF, in list order, Windows-1252. No header, no count; an empty file is
// an empty list. Lines are read whole (a line ends at CR or CR LF).

#include <QString>
#include <QStringList>

inline constexpr char CommentsFileName[] = "Comments.Dat";

// The comment file's path in the data folder, the name matched without
// regard to case.
QString commentsFilePath();

// Every line of the file, in file order. Throws RuntimeError: FileNotFound
// (53) without the file or without a data folder (DataFolder empty),
// PermissionDenied (70) when it cannot be read.
QStringList readComments();

// Posting: adds one line at the end, creating the file when missing. Throws
// PermissionDenied (70) when it cannot be written or DataFolder is empty;
// the file is then as it was (the whole file is rewritten atomically, so a
// write cut short cannot leave half a line).
void appendComment(const QString& comment);

// Leaving the comment window: the file becomes exactly these lines.
// Atomic: on failure (DataFolder empty included) the old file stays as it
// was and PermissionDenied (70) is thrown.
void rewriteComments(const QStringList& comments);
