#include "common/cut_file_notice.h"
#include "common/session.h"
#include "common/text_file.h"
#include "input/option_files.h"
#include "settings/comments_file.h"
#include "settings/data_folder_file.h"
#include "settings/delivery_header_file.h"
#include "settings/margins_file.h"
#include "settings/owner_record_file.h"
#include "settings/shared_comments.h"
#include "settings/signature_option_file.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>

#include <sys/stat.h>

namespace {

// ------------------------------------------------------------ qmvanck.dat

// The error number a data-folder read failed with; 0 when it did not fail.
int failureOf(const DataFolderRead& read)
{
    return read.failure ? read.failure->number() : 0;
}

// Read as two delimited fields: a comma splits a path, quotes keep one
// whole; a file cut short leaves what was not read as it was.
TEST(DataFolderFile, ReadsBothFoldersAsDelimitedFields)
{
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {nullptr, "", 53, "/old|/previous"}, // name (nullptr: none), bytes, error, folders
        {"QMVANCK.DAT", "E:\\OE\\Data\r\nE:\\Est\r\nextra line\r\n", 0, "E:\\OE\\Data|E:\\Est"},
        {"qmvanck.dat", "E:\\Shop, Main\\Data\r\nE:\\Est\r\n", 0, "E:\\Shop|Main\\Data"},
        {"qmvanck.dat", "\"/srv/Shop, Main/Data\"\r\n/e\r\n", 0, "/srv/Shop, Main/Data|/e"},
        {"qmvanck.dat", "/srv/oe/data\r\n", 62, "/srv/oe/data|/previous"},
        {"qmvanck.dat", "", 62, "/old|/previous"}};
    for (const auto& [name, bytes, error, folders] : cases) {
        TempSettingsFolder settings;
        if (name)
            writeFileContents(settings.filePath(name), bytes);
        Session session;
        session.dataFolder = "/old";
        session.estFolder = "/previous";
        const DataFolderRead read = readDataFolderFile(settings.path());
        EXPECT_EQ(failureNumberOf(read.applyTo(session)), failureOf(read));
        EXPECT_EQ(failureOf(read), error) << bytes;
        EXPECT_EQ(session.dataFolder + "|" + session.estFolder, folders) << bytes;
    }
}

TEST(DataFolderFile, WritesTwoBareLinesUnderTheExistingSpellingOrTheWindowsOwn)
{
    TempSettingsFolder settings;
    Session session;
    session.settingsFolder = settings.path();
    EXPECT_TRUE(*writeDataFolderFile(session, "/srv/oe/data", "/srv/est"));
    EXPECT_EQ(fileContents(settings.filePath("qmVanCk.dat")), "/srv/oe/data\r\n/srv/est\r\n");

    TempSettingsFolder other;
    Session fresh;
    fresh.settingsFolder = other.path();
    writeFileContents(other.filePath("qmvanck.dat"), "/old/a\r\n/old/b\r\nthird\r\n");
    const std::pair<const char*, const char*> refused[] = {
        {"E:\\OE\\Data", "Est"}, {"srv/oe/data", "/srv/est"}, {"", "/srv/est"},
        {"/srv/oe/data", ""},    {" /srv", "/srv/est"},       {"\\\\server\\share", "/"}};
    for (const auto& [data, est] : refused)
        EXPECT_FALSE(*writeDataFolderFile(fresh, data, est)) << data << " " << est;
    EXPECT_TRUE(fresh.dataFolder.isEmpty() && fresh.estFolder.isEmpty());
    EXPECT_TRUE(*writeDataFolderFile(fresh, "E:\\OE\\Data", "data:"));
    EXPECT_EQ(fileContents(other.filePath("qmvanck.dat")), "E:\\OE\\Data\r\ndata:\r\n");
    EXPECT_EQ(QDir(other.path()).entryList(QDir::Files), QStringList({"qmvanck.dat"}));
}

// ------------------------------------------------------------ DELVHEAD.DAT
// (The writer is checked byte-exact through its window, frmDelvHead.)

