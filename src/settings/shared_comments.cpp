#include "settings/shared_comments.h"

#include "common/runtime_error.h"
#include "common/session.h"
#include "common/text_file.h"
#include "common/windows1252.h"
#include "settings/comments_file.h"

#include <QHash>
#include <QLockFile>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

Failure changeFailure(const QString& path, const QString& reason)
{
    return Failure{ErrorCode::PermissionDenied, path + QStringLiteral(": ") + reason};
}

Result<QString> changedFilePath(const QString& dataFolder)
{
    if (dataFolder.isEmpty())
        return changeFailure(QString::fromLatin1(CommentsFileName),
                             QStringLiteral("no data folder is chosen"));
    return commentsFilePath(dataFolder);
}

// The lock every copy of the program takes before it changes the file,
// held from take() until the object goes.
class CommentsLock
{
public:
    explicit CommentsLock(const QString& dataFolder)
        : m_lock(SharedComments::lockFilePath(dataFolder))
    {
        m_lock.setStaleLockTime(SharedComments::StaleLockAge);
    }

    // Waits up to `wait` for the lock; the failure names `filePath`.
    Result<void> take(const QString& filePath, std::chrono::milliseconds wait)
    {
        if (m_lock.tryLock(wait))
            return {};
        switch (m_lock.error()) {
        case QLockFile::LockFailedError:
            return changeFailure(filePath, QStringLiteral("another workstation is changing it; "
                                                          "please try again in a moment"));
        case QLockFile::PermissionError:
            return changeFailure(filePath, QStringLiteral("its lock file cannot be made in the "
                                                          "data folder (permission denied)"));
        default:
            return changeFailure(filePath,
                                 QStringLiteral("its lock file cannot be made in the data folder"));
        }
    }

private:
    QLockFile m_lock;
};

// Copies the comment file's bytes, leaving out the first line equal to each
// erased comment together with its line end. Lines are split as the readers
// split them: at CR, a CR LF counting as one end. A line longer than every
// erased comment cannot be one of them and is passed on without being held,
// so a file of any size passes through.
class LineEraser
{
public:
    LineEraser(const QStringList& erased, ByteSink write)
        : m_write(std::move(write))
    {
        for (const QString& comment : erased) {
            ++m_remaining[comment];
            m_longest = std::max(m_longest, toWindows1252(comment).size());
        }
    }

    void take(QByteArrayView piece)
    {
        qsizetype pos = 0;
        const qsizetype size = piece.size();
        if (m_afterEnd != AfterEnd::No && size > 0) {
            if (piece[0] == '\n') {
                if (m_afterEnd == AfterEnd::Kept)
                    m_write("\n");
                pos = 1;
            }
            m_afterEnd = AfterEnd::No;
        }
        while (pos < size) {
            const auto* found = static_cast<const char*>(
                std::memchr(piece.data() + pos, '\r', static_cast<std::size_t>(size - pos)));
            const qsizetype end = found ? found - piece.data() : size;
            addToLine(piece.sliced(pos, end - pos));
            if (!found)
                return;
            const bool erased = endLine();
            pos = end + 1;
            if (pos == size)
                m_afterEnd = erased ? AfterEnd::Erased : AfterEnd::Kept;
            else if (piece[pos] == '\n') {
                if (!erased)
                    m_write("\n");
                ++pos;
            }
        }
    }

    // The last line, when it has no line end of its own.
    void finish()
    {
        if (m_passing)
            return;
        if (!m_line.isEmpty() && !eraseOne())
            m_write(m_line);
    }

private:
    enum class AfterEnd { No, Kept, Erased };

    void addToLine(QByteArrayView bytes)
    {
        if (m_passing) {
            m_write(bytes);
            return;
        }
        m_line.append(bytes);
        if (m_line.size() > m_longest) {
            m_write(m_line);
            m_line.clear();
            m_passing = true;
        }
    }

    // At a CR: drops the line when it is erased, else writes it with the CR.
    bool endLine()
    {
        const bool erased = !m_passing && eraseOne();
        if (!erased) {
            m_line += '\r';
            m_write(m_line);
        }
        m_line.clear();
        m_passing = false;
        return erased;
    }

