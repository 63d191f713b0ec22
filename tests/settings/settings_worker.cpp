// Another workstation's copy of the comment code, for tests that need a
// process of its own.
//
//   settings-worker <data folder> <tag> <count>
//       <count> times, as one comment window each: post "<tag> <n>"; every
//       fourth window also erases the line the window before posted; leave.
//       Fails (exit 1) when a read ever shows a line that is not whole, a
//       posted line is missing or an erased one stays.
//   settings-worker <data folder>
//       takes the comment lock and stops without giving it back.

#include "common/session.h"
#include "settings/shared_comments.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace {

bool allWhole(const QStringList& lines)
{
    static const QRegularExpression whole(QStringLiteral("^[A-Z] \\d+$"));
    return std::all_of(lines.begin(), lines.end(),
                       [](const QString& line) { return whole.match(line).hasMatch(); });
}

bool postAndErase(const Session& session, const QString& tag, int count)
{
    const auto line = [&](int n) { return tag + u' ' + QString::number(n); };
    for (int n = 0; n < count; ++n) {
        // Long enough for the other process, never long enough to matter.
        SharedComments window(session, std::chrono::seconds(60));
        const bool loaded = static_cast<bool>(window.load());
        const bool erases = n % 4 == 2;
        const auto posting = window.post(line(n));
        bool whole = loaded && posting && *posting == SharedComments::Posting::Posted &&
                     allWhole(window.fileLines()) && window.fileLines().contains(line(n)) &&
                     (!erases || window.erase(line(n - 1)));
        if (whole) {
            whole = window.leave() && allWhole(window.fileLines()) &&
                    !(erases && window.fileLines().contains(line(n - 1)));
        }
        if (!whole) {
            std::cerr << line(n).toStdString() << ": "
                      << window.fileLines().join(u'|').toStdString() << '\n';
            return false;
        }
        // A lock taken while the other holds it is tried again only after
        // a tenth of a second: a short pause outside the lock, as an
        // operator's between two windows, lets the two take turns.
        ::usleep(2000);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    Session session;
    session.dataFolder = args.value(1);
    if (args.size() == 2) {
        QLockFile lock(SharedComments::lockFilePath(session.dataFolder));
        if (lock.tryLock(std::chrono::seconds(10)))
            std::_Exit(0); // past the lock's destructor, which would remove it
    }
    return args.size() == 4 && postAndErase(session, args[2], args[3].toInt()) ? 0 : 1;
}
