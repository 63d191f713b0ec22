#pragma once

// Whole-file reads and writes of the small settings and comment files. Every
// file is opened and closed within one call; nothing stays open.

#include <QByteArray>
#include <QString>
#include <QStringList>

// The whole content of the file at `path`. Throws RuntimeError with
// FileNotFound (53) when nothing is there and PermissionDenied (70) when it
// cannot be read, a folder standing at `path` included.
QByteArray readFileBytes(const QString& path);

// Replaces the file's content with `bytes`, creating the file when missing.
// The new content goes to a temporary file beside the old one, which is
// renamed over it only once everything is written: a failure at any point
// (folder not writable, disk full, a folder standing at `path`) leaves the
// old file exactly as it was and throws PermissionDenied (70), whose detail
// is the path, ": " and the reason. A plain
// truncate-and-write would lose the old settings in that case; the file
// formats are the same either way.
void rewriteFile(const QString& path, const QByteArray& bytes);

// Adds `bytes` to the end of the file, creating it when missing. Throws
// PermissionDenied (70) when the file cannot be opened or written.
void appendToFile(const QString& path, const QByteArray& bytes);

// The lines as Windows-1252 text, each followed by CR LF.
QByteArray joinLines(const QStringList& lines);

// The presence test of a settings file: opens it the way the old program
// did, read-write and creating an empty file when missing (so a missing file
// is left behind empty), and gives its length in bytes. A file that can be
// opened only for reading still gives its length; one that cannot be opened
// or created gives 0. Never throws.
qint64 lengthCreatingIfMissing(const QString& path);

// lengthCreatingIfMissing(path) >= 10: shorter files count as holding no
// data.
bool holdsData(const QString& path);
