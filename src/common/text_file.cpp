#include "common/text_file.h"

#include "common/runtime_error.h"
#include "common/windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 kLeastDataLength = 10;

} // namespace

QByteArray readFileBytes(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw RuntimeError(ErrorCode::FileNotFound, path);
    // QFile refuses to open a folder; say so as a plain access failure.
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw RuntimeError(ErrorCode::PermissionDenied, path);
    return file.readAll();
}

void rewriteFile(const QString& path, const QByteArray& bytes)
{
    // The rename would replace even a write-protected file; refuse as an
    // in-place write would.
    const QFileInfo info(path);
    if (info.exists() && !info.isDir() && !info.isWritable())
        throw RuntimeError(ErrorCode::PermissionDenied, path);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw RuntimeError(ErrorCode::PermissionDenied, path);
    // QSaveFile::commit() does not notice a write cut short (full disk, file
    // size limit), neither directly nor in its final flush, and would put the
    // truncated content in place: check both here. Leaving without commit()
    // discards the temporary file.
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw RuntimeError(ErrorCode::PermissionDenied, path);
    if (!file.commit())
        throw RuntimeError(ErrorCode::PermissionDenied, path);
}

void appendToFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw RuntimeError(ErrorCode::PermissionDenied, path);
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw RuntimeError(ErrorCode::PermissionDenied, path);
}

QByteArray joinLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toWindows1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

qint64 lengthCreatingIfMissing(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadWrite) || file.open(QIODevice::ReadOnly))
        return file.size();
    return 0;
}

bool holdsData(const QString& path)
{
    return lengthCreatingIfMissing(path) >= kLeastDataLength;
}
