#include "common/text_file.h"

#include "common/cut_file_notice.h"
#include "common/runtime_error.h"
#include "common/windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr qint64 kLeastDataLength = 10;
constexpr qint64 kPieceSize = 64 * 1024;

// A failed write: the path and why, for the operator's message.
[[noreturn]] void writeFailed(const QString& path, const QString& reason)
{
    throw RuntimeError(ErrorCode::PermissionDenied, path + QStringLiteral(": ") + reason);
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A write that reported fewer bytes than asked for without an error text
// ran into the disk's or the file's size limit.
QString shortWriteReason(const QFileDevice& file)
{
    return file.error() == QFileDevice::NoError || file.errorString().isEmpty()
               ? QStringLiteral("the disk is full or the file is too large")
               : file.errorString();
}

QByteArray nativePath(const QString& path)
{
    return QFile::encodeName(path);
}

// An open file descriptor, closed when it goes.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(Descriptor&& other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    {
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    // Closes now; false (errno set) when the system reports a failure that
    // only the close revealed, as network file systems do.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool isRegularFile(int fd)
{
    struct stat info
    {
    };
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

// Opens the regular file at `path` for reading. Whatever is not one is
// refused before it is opened: opening a FIFO waits for a writer, and
// opening a device may act on it. The check after opening catches a file
// swapped in between.
Descriptor openForReading(const QString& path)
{
    const QByteArray native = nativePath(path);
    struct stat info
    {
    };
    if (::stat(native.constData(), &info) != 0) {
        if (errno == EACCES)
            throw RuntimeError(ErrorCode::PermissionDenied, path);
        throw RuntimeError(ErrorCode::FileNotFound, path);
    }
    if (!S_ISREG(info.st_mode))
        throw RuntimeError(ErrorCode::FileNotFound, path);
    Descriptor file(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        throw RuntimeError(errno == ENOENT ? ErrorCode::FileNotFound : ErrorCode::PermissionDenied,
                           path);
    if (!isRegularFile(file.get()))
        throw RuntimeError(ErrorCode::FileNotFound, path);
    return file;
}

// Reads up to `size` bytes; fewer only at the end of the file.
qint64 readSome(int fd, char* into, qint64 size, const QString& path)
{
    for (;;) {
        const ssize_t got = ::read(fd, into, static_cast<size_t>(size));
        if (got >= 0)
            return got;
        if (errno != EINTR)
            throw RuntimeError(ErrorCode::PermissionDenied,
                               path + QStringLiteral(": ") + systemReason(errno));
    }
}

// Refuses to write where something other than a file (or a link that
// leads to none yet) stands: a folder, a FIFO, a device, a looping link.
void checkWritableTarget(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(nativePath(path).constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            writeFailed(path, QStringLiteral("something other than a file stands there"));
    } else if (errno != ENOENT) {
        writeFailed(path, systemReason(errno));
    }
}

} // namespace

BoundedBytes readFileBytesUpTo(const QString& path, qint64 bound)
{
    const Descriptor file = openForReading(path);
    BoundedBytes read;
    qint64 size = 0;
    for (;;) {
        const qint64 piece = std::min(kPieceSize, bound - size);
        if (piece <= 0)
            break;
        read.bytes.resize(size + piece);
        const qint64 got = readSome(file.get(), read.bytes.data() + size, piece, path);
        size += got;
        if (got == 0)
            break;
    }
    read.bytes.resize(size);
    if (size >= bound) {
        char more = 0;
        read.cut = readSome(file.get(), &more, 1, path) > 0;
    }
    return read;
}

QByteArray readFileBytes(const QString& path)
{
    BoundedBytes read = readFileBytesUpTo(path, SettingsFileBound);
    if (read.cut)
        reportCutFile({path, QStringLiteral("1 MiB")});
    return std::move(read.bytes);
}

void readFileInPieces(const QString& path, qint64 offset,
                      const std::function<void(QByteArrayView)>& take)
{
    const Descriptor file = openForReading(path);
    if (offset > 0 && ::lseek(file.get(), offset, SEEK_SET) < 0)
        throw RuntimeError(ErrorCode::PermissionDenied,
                           path + QStringLiteral(": ") + systemReason(errno));
    QByteArray piece(kPieceSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = readSome(file.get(), piece.data(), kPieceSize, path);
        if (got == 0)
            return;
        take(QByteArrayView(piece.constData(), got));
    }
}

void rewriteFileFrom(const QString& path, const std::function<void(const ByteSink& write)>& produce)
{
    checkWritableTarget(path);
    // The rename would replace even a write-protected file; refuse as an
    // in-place write would.
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable())
        writeFailed(path, QStringLiteral("the file is write-protected"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        writeFailed(path, file.errorString());
    // QSaveFile::commit() does not notice a write cut short (full disk, file
    // size limit), neither directly nor in its final flush, and would put the
    // truncated content in place: check both here. Leaving without commit()
    // discards the temporary file.
    produce([&](QByteArrayView piece) {
        if (file.write(piece.data(), piece.size()) != piece.size())
            writeFailed(path, shortWriteReason(file));
    });
    if (!file.flush())
        writeFailed(path, shortWriteReason(file));
    if (!file.commit())
        writeFailed(path, file.errorString());
}

void rewriteFile(const QString& path, const QByteArray& bytes)
{
    rewriteFileFrom(path, [&](const ByteSink& write) { write(bytes); });
}

void appendLineToFile(const QString& path, const QByteArray& line)
{
    checkWritableTarget(path);
    const QByteArray native = nativePath(path);
    constexpr int kFlags = O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC;
    // Read access serves only to look at the last line's end; a file that
    // may be written but not read is appended to without that look.
    bool canRead = true;
    int fd = ::open(native.constData(), O_RDWR | kFlags, 0666);
    if (fd < 0 && errno == EACCES) {
        canRead = false;
        fd = ::open(native.constData(), O_WRONLY | kFlags, 0666);
    }
    Descriptor file(fd);
    if (file.get() < 0)
        writeFailed(path, systemReason(errno));
    struct stat info
    {
    };
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        writeFailed(path, QStringLiteral("something other than a file stands there"));
    const off_t oldSize = info.st_size;

    QByteArray bytes = line;
    if (canRead && oldSize > 0) {
        char tail[2] = {};
        const off_t tailSize = std::min<off_t>(oldSize, 2);
        if (::pread(file.get(), tail, static_cast<size_t>(tailSize), oldSize - tailSize) ==
            tailSize) {
            const char last = tail[tailSize - 1];
            const bool ended = last == '\r' || (last == '\n' && tailSize == 2 && tail[0] == '\r');
            if (!ended)
                bytes.prepend("\r\n");
        }
    }

    ssize_t written = -1;
    do {
        written = ::write(file.get(), bytes.constData(), static_cast<size_t>(bytes.size()));
    } while (written < 0 && errno == EINTR);
    if (written != bytes.size()) {
        const QString reason = written < 0 ? systemReason(errno)
                                           : QStringLiteral("the disk is full or the file is "
                                                            "too large");
        // Half a line would merge with the next one posted.
        if (::ftruncate(file.get(), oldSize) != 0)
            writeFailed(path, reason + QStringLiteral("; the end of the file may hold part of "
                                                      "the line"));
        writeFailed(path, reason);
    }
    if (!file.close())
        writeFailed(path, systemReason(errno));
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
    const QByteArray native = nativePath(path);
    struct stat info
    {
    };
    if (::stat(native.constData(), &info) != 0) {
        // O_EXCL creates only where nothing stands, not even a link.
        if (errno == ENOENT) {
            const Descriptor made(
                ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        }
        return 0;
    }
    if (!S_ISREG(info.st_mode))
        return 0;
    int fd = ::open(native.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const Descriptor file(fd);
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    return info.st_size;
}

bool holdsData(const QString& path)
{
    return lengthCreatingIfMissing(path) >= kLeastDataLength;
}
