#include "common/text_file.h"

#include "common/runtime_error.h"
#include "common/windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 kLeastDataLength = 10;

// A failed write: the path and why, for the operator's message.
[[noreturn]] void writeFailed(const QString& path, const QString& reason)
{
    throw RuntimeError(ErrorCode::PermissionDenied, path + QStringLiteral(": ") + reason);
}

// A write that reported fewer bytes than asked for without an error text
// ran into the disk's or the file's size limit.
QString shortWriteReason(const QFileDevice& file)
{
    return file.error() == QFileDevice::NoError || file.errorString().isEmpty()
               ? QStringLiteral("the disk is full or the file is too large")
               : file.errorString();
}

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
        writeFailed(path, QStringLiteral("the file is write-protected"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        writeFailed(path, file.errorString());
    // QSaveFile::commit() does not notice a write cut short (full disk, file
    // size limit), neither directly nor in its final flush, and would put the
    // truncated content in place: check both here. Leaving without commit()
    // discards the temporary file.
    if (file.write(bytes) != bytes.size() || !file.flush())
        writeFailed(path, shortWriteReason(file));
    if (!file.commit())
        writeFailed(path, file.errorString());
}

void appendToFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        writeFailed(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        writeFailed(path, shortWriteReason(file));
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