TEST(DeliveryHeader, ReadsTheLinesTheFileHolds)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {"123456789", {}}, // too short to hold data
        {"a\rb\nc\r\nlast", {"a", "b\nc", "last"}},
        {"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}},
        {"\x80 Caf\xe9 \x93q\x94\r\n", {QString::fromUtf8("€ Café “q”")}}};
    for (const auto& [file, lines] : cases) {
        TempSettingsFolder settings;
        writeFileContents(settings.filePath("DELVHEAD.DAT"), file);
        const auto header = readDeliveryHeader(settings.path());
        ASSERT_EQ(header.has_value(), !lines.isEmpty()) << file.toStdString();
        for (int n = 1; header && n <= DeliveryHeader::SlotCount; ++n)
            EXPECT_EQ(header->slot(n), lines.value(n - 1)) << file.toStdString() << " slot " << n;
    }
}

// ------------------------------------------------------------ OwnsAct.DAT

QStringList fieldsOf(const std::optional<OwnerRecord>& r)
{
    return r ? QStringList{r->name, r->address, r->cityStateZip, r->phone, r->comment}
             : QStringList{};
}

TEST(OwnerRecord, WritesTheFixedWidthRecordKeepingTheTailAndReadsItBackTrimmed)
{
    TempSettingsFolder settings;
    const QByteArray tail("TAIL\0\1\r\n", 8);
    writeFileContents(settings.filePath("OWNSACT.DAT"), QByteArray(125, 'x') + tail);
    EXPECT_TRUE(writeOwnerRecord(settings.path(), {"  Caf\u00e9 \u2713 and a name much too long",
                                                   "12 Main St", "", "", "\u20ac"}));
    EXPECT_EQ(fileContents(settings.filePath("OWNSACT.DAT")),
              QByteArray("  Caf\xe9 ? and a name much 12 Main St") + QByteArray(54, ' ') + "\x80" +
                  QByteArray(35, ' ') + tail);
    EXPECT_EQ(
        fieldsOf(readOwnerRecord(settings.path())),
        (QStringList{QString::fromUtf8("Café ? and a name much"), "12 Main St", "", "", "\u20ac"}));

    TempSettingsFolder other;
    EXPECT_TRUE(writeOwnerRecord(other.path(), {}));
    EXPECT_EQ(QDir(other.path()).entryList(QDir::Files), QStringList{"Ownsact.dat"});
    EXPECT_EQ(fileContents(other.filePath("Ownsact.dat")), QByteArray(125, ' '));
}

TEST(OwnerRecord, ReadsTheFieldsAFileCutShortReaches)
{
    const QByteArray record = QByteArray("ACME Printing Company Inc12 Main St").leftJustified(75) +
                              QByteArray("(555)123-4567 Thank you");
    const std::pair<int, QStringList> cases[] = {
        {9, {}},
        {10, {"ACME Print", "", "", "", ""}},
        {95, {"ACME Printing Company Inc", "12 Main St", "", "(555)123-4567", "Thank"}}};
    for (const auto& [length, fields] : cases) {
        TempSettingsFolder settings;
        writeFileContents(settings.filePath("OwnsAct.DAT"), record.left(length));
        EXPECT_EQ(fieldsOf(readOwnerRecord(settings.path())), fields) << length;
    }
}

// ------------------------------------------------------------ BID.FYL

TEST(Margins, ReadsTheWholeNumbersOrFails)
{
    const std::tuple<const char*, int, int, int, int> cases[] = {
        {nullptr, 53, 0, 0, 0}, // file (nullptr: none), error, top, lines, printed top
        {"3\r\n66\r\n\r\n\r\n", 62, 0, 0, 3},
        {" 3 \r\n66\r\n\r\n\r\n\r", 0, 3, 66, 3},
        {"07\r\nabc\r\n\r\n\r\n\r\n", 0, 7, 0, 7},
        {"2.5\r\n65.5\r\n\r\n\r\n\r\n", 0, 2, 66, 2},
        {"40000\r\n66\r\n\r\n\r\n\r\n", 6, 0, 0, 0}};
    for (const auto& [file, error, top, lines, printedTop] : cases) {
        SCOPED_TRACE(file ? file : "no file");
        TempSettingsFolder settings;
        if (file)
            writeFileContents(settings.filePath("Bid.fyl"), file);
        const Result<Margins> margins = readMargins(settings.path());
        EXPECT_EQ(failureNumberOf(margins), error);
        EXPECT_EQ(error ? 0 : margins->topMargin * 1000 + margins->totalLines, top * 1000 + lines);
        EXPECT_EQ(readTopMargin(settings.path()).valueOr(0), printedTop);
    }
}