    bool eraseOne()
    {
        const auto it = m_remaining.find(fromWindows1252(m_line));
        if (it == m_remaining.end() || it.value() == 0)
            return false;
        --it.value();
        return true;
    }

    ByteSink m_write;
    QHash<QString, int> m_remaining;
    qsizetype m_longest = 0;
    QByteArray m_line;
    bool m_passing = false;
    AfterEnd m_afterEnd = AfterEnd::No;
};

} // namespace

SharedComments::SharedComments(const Session& session, std::chrono::milliseconds lockWait)
    : m_session(session)
    , m_lockWait(lockWait)
{
}

QString SharedComments::lockFilePath(const QString& dataFolder)
{
    // The name is fixed, not matched like the file's: two workstations that
    // find the file under different spellings must still meet at one lock.
    return dataFolder + u'/' + QString::fromLatin1(CommentsFileName) + QStringLiteral(".lck");
}

Result<void> SharedComments::load()
{
    const Result<QStringList> lines = readComments(m_session.dataFolder);
    if (!lines)
        return lines.failure();
    m_file = *lines;
    return {};
}

QStringList SharedComments::listedLines() const
{
    QStringList listed = m_file;
    // A line erased here may have gone from the file meanwhile.
    for (const QString& comment : m_erased) {
        if (const qsizetype at = listed.indexOf(comment); at >= 0)
            listed.removeAt(at);
    }
    return listed;
}

Result<void> SharedComments::changeUnderLock(const FileChange& change)
{
    const Result<QString> path = changedFilePath(m_session.dataFolder);
    if (!path)
        return path.failure();
    Result<void> changed;
    {
        CommentsLock lock(m_session.dataFolder);
        if (const Result<void> locked = lock.take(*path, m_lockWait); !locked)
            return locked.failure();
        changed = change(*path);
    }
    if (changed)
        reportCut();
    return changed;
}

Result<SharedComments::Posting> SharedComments::post(const QString& comment)
{
    Posting posting = Posting::Posted;
    const Result<void> posted = changeUnderLock([&](const QString& path) -> Result<void> {
        if (const Result<void> read = reread(); !read)
            return read;
        if (!comment.isEmpty() && listedLines().contains(comment)) {
            posting = Posting::Duplicate;
            return {};
        }
        if (const Result<void> appended =
                attempt([&] { appendLineToFile(path, joinLines({comment})); });
            !appended)
            return appended;
        return reread();
    });
    if (!posted)
        return posted.failure();
    return posting;
}

bool SharedComments::erase(const QString& comment)
{
    if (!listedLines().contains(comment))
        return false;
    m_erased.append(comment);
    return true;
}

Result<void> SharedComments::leave()
{
    if (m_erased.isEmpty()) {
        // Nothing to change: the lists show the file as it now is, or as it
        // was last read when it cannot be read now.
        if (const Result<void> read = reread(); !read)
            m_cut.reset();
        reportCut();
        return {};
    }
    return changeUnderLock([&](const QString& path) -> Result<void> {
        const Result<void> rewritten = attempt([&] {
            rewriteFileFrom(path, [&](const ByteSink& write) {
                LineEraser eraser(m_erased, write);
                readFileInPieces(path, 0, [&](QByteArrayView piece) { eraser.take(piece); });
                eraser.finish();
            });
        });
        // A file that is gone holds none of the erased lines any more.
        if (!rewritten && rewritten.failure().code != ErrorCode::FileNotFound)
            return rewritten;
        m_erased.clear();
        return reread();
    });
}

Result<void> SharedComments::reread()
{
    Result<CommentsRead> read = readCommentsUnreported(m_session.dataFolder);
    if (!read) {
        if (read.failure().code != ErrorCode::FileNotFound)
            return changeFailure(commentsFilePath(m_session.dataFolder),
                                 QStringLiteral("it cannot be read"));
        m_file.clear();
        return {};
    }
    m_file = read->lines;
    m_cut = read->cut;
    return {};
}

void SharedComments::reportCut()
{
    if (m_cut)
        reportCutFile(*std::exchange(m_cut, std::nullopt));
}
