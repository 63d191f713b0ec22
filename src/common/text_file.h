#pragma once

// Reads and writes of the small settings and comment files. Every file is
// opened and closed within one call; nothing stays open.
//
// Only regular files (or links to them) are read or written. Opening never
// waits: a FIFO, a device or a folder where a settings file should be reads
// as no file at all, rather than hanging or filling the memory.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>

// The most of a settings or comment file that is read: a thousand times
// more than any real one holds.
inline constexpr qint64 SettingsFileBound = 1024 * 1024;

// The content of the file at `path` up to SettingsFileBound bytes. A longer
// file is read up to the bound and reported (common/cut_file_notice.h).
// Throws RuntimeError FileNotFound (53) when no file is there (nothing, a
// dangling or looping link, or something that is no file: a folder, a FIFO,
// a device) and PermissionDenied (70) when the file cannot be read.
QByteArray readFileBytes(const QString& path);

// The first `bound` bytes of the file, and whether it holds more; nothing is
// reported. Fails as readFileBytes().
struct BoundedBytes
{
    QByteArray bytes;
    bool cut = false;
};
BoundedBytes readFileBytesUpTo(const QString& path, qint64 bound);

// Hands the file's bytes from `offset` on to `take`, a piece at a time, so
// that a file of any size passes through a bounded buffer. Fails as
// readFileBytes(); a failed read midway throws PermissionDenied (70).
void readFileInPieces(const QString& path, qint64 offset,
                      const std::function<void(QByteArrayView)>& take);

// Replaces the file's content with `bytes`, creating the file when missing.
// The new content goes to a temporary file beside the old one, which is
// renamed over it only once everything is written: a failure at any point
// (folder not writable, disk full, a folder or FIFO standing at `path`)
// leaves the old file exactly as it was and throws PermissionDenied (70),
// whose detail is the path, ": " and the reason. A plain truncate-and-write
// would lose the old settings in that case; the file formats are the same
// either way.
void rewriteFile(const QString& path, const QByteArray& bytes);

// rewriteFile() with the new content handed to `write` piece by piece by
// `produce`, for content too large to hold at once. A failure thrown by
// `produce` leaves the old file as it was and is passed on.
using ByteSink = std::function<void(QByteArrayView)>;
void rewriteFileFrom(const QString& path,
                     const std::function<void(const ByteSink& write)>& produce);

// Adds `line` (its bytes, line end included) to the end of the file in one
// write, creating the file when missing. When the file's last line lacks
// its line end (CR or CR LF: a copy cut short, an editor that leaves it
// off), CR LF goes first, so that `line` is never glued onto it. A write cut
// short (full disk, size limit) is taken back, leaving the file as it was,
// and throws PermissionDenied (70); so does a file that cannot be opened.
// Callers that share the file with other writers hold a lock around it.
void appendLineToFile(const QString& path, const QByteArray& line);

// The lines as Windows-1252 text, each followed by CR LF.
QByteArray joinLines(const QStringList& lines);

// The presence test of a settings file: opens it the way the program always
// has, read-write and creating an empty file when nothing is there (so a
// missing file is left behind empty), and gives its length in bytes. A file
// that can be opened only for reading still gives its length; anything
// else gives 0: no file can be opened or created, or something that is no
// file stands there. A dangling link is left alone rather than followed to
// create its target elsewhere. Never waits and never throws.
qint64 lengthCreatingIfMissing(const QString& path);

// lengthCreatingIfMissing(path) >= 10: shorter files count as holding no
// data.
bool holdsData(const QString& path);
