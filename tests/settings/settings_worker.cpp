// A second copy of the program's settings code, for tests that need a real
// process: another workstation posting and erasing comment lines, a
// workstation that stops while it holds the comment lock, and a program
// reading oversized settings files whose memory is measured.
//
//   settings-worker post-and-erase <data folder> <tag> <count>
//       <count> times, as one comment window each: post "<tag> <n>"; every
//       fourth window also erases the line the window before posted; leave.
//       Fails (exit 1) when a read ever shows a line that is not whole, a
//       posted line is missing or an erased one stays.
//   settings-worker hold-lock <data folder>
//       takes the comment lock, says "locked" and waits to be killed.
//   settings-worker read-settings <settings folder>
//       runs every settings reader once and prints what they read, each cut
//       file reported ("cut <path>"), and "memory <baseline kB> <peak kB>":
//       the peak resident size before and after the reads.

#include "common/cut_file_notice.h"
#include "common/module_values.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "common/text_file.h"
#include "input/option_files.h"
#include "settings/comments_file.h"
#include "settings/data_folder_file.h"
#include "settings/delivery_header_file.h"
#include "settings/margins_file.h"
#include "settings/owner_record_file.h"
#include "settings/shared_comments.h"
#include "settings/signature_option_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QRegularExpression>

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace {

int fail(const QString& why)
{
    std::cerr << why.toStdString() << '\n';
    return 1;
}

// The process's peak resident size so far, in kB.
long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

int postAndErase(const QString& tag, int count)
{
    const QRegularExpression whole(QStringLiteral("^[A-Z] \\d+$"));
    const auto allWhole = [&](const QStringList& lines) {
        for (const QString& line : lines) {
            if (!whole.match(line).hasMatch())
                return false;
        }
        return true;
    };
    const auto line = [&](int n) { return tag + u' ' + QString::number(n); };
    // Long enough for the other process, never long enough to matter.
    constexpr std::chrono::seconds kWait{60};
    for (int n = 0; n < count; ++n) {
        SharedComments window(kWait);
        try {
            window.load();
        } catch (const RuntimeError& error) {
            // As the window: no file yet lists nothing.
            if (error.code() != ErrorCode::FileNotFound)
                throw;
        }
        if (window.post(line(n)) != SharedComments::Posting::Posted)
            return fail(line(n) + QStringLiteral(" taken for a duplicate"));
        if (!allWhole(window.fileLines()) || !window.fileLines().contains(line(n)))
            return fail(QStringLiteral("after posting ") + line(n) + QStringLiteral(": ") +
                        window.fileLines().join(u'|'));
        const bool erases = n % 4 == 2;
        if (erases && !window.erase(line(n - 1)))
            return fail(line(n - 1) + QStringLiteral(" not listed"));
        window.leave();
        if (!allWhole(window.fileLines()) || (erases && window.fileLines().contains(line(n - 1))))
            return fail(QStringLiteral("after leaving ") + line(n) + QStringLiteral(": ") +
                        window.fileLines().join(u'|'));
        // A lock taken while the other holds it is tried again only after
        // a tenth of a second: a short pause outside the lock, as an
        // operator's between two windows, lets the two take turns.
        ::usleep(2000);
    }
    return 0;
}

int holdLock()
{
    QLockFile lock(SharedComments::lockFilePath());
    if (!lock.tryLock(std::chrono::seconds(10)))
        return fail(QStringLiteral("no lock"));
    std::cout << "locked" << std::endl;
    for (;;)
        ::pause();
}

int readSettings()
{
    setCutFileReporter(
        [](const CutFile& file) { std::cout << "cut " << file.path.toStdString() << '\n'; });
    const long baseline = peakResidentKb();
    const auto report = [](const char* what, const QString& value) {
        std::cout << what << ' ' << value.toStdString() << '\n';
    };
    const auto guarded = [](auto&& read) {
        try {
            read();
        } catch (const RuntimeError& error) {
            std::cout << "error " << error.number() << '\n';
        }
    };
    guarded([] { readDataFolderFile(); });
    report("folders", DataFolder + u'|' + EstFolder);
    guarded([] { readDataFolderFirstLine(); });
    report("filter", QString::number(static_cast<int>(readListFilter())));
    report("load-jobs", readLoadJobs() ? QStringLiteral("T") : QStringLiteral("F"));
    for (const char* file : {CommentsShownFile, JobNumbersFile})
        report("check", QString::number(readCheckState(QString::fromLatin1(file)).value_or(-1)));
    const auto header = readDeliveryHeader();
    report("headline", header ? header->slot(9) : QStringLiteral("none"));
    const auto owner = readOwnerRecord();
    report("owner", owner ? owner->name : QStringLiteral("none"));
    guarded([&] {
        const Margins margins = readMargins();
        report("margins",
               QString::number(margins.topMargin) + u' ' + QString::number(margins.totalLines));
    });
    report("top", QString::number(readTopMargin()));
    report("signature", QString::number(readSignatureOption()));
    report("comments-length", QString::number(lengthCreatingIfMissing(commentsFilePath())));
    SharedComments comments;
    guarded([&] { comments.load(); });
    report("comments", QString::number(comments.fileLines().size()));
    std::cout << "memory " << baseline << ' ' << peakResidentKb() << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    if (mode == QStringLiteral("post-and-erase") && args.size() == 5) {
        DataFolder = args[2];
        return postAndErase(args[3], args[4].toInt());
    }
    if (mode == QStringLiteral("hold-lock") && args.size() == 3) {
        DataFolder = args[2];
        return holdLock();
    }
    if (mode == QStringLiteral("read-settings") && args.size() == 3) {
        setSettingsFolder(args[2]);
        return readSettings();
    }
    return fail(QStringLiteral("usage: see the head of settings_worker.cpp"));
}