// (Saving is checked byte-exact through the margins window.)
TEST(Margins, PageHeightIsShownInInchesAtSixLinesEach)
{
    const std::pair<double, const char*> heights[] = {
        {66, "11."}, {63, "10.5"}, {3, ".5"}, {0, "."}, {1.5, ".3"}, {-3, "-.5"}, {600, "100."}};
    for (const auto& [lines, text] : heights)
        EXPECT_EQ(pageHeightText(lines), text) << lines;
}

// ------------------------------------------------------------ SigSec.Dat

TEST(SignatureOption, ReadsTheFirstValueRoundedAndWritesThePrintForm)
{
    TempSettingsFolder settings;
    EXPECT_TRUE(writeSignatureOption(settings.path(), 1));
    EXPECT_EQ(fileContents(settings.filePath("SigSec.Dat")), " 1 \r\n");
    const std::pair<QByteArray, int> cases[] = {{" 1 \r\n", 1}, {"", 0},          {"1.5,0", 2},
                                                {"abc\r\n", 0}, {"99999\r\n", 0}, {"\r\n1", 0},
                                                {"  1 , 0", 1}};
    for (const auto& [bytes, state] : cases) {
        writeFileContents(settings.filePath("SigSec.Dat"), bytes);
        EXPECT_EQ(readSignatureOption(settings.path()).valueOr(0), state) << bytes.toStdString();
    }
}

// ------------------------------------------------------------ all of them

// A FIFO where a settings file should be, which would hang a reader that
// opened it, gives every reader its default at once, and no writer replaces
// it. (What else is no file is read as missing by common/text_file.h.)
TEST(SettingsFiles, WhatIsNoFileGivesTheDefaultsAndIsNotReplaced)
{
    TempSettingsFolder settings;
    ASSERT_TRUE(QDir(settings.path()).mkdir("data"));
    for (const char* name : {"qmvanck.dat", "DELVHEAD.DAT", "OwnsAct.DAT", "BID.FYL", "SigSec.Dat",
                             "data/Comments.Dat"})
        ASSERT_EQ(mkfifo(QFile::encodeName(settings.filePath(name)).constData(), 0644), 0);
    const QString folder = settings.path();
    Session session;
    session.settingsFolder = folder;
    session.dataFolder = settings.filePath("data");
    EXPECT_EQ(failureOf(readDataFolderFile(folder)), 53);
    EXPECT_FALSE(readDeliveryHeader(folder).has_value());
    EXPECT_FALSE(readOwnerRecord(folder).has_value());
    EXPECT_EQ(failureNumberOf(readMargins(folder)), 53);
    EXPECT_EQ(readTopMargin(folder).valueOr(0) + readSignatureOption(folder).valueOr(0), 0);
    EXPECT_EQ(failureNumberOf(readComments(session.dataFolder)), 53);
    const int writeFailures[] = {
        errorNumberOf([&] { return writeDeliveryHeader(folder, {}); }),
        errorNumberOf([&] { return writeOwnerRecord(folder, {}); }),
        errorNumberOf([&] { return saveMargins(folder, "1", "2"); }),
        errorNumberOf([&] { return writeSignatureOption(folder, 1); }),
        errorNumberOf([&] { return SharedComments(session).post("x"); }),
        errorNumberOf([&] { return writeDataFolderFile(session, "/a", "/b"); })};
    for (const int failure : writeFailures)
        EXPECT_EQ(failure, 70);
    EXPECT_EQ(QDir(settings.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{});
}

// This process's peak resident size, in kB, since the peak was last reset.
long peakResidentKb(bool reset = false)
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    EXPECT_TRUE(!reset || (clear.open(QIODevice::WriteOnly) && clear.write("5") == 1));
    for (const QString& line :
         QString::fromLatin1(fileContents("/proc/self/status")).split(u'\n')) {
        if (line.startsWith(QStringLiteral("VmHWM:")))
            return line.mid(6).trimmed().split(u' ').value(0).toLong();
    }
    return -1;
}

