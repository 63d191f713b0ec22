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

[[noreturn]] void changeFailed(const QString& path, const QString& reason)
{
    throw RuntimeError(ErrorCode::PermissionDenied, path + QStringLiteral(": ") + reason);
}

QString changedFilePath(const QString& dataFolder)
{
    if (dataFolder.isEmpty())
        changeFailed(QString::fromLatin1(CommentsFileName),
                     QStringLiteral("no data folder is chosen"));
    return commentsFilePath(dataFolder);
}

// The lock every copy of the program takes before it changes the file.
class CommentsLock
{
public:
    CommentsLock(const QString& dataFolder, const QString& filePath, std::chrono::milliseconds wait)
        : m_lock(SharedComments::lockFilePath(dataFolder))
    {
        m_lock.setStaleLockTime(SharedComments::StaleLockAge);
        if (m_lock.tryLock(wait))
            return;
        switch (m_lock.error()) {
        case QLockFile::LockFailedError:
            changeFailed(filePath, QStringLiteral("another workstation is changing it; please try "
                                                  "again in a moment"));
        case QLockFile::PermissionError:
            changeFailed(filePath, QStringLiteral("its lock file cannot be made in the data "
                                                  "folder (permission denied)"));
        default:
            changeFailed(filePath,
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

void SharedComments::load()
{
    m_file = readComments(m_session.dataFolder);
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

SharedComments::Posting SharedComments::post(const QString& comment)
{
    const QString path = changedFilePath(m_session.dataFolder);
    Posting posting = Posting::Posted;
    {
        const CommentsLock lock(m_session.dataFolder, path, m_lockWait);
        reread();
        if (!comment.isEmpty() && listedLines().contains(comment)) {
            posting = Posting::Duplicate;
        } else {
            appendLineToFile(path, joinLines({comment}));
            reread();
        }
    }
    reportCut();
    return posting;
}

bool SharedComments::erase(const QString& comment)
{
    if (!listedLines().contains(comment))
        return false;
    m_erased.append(comment);
    return true;
}

void SharedComments::leave()
{
    if (m_erased.isEmpty()) {
        // Nothing to change: the lists show the file as it now is, or as it
        // was last read when it cannot be read now.
        try {
            reread();
        } catch (const RuntimeError&) {
            m_cut.reset();
        }
        reportCut();
        return;
    }
    const QString path = changedFilePath(m_session.dataFolder);
    {
        const CommentsLock lock(m_session.dataFolder, path, m_lockWait);
        try {
            rewriteFileFrom(path, [&](const ByteSink& write) {
                LineEraser eraser(m_erased, write);
                readFileInPieces(path, 0, [&](QByteArrayView piece) { eraser.take(piece); });
                eraser.finish();
            });
        } catch (const RuntimeError& error) {
            // A file that is gone holds none of the erased lines any more.
            if (error.code() != ErrorCode::FileNotFound)
                throw;
        }
        m_erased.clear();
        reread();
    }
    reportCut();
}

void SharedComments::reread()
{
    try {
        CommentsRead read = readCommentsUnreported(m_session.dataFolder);
        m_file = std::move(read.lines);
        m_cut = std::move(read.cut);
    } catch (const RuntimeError& error) {
        if (error.code() != ErrorCode::FileNotFound)
            changeFailed(commentsFilePath(m_session.dataFolder),
                         QStringLiteral("it cannot be read"));
        m_file.clear();
    }
}

void SharedComments::reportCut()
{
    if (m_cut)
        reportCutFile(*std::exchange(m_cut, std::nullopt));
}
