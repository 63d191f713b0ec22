#include "common/runtime_error.h"
#include "common/text_file.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TextFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};

TEST_F(TextFileTest, ReadingFailsWithTheFileErrorNumbers)
{
    EXPECT_EQ(errorNumberOf([&] { readFileBytes(path("missing.dat")); }), 53);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder.dat"));
    EXPECT_EQ(errorNumberOf([&] { readFileBytes(path("folder.dat")); }), 70);
}

TEST_F(TextFileTest, RewriteFailingHalfwayKeepsTheOldFile)
{
    const QString target = path("DELVHEAD.DAT");
    rewriteFile(target, "old header\r\n");

    // 10000 bytes fit in the file's write buffer, so the write itself
    // succeeds and the limit strikes only when the content reaches the disk.
    int error = 0;
    {
        const FileSizeLimit limit(4096);
        error = errorNumberOf([&] { rewriteFile(target, QByteArray(10000, 'x')); });
    }
    EXPECT_EQ(error, 70);
    EXPECT_EQ(fileContents(target), "old header\r\n");
    // No temporary file is left beside it.
    EXPECT_EQ(entries(), QStringList({"DELVHEAD.DAT"}));
}

TEST_F(TextFileTest, RewriteReplacesTheWholeContentOrFailsOntoAFolder)
{
    rewriteFile(path("BID.FYL"), "a much longer old content\r\n");
    rewriteFile(path("BID.FYL"), "new\r\n");
    EXPECT_EQ(readFileBytes(path("BID.FYL")), "new\r\n");
    EXPECT_EQ(entries(), QStringList({"BID.FYL"}));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("taken"));
    EXPECT_EQ(errorNumberOf([&] { rewriteFile(path("taken"), "x"); }), 70);
    EXPECT_TRUE(QFileInfo(path("taken")).isDir());
    EXPECT_EQ(errorNumberOf([&] { rewriteFile(path("gone/file.dat"), "x"); }), 70);
}

TEST_F(TextFileTest, AppendAddsToTheEndAndCreatesWhenMissing)
{
    appendToFile(path("Comments.Dat"), joinLines({"first"}));
    appendToFile(path("Comments.Dat"), joinLines({"second"}));
    EXPECT_EQ(fileContents(path("Comments.Dat")), "first\r\nsecond\r\n");
    EXPECT_EQ(errorNumberOf([&] { appendToFile(path("gone/Comments.Dat"), "x"); }), 70);
}

TEST_F(TextFileTest, JoinLinesEndsEveryLineWithCrLfInWindows1252)
{
    EXPECT_EQ(joinLines({"A", "", QString::fromUtf16(u"\u20AC5")}), "A\r\n\r\n\x80"
                                                                    "5\r\n");
    EXPECT_EQ(joinLines({}), "");
}

// A missing file is left behind empty; a file that cannot be made or opened
// (no folder, a folder in its place) has length 0.
TEST_F(TextFileTest, PresenceTestNeedsTenBytes)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("BID.FYL"));
    rewriteFile(path("nine"), "123456789");
    rewriteFile(path("ten"), "1234567890");
    const struct
    {
        const char* name;
        qint64 length;
        bool holds;
        bool fileAfter;
    } cases[] = {{"SigSec.Dat", 0, false, true},
                 {"gone/OwnsAct.DAT", 0, false, false},
                 {"BID.FYL", 0, false, false},
                 {"nine", 9, false, true},
                 {"ten", 10, true, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(lengthCreatingIfMissing(path(c.name)), c.length) << c.name;
        EXPECT_EQ(holdsData(path(c.name)), c.holds) << c.name;
        EXPECT_EQ(QFileInfo(path(c.name)).isFile(), c.fileAfter) << c.name;
    }
    EXPECT_FALSE(QFileInfo::exists(path("gone")));
    EXPECT_EQ(readFileBytes(path("ten")), "1234567890");
}

} // namespace
