#include "orderdb/table_source.h"

#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "orderdb/reader_process.h"
#include "orderdb/snapshot_protocol.h"

#include <QDir>
#include <QFileInfo>

#include <map>
#include <mutex>
#include <sys/stat.h>

namespace table_source {
namespace {

constexpr int ReaderMemoryLimitMiB = 1024;
constexpr qint64 MaxStreamBytes = qint64{2} << 30;

// Tables may be read on a background thread (see TableCursor), so the shared
// state is guarded. It is never destroyed: a read still running when the
// program ends must not find it gone.
std::mutex& stateLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

std::chrono::milliseconds g_baseTimeLimit{20000};
QString* g_readerProgram = new QString;

struct FileIdentity
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileIdentity& other) const
    {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

struct CachedTable
{
    FileIdentity identity;
    std::shared_ptr<const TableSnapshot> snapshot;
};

std::map<std::pair<QString, QString>, CachedTable>& cache()
{
    static auto* tables = new std::map<std::pair<QString, QString>, CachedTable>;
    return *tables;
}

QString defaultReaderProgram()
{
    // The folder of this very executable, found without needing a running
    // application object.
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return QFileInfo(self.canonicalFilePath()).absolutePath() + QStringLiteral("/qmdata-reader");
}

std::chrono::milliseconds timeLimitFor(off_t fileSize)
{
    const std::lock_guard guard(stateLock());
    return g_baseTimeLimit + std::chrono::seconds(fileSize / (4 << 20));
}

std::shared_ptr<const TableSnapshot> cached(const std::pair<QString, QString>& key,
                                            const FileIdentity& identity)
{
    const std::lock_guard guard(stateLock());
    const auto found = cache().find(key);
    if (found != cache().end() && found->second.identity == identity)
        return found->second.snapshot;
    return nullptr;
}

} // namespace

QString readerProgram()
{
    const std::lock_guard guard(stateLock());
    if (g_readerProgram->isEmpty())
        *g_readerProgram = defaultReaderProgram();
    return *g_readerProgram;
}

void setReaderProgram(const QString& path)
{
    const std::lock_guard guard(stateLock());
    *g_readerProgram = path;
}

void setBaseTimeLimit(std::chrono::milliseconds limit)
{
    const std::lock_guard guard(stateLock());
    g_baseTimeLimit = limit;
}

void clearCache()
{
    const std::lock_guard guard(stateLock());
    cache().clear();
}

std::shared_ptr<const TableSnapshot> read(const QString& databaseFile, const QString& table)
{
    const QFileInfo file(databaseFile);
    if (!QDir(file.absolutePath()).exists())
        throw RuntimeError(ErrorCode::InvalidDatabasePath, file.absolutePath());

    // A data folder copied from Windows may spell the file in any case.
    const QString filePath = resolveFileName(file.absolutePath(), file.fileName());
    struct stat info;
    if (::stat(QFile::encodeName(filePath).constData(), &info) != 0)
        throw RuntimeError(ErrorCode::DatabaseFileNotFound, databaseFile);
    if (!S_ISREG(info.st_mode))
        throw RuntimeError(ErrorCode::UnreadableDatabase, databaseFile);
    const FileIdentity identity{info.st_dev, info.st_ino, info.st_size, info.st_mtim};

    const auto key = std::make_pair(filePath, table.toLower());
    if (auto snapshot = cached(key, identity))
        return snapshot;

    const ReaderProcess::Result run = ReaderProcess::run(
        readerProgram(), {filePath, table, QString::number(ReaderMemoryLimitMiB)},
        timeLimitFor(info.st_size), MaxStreamBytes);

    if (run.outcome == ReaderProcess::Outcome::Exited &&
        run.exitCode == snapshot_protocol::ExitNoSuchTable)
        throw RuntimeError(ErrorCode::TableNotFound, table);
    if (run.outcome != ReaderProcess::Outcome::Exited || run.exitCode != 0)
        throw RuntimeError(ErrorCode::UnreadableDatabase, databaseFile);

    std::optional<TableSnapshot> snapshot = TableSnapshot::fromStream(run.output);
    if (!snapshot)
        throw RuntimeError(ErrorCode::UnreadableDatabase, databaseFile);

    auto shared = std::make_shared<const TableSnapshot>(std::move(*snapshot));
    const std::lock_guard guard(stateLock());
    cache()[key] = CachedTable{identity, shared};
    return shared;
}

} // namespace table_source
