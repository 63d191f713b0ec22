// Other workstations changing the shared comment file, in processes of
// their own (settings_worker.cpp).

#include "common/session.h"
#include "settings/comments_file.h"
#include "settings/shared_comments.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QString workerPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/settings-worker");
}

// Two workstations post and erase at once, each a few hundred times, each
// checking every read: at the end every line either posted and did not
// erase is there once, whole, and the lock is gone.
TEST(SettingsProcesses, TwoWorkstationsPostingAndErasingAtOnceKeepEveryLineWhole)
{
    constexpr int kCount = 200;
    TempSettingsFolder settings;
    const QString folder = settings.path();
    writeFileContents(commentsFilePath(folder), "");
    QProcess workstations[2];
    QStringList expected;
    for (int n = 0; n < 2; ++n) {
        const QString tag = n == 0 ? QStringLiteral("A") : QStringLiteral("B");
        workstations[n].start(workerPath(), {folder, tag, QString::number(kCount)});
        for (int line = 0; line < kCount; ++line) {
            if (line % 4 != 1)
                expected << tag + u' ' + QString::number(line);
        }
    }
    for (QProcess& workstation : workstations) {
        ASSERT_TRUE(workstation.waitForFinished(600000));
        EXPECT_EQ(workstation.exitCode(), 0) << workstation.readAllStandardError().toStdString();
    }
    QStringList lines = QString::fromLatin1(fileContents(commentsFilePath(folder))).split("\r\n");
    EXPECT_EQ(lines.takeLast(), ""); // the last line ends too
    lines.sort();
    expected.sort();
    EXPECT_EQ(lines, expected);
    EXPECT_FALSE(QFileInfo::exists(SharedComments::lockFilePath(folder)));
}

// A workstation of this machine that stopped while it held the lock holds
// up no one: its lock is taken over at once, not after StaleLockAge.
TEST(SettingsProcesses, ALockLeftByAWorkstationThatStoppedIsTakenOverAtOnce)
{
    TempSettingsFolder settings;
    Session session;
    session.dataFolder = settings.path();
    QProcess holder;
    holder.start(workerPath(), {session.dataFolder});
    ASSERT_TRUE(holder.waitForFinished(60000) && holder.exitCode() == 0);
    ASSERT_TRUE(QFileInfo::exists(SharedComments::lockFilePath(session.dataFolder)));
    SharedComments comments(session, std::chrono::milliseconds(100));
    EXPECT_EQ(comments.post("A").valueOr(SharedComments::Posting::Duplicate),
              SharedComments::Posting::Posted);
    EXPECT_EQ(fileContents(commentsFilePath(session.dataFolder)), "A\r\n");
}

} // namespace