// Each settings file 256 MiB long behind its real content (sparse: no disk
// space) is read for that content up to the bound, the comment line the
// bound cuts through left out, and is named in a notice (but the owner's
// record, of which only 125 bytes are ever read); the peak memory grows by
// less than 16 MiB, where reading any one file whole would take sixteen
// times that.
TEST(SettingsFiles, OversizedOnesAreReadUpToTheBoundInBoundedMemory)
{
    constexpr qint64 kOversized = 256 * 1024 * 1024;
#if defined(__SANITIZE_ADDRESS__)
    constexpr long kMostGrowthKb = 64 * 1024; // freed buffers, held back, count as in use
#else
    constexpr long kMostGrowthKb = 16 * 1024;
#endif
    TempSettingsFolder settings;
    ASSERT_TRUE(QDir(settings.path()).mkdir("data"));
    const QString data = settings.filePath("data");
    const std::pair<const char*, QByteArray> files[] = {
        {"qmvanck.dat", (data + "\r\n/srv/est\r\n").toUtf8()},
        {"chkList.Dat", "2\r\n"},
        {"LoadJob.Dat", "F\r\n"},
        {"chkCom.Dat", " 1 \r\n"},
        {"chkJob.Dat", "0\r\n"},
        {"DELVHEAD.DAT", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n    \r\nHEADLINE\r\n2\r\n\r\n"},
        {"OwnsAct.DAT", QByteArray("ACME").leftJustified(125)},
        {"BID.FYL", "3\r\n66\r\n\r\n\r\n\r\n"},
        {"SigSec.Dat", " 1 \r\n"},
        {"data/Comments.Dat", (QByteArray(1000, 'x') + "\r\n").repeated(1100)}};
    QStringList cut, reported;
    for (const auto& [name, bytes] : files) {
        writeFileContents(settings.filePath(name), bytes);
        ASSERT_TRUE(QFile::resize(settings.filePath(name), kOversized));
        if (QByteArray(name) != "OwnsAct.DAT")
            cut << settings.filePath(name) + " 1 MiB";
    }
    forgetReportedCutFiles();
    setCutFileReporter([&](const CutFile& file) { reported << file.path + " " + file.readPart; });
    const std::shared_ptr<void> unset(nullptr, [](void*) { setCutFileReporter({}); });

    const long baselineKb = peakResidentKb(true);
    const QString folder = settings.path();
    Session session;
    session.settingsFolder = folder;
    ASSERT_TRUE(readDataFolderFile(folder).applyTo(session));
    EXPECT_EQ(session.dataFolder + u'|' + session.estFolder, data + "|/srv/est");
    EXPECT_EQ(readDataFolderFirstLine(folder).dataFolder, data);
    const Margins margins = readMargins(folder).valueOr({});
    SharedComments comments(session);
    ASSERT_TRUE(comments.load());
    // Filter, load jobs, the two check boxes, headline and owner read,
    // margins, top margin, signature, the comment file's length, its lines
    // and whether the last is whole.
    const QList<qint64> read = {
        static_cast<int>(readListFilter(folder)),
        readLoadJobs(folder),
        readCheckState(folder, QString::fromLatin1(CommentsShownFile)).value(),
        readCheckState(folder, QString::fromLatin1(JobNumbersFile)).value(),
        readDeliveryHeader(folder).value().slot(9) == "HEADLINE",
        readOwnerRecord(folder).value().name == "ACME",
        margins.topMargin,
        margins.totalLines,
        readTopMargin(folder).valueOr(-1),
        readSignatureOption(folder).valueOr(-1),
        lengthCreatingIfMissing(commentsFilePath(session.dataFolder)),
        comments.fileLines().size(),
        comments.fileLines().last() == QString(1000, u'x')};
    const long growthKb = peakResidentKb() - baselineKb;
    EXPECT_EQ(read, (QList<qint64>{2, false, 1, 0, true, true, 3, 66, 3, 1, kOversized,
                                   SettingsFileBound / 1002, true}));
    EXPECT_LT(growthKb, kMostGrowthKb);
    std::cout << "peak memory grew by " << growthKb << " kB\n";
    reported.sort();
    cut.sort();
    EXPECT_EQ(reported, cut);
}

// ------------------------------------------------------------ Comments.Dat

class CommentsFileTest : public ::testing::Test
{
protected:
    CommentsFileTest() { m_session.dataFolder = m_settings.path(); }

    QString path() const { return m_session.dataFolder + "/Comments.Dat"; }
    QString lockPath() const { return SharedComments::lockFilePath(m_session.dataFolder); }

    TempSettingsFolder m_settings;
    Session m_session;
};

// Lines are read whole; without a data folder there is no file.
TEST_F(CommentsFileTest, ReadsWholeLines)
{
    writeFileContents(path(), "Rush, \"fragile\"\r\n\r\nlast\rno end\n");
    EXPECT_EQ(readComments(m_session.dataFolder).valueOr({}),
              (QStringList{"Rush, \"fragile\"", "", "last", "no end\n"}));
    m_session.dataFolder.clear();
    EXPECT_EQ(failureNumberOf(readComments(m_session.dataFolder)), 53);
    // Not even where the program runs, which here holds a comment file.
    const QString runningIn = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_settings.path()));
    EXPECT_EQ(failureNumberOf(readComments(m_session.dataFolder)), 53);
    QDir::setCurrent(runningIn);
    EXPECT_EQ(failureNumberOf(SharedComments(m_session).post("x")), 70);
}

