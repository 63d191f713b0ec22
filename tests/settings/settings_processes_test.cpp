// The settings code in real processes (tests/settings/settings_worker.cpp):
// the memory of a program reading oversized settings files, and two
// workstations changing the shared comment file at once.

#include "common/module_values.h"
#include "settings/shared_comments.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

#include <QRegularExpression>

#include <algorithm>
#include <iostream>

namespace {

QString workerPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/settings-worker");
}

// The worker's output lines; fails the test unless it ends well. Under
// AddressSanitizer freed memory is held back to catch its later use, and
// would count as the program's: the worker frees it at once.
QStringList runWorker(const QStringList& arguments)
{
    QProcess worker;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(
        QStringLiteral("ASAN_OPTIONS"),
        environment.value(QStringLiteral("ASAN_OPTIONS")) +
            QStringLiteral(":quarantine_size_mb=0:thread_local_quarantine_size_kb=0"));
    worker.setProcessEnvironment(environment);
    worker.start(workerPath(), arguments);
    const bool finished = worker.waitForFinished(600000);
    EXPECT_TRUE(finished && worker.exitStatus() == QProcess::NormalExit && worker.exitCode() == 0)
        << arguments.join(' ').toStdString() << ": " << worker.readAllStandardError().toStdString();
    return QString::fromUtf8(worker.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// The bytes, then zeros up to `size`: sparse where the file system allows,
// so a file far past the bound costs no disk space.
void writeOversized(const QString& path, const QByteArray& bytes, qint64 size)
{
    writeFileContents(path, bytes);
    ASSERT_TRUE(QFile::resize(path, size)) << path.toStdString();
}

// Each settings file 256 MiB long behind its real content is read for that
// content, is reported (but for the owner's record, of which only 125
// bytes are ever read), and the program's peak memory grows by less than
// 16 MiB: reading any one file whole would take sixteen times that.
TEST(SettingsProcesses, OversizedSettingsFilesAreReadUpToTheBoundInBoundedMemory)
{
    constexpr qint64 kOversized = 256 * 1024 * 1024;
    constexpr long kMostGrowthKb = 16 * 1024;
    TempSettingsFolder settings;
    ASSERT_TRUE(QDir(settings.path()).mkdir("data"));
    const QString data = settings.filePath("data");
    const std::pair<const char*, QByteArray> files[] = {
        {"qmvanck.dat", (data + "\r\n/srv/est\r\n").toUtf8()},
        {"chkList.Dat", "2\r\n"},
        {"LoadJob.Dat", "F\r\n"},
        {"chkCom.Dat", " 1 \r\n"},
        {"chkJob.Dat", "1\r\n"},
        {"DELVHEAD.DAT", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n    \r\nHEADLINE\r\n2\r\n\r\n"},
        {"OwnsAct.DAT", QByteArray("ACME").leftJustified(125)},
        {"BID.FYL", "3\r\n66\r\n\r\n\r\n\r\n"},
        {"SigSec.Dat", " 1 \r\n"},
        {"data/Comments.Dat", QByteArray("Rush\r\n").repeated(20000)}};
    QStringList cut;
    for (const auto& [name, bytes] : files) {
        writeOversized(settings.filePath(name), bytes, kOversized);
        if (QByteArray(name) != "OwnsAct.DAT")
            cut << QStringLiteral("cut ") + settings.filePath(name);
    }

    QStringList output = runWorker({"read-settings", settings.path()});
    ASSERT_FALSE(output.isEmpty());
    const QStringList memory = output.takeLast().split(u' ');
    ASSERT_EQ(memory.value(0), "memory");
    const long growthKb = memory.value(2).toLong() - memory.value(1).toLong();
    EXPECT_LT(growthKb, kMostGrowthKb);
    std::cout << "peak memory grew by " << growthKb << " kB\n";

    QStringList reported = output.filter(QStringLiteral("cut "));
    reported.sort();
    cut.sort();
    EXPECT_EQ(reported, cut);
    EXPECT_EQ(output.filter(QRegularExpression("^(?!cut )")),
              (QStringList{"folders " + data + "|/srv/est", "filter 2", "load-jobs F", "check 1",
                           "check 1", "headline HEADLINE", "owner ACME", "margins 3 66", "top 3",
                           "signature 1", "comments-length 268435456", "comments 10000"}));
}

// Two workstations post and erase at once, each a few hundred times, each
// checking every read: at the end every line either posted and did not
// erase is there once, whole, and the lock is gone.
TEST(SettingsProcesses, TwoWorkstationsPostingAndErasingAtOnceKeepEveryLineWhole)
{
    constexpr int kCount = 200;
    TempSettingsFolder settings;
    ASSERT_TRUE(QDir(settings.path()).mkdir("data"));
    const QString data = settings.filePath("data");
    QProcess workstations[2];
    const QString tags[] = {QStringLiteral("A"), QStringLiteral("B")};
    for (int n = 0; n < 2; ++n)
        workstations[n].start(workerPath(),
                              {"post-and-erase", data, tags[n], QString::number(kCount)});
    QStringList expected;
    for (int n = 0; n < 2; ++n) {
        ASSERT_TRUE(workstations[n].waitForFinished(600000));
        EXPECT_EQ(workstations[n].exitCode(), 0)
            << workstations[n].readAllStandardError().toStdString();
        for (int line = 0; line < kCount; ++line) {
            if (line % 4 != 1)
                expected << tags[n] + u' ' + QString::number(line);
        }
    }

    const QByteArray file = fileContents(data + "/Comments.Dat");
    EXPECT_TRUE(file.endsWith("\r\n"));
    QStringList lines = QString::fromLatin1(file).split(QStringLiteral("\r\n"));
    lines.removeLast();
    std::sort(lines.begin(), lines.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(lines, expected);
    DataFolder = data;
    EXPECT_FALSE(QFileInfo::exists(SharedComments::lockFilePath()));
}

// A workstation that stops while it holds the lock blocks the others only
// while it runs: its lock is taken over once it has gone.
TEST(SettingsProcesses, ALockLeftByAWorkstationThatStoppedIsTakenOver)
{
    TempSettingsFolder settings;
    ASSERT_TRUE(QDir(settings.path()).mkdir("data"));
    DataFolder = settings.filePath("data");
    QProcess holder;
    holder.start(workerPath(), {"hold-lock", DataFolder});
    ASSERT_TRUE(holder.waitForReadyRead(60000));
    ASSERT_EQ(holder.readAllStandardOutput(), "locked\n");

    SharedComments comments(std::chrono::milliseconds(100));
    EXPECT_EQ(errorNumberOf([&] { comments.post("A"); }), 70);
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(60000));
    ASSERT_TRUE(QFileInfo::exists(SharedComments::lockFilePath()));
    EXPECT_EQ(comments.post("A"), SharedComments::Posting::Posted);
    EXPECT_EQ(fileContents(DataFolder + "/Comments.Dat"), "A\r\n");
}

} // namespace
