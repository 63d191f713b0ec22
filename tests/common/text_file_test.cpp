#include "common/cut_file_notice.h"
#include "common/settings_folder.h"
#include "common/text_file.h"
#include "support/test_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class TextFileTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

// Lines are written CR LF ended in Windows-1252; a failed write keeps the
// old file and leaves no temporary file behind.
TEST_F(TextFileTest, WritesWholeFilesOrFailsWithTheFileErrorNumbers)
{
    rewriteFile(path("BID.FYL"), "a much longer old content\r\n");
    rewriteFile(path("BID.FYL"), "old\r\n");
    const std::pair<std::function<void()>, int> cases[] = {
        {[&] { readFileBytes(path("missing.dat")); }, 53},
        {[&] { rewriteFile(path("gone/file.dat"), "x"); }, 70},
        {[&] { appendLineToFile(path("gone/Comments.Dat"), "x"); }, 70},
        // 10000 bytes fit in the file's write buffer, so the write itself
        // succeeds and the limit strikes only when the content reaches the disk.
        {[&] {
             const FileSizeLimit limit(4096);
             rewriteFile(path("BID.FYL"), QByteArray(10000, 'x'));
         },
         70}};
    for (const auto& [call, error] : cases)
        EXPECT_EQ(errorNumberOf(call), error);
    EXPECT_EQ(readFileBytes(path("BID.FYL")), "old\r\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"BID.FYL"}));
}

// An appended line starts a line of its own even after a last line without
// its end; one cut short by the size limit is taken back whole.
TEST_F(TextFileTest, AppendsOneWholeLine)
{
    const std::tuple<const char*, const char*, rlim_t, int> cases[] = {
        {nullptr, "B\r\n", 0, 0}, // old file (nullptr: none), after, size limit, error
        {"", "B\r\n", 0, 0},
        {"A", "A\r\nB\r\n", 0, 0},
        {"A\r", "A\rB\r\n", 0, 0},
        {"A\n", "A\n\r\nB\r\n", 0, 0},
        {"A\r\n", "A\r\nB\r\n", 0, 0},
        {"A\r\n", "A\r\n", 4, 70},
        {"A", "A", 3, 70}};
    for (const auto& [old, after, limit, error] : cases) {
        QFile::remove(path("Comments.Dat"));
        if (old)
            writeFileContents(path("Comments.Dat"), old);
        std::optional<FileSizeLimit> sizeLimit;
        if (limit)
            sizeLimit.emplace(limit);
        EXPECT_EQ(errorNumberOf([&] { appendLineToFile(path("Comments.Dat"), "B\r\n"); }), error)
            << (old ? old : "none");
        sizeLimit.reset();
        EXPECT_EQ(fileContents(path("Comments.Dat")), after) << (old ? old : "none");
    }
}

// A file past the bound is read up to it and reported once per run; one at
// the bound is whole. Only the record's bytes are read when asked for.
TEST_F(TextFileTest, ReadsUpToTheBoundAndReportsACutFileOnce)
{
    QStringList reported;
    setCutFileReporter([&](const CutFile& file) { reported << file.path + " " + file.readPart; });
    forgetReportedCutFiles();
    writeFileContents(path("whole"), QByteArray(SettingsFileBound, 'x'));
    writeFileContents(path("long"), QByteArray(SettingsFileBound, 'x') + "y");
    EXPECT_EQ(readFileBytes(path("whole")).size(), SettingsFileBound);
    EXPECT_EQ(readFileBytes(path("long")), QByteArray(SettingsFileBound, 'x'));
    readFileBytes(path("long"));
    EXPECT_EQ(reported, QStringList{path("long") + " 1 MiB"});
    const BoundedBytes record = readFileBytesUpTo(path("long"), 125);
    EXPECT_EQ(record.bytes, QByteArray(125, 'x'));
    EXPECT_TRUE(record.cut);
    EXPECT_FALSE(readFileBytesUpTo(path("long"), SettingsFileBound + 1).cut);
    setCutFileReporter({});
}

// What is no file (a folder, a FIFO, a device, a link that loops or leads
// nowhere) reads as missing without waiting and is never written through.
// The presence test leaves a missing file behind empty, but makes neither a
// file in a missing folder nor a dangling link's target, and needs ten
// bytes.
TEST_F(TextFileTest, WhatIsNoFileReadsAsMissingAndIsNeverWrittenThrough)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder"));
    ASSERT_EQ(mkfifo(QFile::encodeName(path("fifo")).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", path("device")));
    ASSERT_TRUE(QFile::link(path("loop2"), path("loop1")));
    ASSERT_TRUE(QFile::link(path("loop1"), path("loop2")));
    ASSERT_TRUE(QFile::link(path("target"), path("dangling")));
    rewriteFile(path("nine"), "123456789");
    rewriteFile(path("ten"), "1234567890");
    QStringList entries =
        QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    const QStringList special = {"folder", "fifo", "device", "loop1", "dangling"};
    for (const QString& name : special) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(errorNumberOf([&] { readFileBytes(path(name)); }), 53);
        EXPECT_EQ(errorNumberOf([&] { readFileInPieces(path(name), 0, [](QByteArrayView) {}); }),
                  53);
        if (name != "dangling") {
            EXPECT_EQ(errorNumberOf([&] { rewriteFile(path(name), "x\r\n"); }), 70);
            EXPECT_EQ(errorNumberOf([&] { appendLineToFile(path(name), "x\r\n"); }), 70);
        }
    }
    for (const QString& name : special + QStringList{"SigSec.Dat", "gone/BID.FYL", "nine", "ten"}) {
        const qint64 length = name == "nine" ? 9 : name == "ten" ? 10 : 0;
        EXPECT_EQ(lengthCreatingIfMissing(path(name)), length) << name.toStdString();
        EXPECT_EQ(holdsData(path(name)), length == 10) << name.toStdString();
    }
    entries << "SigSec.Dat";
    entries.sort(Qt::CaseInsensitive);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
              entries);
    EXPECT_EQ(fileContents(path("SigSec.Dat")), "");

    // Root reads a file whatever its permissions.
    ASSERT_EQ(chmod(QFile::encodeName(path("ten")).constData(), 0), 0);
    if (geteuid() != 0) {
        EXPECT_EQ(errorNumberOf([&] { readFileBytes(path("ten")); }), 70);
        EXPECT_EQ(lengthCreatingIfMissing(path("ten")), 0);
    }
}

// A settings file is found under any spelling of its name, the exact one
// first; a missing one is made under its first writer's spelling.
TEST_F(TextFileTest, SettingsFilesAreFoundWhateverTheCaseOfTheirNames)
{
    writeFileContents(path("Ownsact.dat"), "owner");
    writeFileContents(path("chkjob.dat"), "1");
    writeFileContents(path("chkJob.Dat"), "0");
    const std::pair<const char*, const char*> cases[] = {{"OWNSACT.DAT", "Ownsact.dat"},
                                                         {"chkJob.Dat", "chkJob.Dat"},
                                                         {"chkjob.dat", "chkjob.dat"},
                                                         {"qmVanCk.dat", "qmVanCk.dat"}};
    for (const auto& [asked, found] : cases)
        EXPECT_EQ(resolveFileName(m_dir.path(), asked), path(found)) << asked;

    EXPECT_EQ(resolveFileName(path("gone"), "Comments.Dat"), path("gone/Comments.Dat"));
}

} // namespace
