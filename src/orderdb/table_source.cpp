#include "orderdb/table_source.h"

#include "common/install_layout.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "orderdb/reader_process.h"
#include "orderdb/snapshot_protocol.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <map>
#include <mutex>
#include <sys/stat.h>

namespace {

constexpr int ReaderMemoryLimitMiB = 1024;
// Whatever the file, the snapshots never take more than this; and however
// small it is, they may take this much.
constexpr qint64 MemoryCeiling = qint64{1} << 30;
constexpr qint64 MemoryFloor = qint64{64} << 20;
// A file that keeps changing is read this often before the read fails.
constexpr int ReadAttempts = 3;

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

struct CacheKey
{
    QString file;
    QString table;  // lower case
    QString fields; // lower case, joined

    bool operator<(const CacheKey& other) const
    {
        return std::tie(file, table, fields) < std::tie(other.file, other.table, other.fields);
    }
};

struct CachedTable
{
    FileIdentity identity;
    std::shared_ptr<const TableSnapshot> snapshot;
};

// The cache holds the tables of one version of one file: a new version or
// another file pushes the old ones out.
using TableCache = std::map<CacheKey, CachedTable>;

QString defaultReaderProgram()
{
    // Looked up from the folder of this very executable, found without
    // needing a running application object.
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return install_layout::findReader(QFileInfo(self.canonicalFilePath()).absolutePath()).program;
}

// The file's identity, or the failure that stands for why it has none.
FileIdentity identityOf(const QString& filePath, const QString& databaseFile)
{
    struct stat info;
    if (::stat(QFile::encodeName(filePath).constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw RuntimeError(ErrorCode::DatabaseFileNotFound, databaseFile);
        // It may be there, but may not be reached (a folder that may not be
        // entered, say): that is no missing file.
        throw RuntimeError(ErrorCode::UnreadableDatabase,
                           databaseFile + QStringLiteral(" cannot be opened"));
    }
    if (!S_ISREG(info.st_mode))
        throw RuntimeError(ErrorCode::UnreadableDatabase, databaseFile);
    return FileIdentity{info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}

// Under the lock: the cached snapshot of this key for this version of the
// file, if any; and what the other cached tables of that version take.
std::shared_ptr<const TableSnapshot> cached(const TableCache& cache, const CacheKey& key,
                                            const FileIdentity& identity, qint64& othersBytes)
{
    othersBytes = 0;
    std::shared_ptr<const TableSnapshot> found;
    for (const auto& [cachedKey, table] : cache) {
        if (cachedKey.file != key.file || !(table.identity == identity))
            continue;
        if (cachedKey.table == key.table && cachedKey.fields == key.fields)
            found = table.snapshot;
        else
            othersBytes += table.snapshot->memoryBytes();
    }
    return found;
}

// The reader's stream, taken apart while it arrives.
class SnapshotSink : public ReaderProcess::Sink
{
public:
    explicit SnapshotSink(qint64 limit)
        : m_builder(static_cast<std::size_t>(limit))
    {
    }
    std::span<char> room() override { return m_builder.room(); }
    bool received(std::size_t size) override { return m_builder.received(size); }
    std::optional<TableSnapshot> finish() { return m_builder.finish(); }

private:
    TableSnapshot::Builder m_builder;
};

// One run of the reader, with the limits and program of the moment.
struct ReaderRun
{
    QString program;
    ReaderProcess::Limits limits;
};

std::shared_ptr<const TableSnapshot> readOnce(ReaderRun reader, const QString& filePath,
                                              const QString& databaseFile, const QString& table,
                                              const QStringList& fields, qint64 limit)
{
    QStringList arguments{filePath, table, QString::number(ReaderMemoryLimitMiB),
                          QString::number(limit)};
    arguments += fields;
    reader.limits.maxOutputBytes = limit;
    SnapshotSink sink(limit);
    const ReaderProcess::Result run =
        ReaderProcess::run(reader.program, arguments, reader.limits, sink);

    if (run.outcome == ReaderProcess::Outcome::Exited &&
        run.exitCode == snapshot_protocol::ExitNoSuchTable)
        throw RuntimeError(ErrorCode::TableNotFound, table);
    if (run.outcome != ReaderProcess::Outcome::Exited || run.exitCode != 0)
        throw RuntimeError(ErrorCode::UnreadableDatabase, databaseFile);

    std::optional<TableSnapshot> snapshot = sink.finish();
    if (!snapshot || snapshot->memoryBytes() > limit)
        throw RuntimeError(ErrorCode::UnreadableDatabase, databaseFile);
    return std::make_shared<const TableSnapshot>(std::move(*snapshot));
}

} // namespace

// Reads may run on several threads at once (see TableCursor), so whatever
// they share is guarded.
struct TableSource::State
{
    std::mutex lock;
    QString readerProgram;
    std::chrono::milliseconds stallLimit{5000};
    std::chrono::milliseconds timeCeiling{10 * 60 * 1000};
    TableCache cache;
    ShortTableNotices notices;

    ReaderRun readerRun()
    {
        const std::lock_guard guard(lock);
        ReaderRun run{readerProgram, {}};
        run.limits.stallLimit = stallLimit;
        run.limits.ceiling = timeCeiling;
        return run;
    }
};

TableSource::TableSource()
    : m_state(std::make_shared<State>())
{
    m_state->readerProgram = defaultReaderProgram();
}

qint64 TableSource::memoryBudget(qint64 fileSize)
{
    return std::min(MemoryCeiling, MemoryFloor + 3 * fileSize);
}

QString TableSource::readerProgram() const
{
    const std::lock_guard guard(m_state->lock);
    return m_state->readerProgram;
}

void TableSource::setReaderProgram(const QString& path)
{
    const std::lock_guard guard(m_state->lock);
    m_state->readerProgram = path;
}

void TableSource::setStallLimit(std::chrono::milliseconds limit)
{
    const std::lock_guard guard(m_state->lock);
    m_state->stallLimit = limit;
}

void TableSource::setTimeCeiling(std::chrono::milliseconds limit)
{
    const std::lock_guard guard(m_state->lock);
    m_state->timeCeiling = limit;
}

void TableSource::clearCache()
{
    const std::lock_guard guard(m_state->lock);
    m_state->cache.clear();
}

ShortTableNotices& TableSource::notices() const
{
    return m_state->notices;
}

QString TableSource::checkDatabaseFile(const QString& databaseFile)
{
    const QFileInfo file(databaseFile);
    if (!QDir(file.absolutePath()).exists())
        throw RuntimeError(ErrorCode::InvalidDatabasePath, file.absolutePath());
    // A data folder copied from Windows may spell the file in any case.
    const QString filePath = resolveFileName(file.absolutePath(), file.fileName());
    identityOf(filePath, databaseFile);
    return filePath;
}

std::shared_ptr<const TableSnapshot> TableSource::readTable(const QString& databaseFile,
                                                            const QString& table,
                                                            const QStringList& fields) const
{
    const QString filePath = checkDatabaseFile(databaseFile);
    const CacheKey key{filePath, table.toLower(), fields.join(QChar(0)).toLower()};
    State& state = *m_state;

    FileIdentity before = identityOf(filePath, databaseFile);
    for (int attempt = 0; attempt < ReadAttempts; ++attempt) {
        qint64 othersBytes = 0;
        {
            const std::lock_guard guard(state.lock);
            if (auto snapshot = cached(state.cache, key, before, othersBytes))
                return snapshot;
        }
        const qint64 limit = memoryBudget(before.size) - othersBytes;
        if (limit <= 0)
            throw RuntimeError(ErrorCode::UnreadableDatabase, databaseFile);

        std::shared_ptr<const TableSnapshot> snapshot;
        try {
            snapshot = readOnce(state.readerRun(), filePath, databaseFile, table, fields, limit);
        } catch (const RuntimeError&) {
            if (identityOf(filePath, databaseFile) == before)
                throw;
        }
        // A file rewritten during the read may have given a mix of both
        // versions, rows cut short, or a failure of its own: read it again.
        const FileIdentity after = identityOf(filePath, databaseFile);
        if (!snapshot || !(after == before)) {
            before = after;
            continue;
        }

        const std::lock_guard guard(state.lock);
        for (auto it = state.cache.begin(); it != state.cache.end();) {
            if (it->first.file != filePath || !(it->second.identity == before))
                it = state.cache.erase(it);
            else
                ++it;
        }
        state.cache[key] = CachedTable{before, snapshot};
        return snapshot;
    }
    throw RuntimeError(ErrorCode::UnreadableDatabase,
                       databaseFile + QStringLiteral(" kept changing while it was read"));
}
