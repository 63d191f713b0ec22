#pragma once

// The comment lines as the comment window changes them. Comments.Dat lies in
// the data folder that every workstation of the shop shares, so a change is
// never made from this window's copy of the list: each is made to the file
// as it stands at that moment, under a lock that every copy of the program
// honours (a lock file beside it, "Comments.Dat.lck"), and the lines are read
// again afterwards.
//
// - Posting appends the one new line in one write; another workstation's
//   lines stay.
// - Erasing takes a line off the window's list; leaving the window removes
//   from the file exactly the lines erased in it, one line per erasure: of
//   two equal lines, erasing one removes the first and keeps the second.
//   Lines posted meanwhile, here or elsewhere, stay.
//
// A lock left by a workstation that stopped while holding it (a crash, a
// lost network) is taken over after StaleLockAge; on this machine at once,
// as its holder is known to be gone.

#include "common/cut_file_notice.h"
#include "common/result.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

struct Session;

class SharedComments
{
public:
    // How long a change waits for another workstation to finish its own
    // before it fails.
    static constexpr std::chrono::milliseconds DefaultLockWait{5000};
    // How old a lock file from another machine must be to count as left by
    // a workstation that stopped. A change holds the lock for milliseconds.
    static constexpr std::chrono::milliseconds StaleLockAge{15000};

    // Works in the session's data folder as it stands at each call.
    explicit SharedComments(const Session& session,
                            std::chrono::milliseconds lockWait = DefaultLockWait);

    // The lock file in a data folder.
    static QString lockFilePath(const QString& dataFolder);

    // The file's lines (settings/comments_file.h readComments()), read
    // without the lock, which only writers need. Fails as readComments(),
    // the lines as they were.
    Result<void> load();

    // The file's lines as last read.
    const QStringList& fileLines() const { return m_file; }
    // What the window lists: fileLines() without the lines erased here and
    // not yet removed from the file.
    QStringList listedLines() const;

    enum class Posting { Posted, Duplicate };
    // Under the lock: reads the file, refuses a non-empty comment equal (in
    // the same letters and case) to a listed line, else appends it as one
    // line; then reads the file again. Fails with PermissionDenied (70),
    // naming the file, when there is no data folder, the lock cannot be had
    // within the wait, or the file cannot be read or written; the file is
    // then as it was.
    Result<Posting> post(const QString& comment);

    // Takes the first listed line equal to `comment` off the list, to be
    // removed from the file by leave(). False when no listed line equals it.
    bool erase(const QString& comment);

    // Under the lock (only when something was erased): removes the lines
    // erased here from the file as it now stands, the rest kept byte for
    // byte, the rewrite atomic; then reads the file again. Fails as post():
    // the file is then as it was and the erasures still wait.
    Result<void> leave();

private:
    // Runs `change` on the file's path under the lock, which is given back
    // before a cut file is reported: a message box waits for the operator,
    // the other workstations must not. Fails as post() without a data
    // folder or the lock, else as `change`.
    using FileChange = std::function<Result<void>(const QString& path)>;
    Result<void> changeUnderLock(const FileChange& change);
    // Reads the file into m_file; a missing file is an empty list. Fails
    // with PermissionDenied (70) when the file cannot be read.
    Result<void> reread();
    void reportCut();

    const Session& m_session;
    std::chrono::milliseconds m_lockWait;
    std::optional<CutFile> m_cut;
    QStringList m_file;
    QStringList m_erased;
};