// Leaving removes one line per erasure, the first of equal lines, from the
// file as it now stands; everything else stays byte for byte, also across
// the pieces the file is copied in (64 KiB) and in a line far longer than
// any erased one.
TEST_F(CommentsFileTest, LeavingRemovesExactlyTheErasedLinesFromTheFileAsItNowStands)
{
    // After "Other\r\n" and the fill, the CR of the next line ends the first
    // piece and its LF begins the second.
    const QByteArray fill = QByteArray(65525, 'y') + "\r\n";
    const QByteArray huge(200000, 'A');
    const std::tuple<QByteArray, QStringList, QByteArray> cases[] = {
        {"A\r\nB\r\nA\r\n", {"A"}, "B\r\nA\r\n"},
        {"A\r\nB\r\nA\r\n", {"A", "A"}, "B\r\n"},
        {"A\rB\nC\r\nB", {"B", "B\nC"}, "A\r"},
        {fill + "A\r\nB\r\n", {"A"}, fill + "B\r\n"},
        {fill + "B\r\nA\r\n", {"A"}, fill + "B\r\n"},
        {huge + "\r\nA\r\n" + huge, {"A"}, huge + "\r\n" + huge}};
    for (const auto& [before, erased, after] : cases) {
        SCOPED_TRACE(erased.join("|").toStdString());
        writeFileContents(path(), before);
        SharedComments comments(m_session);
        ASSERT_TRUE(comments.load());
        for (const QString& comment : erased)
            EXPECT_TRUE(comments.erase(comment));
        EXPECT_FALSE(comments.erase("never listed"));
        writeFileContents(path(), "Other\r\n" + before);
        EXPECT_TRUE(comments.leave());
        EXPECT_EQ(fileContents(path()), "Other\r\n" + after);
        EXPECT_EQ(comments.listedLines(), comments.fileLines());
    }

    // A file gone meanwhile is not made again.
    SharedComments comments(m_session);
    ASSERT_TRUE(comments.load());
    comments.erase("Other");
    QFile::remove(path());
    EXPECT_TRUE(comments.leave());
    EXPECT_FALSE(QFileInfo::exists(path()));
}

// A lock another workstation holds makes a change fail within the wait,
// naming the file and leaving it and the erasures as they were. A lock left
// by a workstation that stopped long ago is taken over.
TEST_F(CommentsFileTest, AChangeWaitsForTheLockButNotForAStaleOne)
{
    writeFileContents(path(), "A\r\n");
    SharedComments comments(m_session, std::chrono::milliseconds(50));
    ASSERT_TRUE(comments.load());
    comments.erase("A");
    {
        QLockFile held(lockPath());
        ASSERT_TRUE(held.tryLock(std::chrono::milliseconds(0)));
        EXPECT_EQ(failureNumberOf(comments.leave()), 70);
        const Result<SharedComments::Posting> posted = comments.post("B");
        EXPECT_FALSE(posted) << "posted while locked";
        EXPECT_TRUE(!posted &&
                    posted.failure().detail.startsWith(path() + ": another workstation"));
        EXPECT_EQ(fileContents(path()), "A\r\n");
    }

    writeFileContents(lockPath(), "4242\nvantrell\nanother-workstation\n");
    QFile lockFile(lockPath());
    ASSERT_TRUE(lockFile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                     QFileDevice::FileModificationTime));
    lockFile.close();
    EXPECT_TRUE(comments.leave());
    EXPECT_EQ(fileContents(path()), "");
    EXPECT_FALSE(QFileInfo::exists(lockPath()));
}

} // namespace
