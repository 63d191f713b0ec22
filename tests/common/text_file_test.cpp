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

TEST_F(TextFileTest, RewriteReplacesTheWholeContent)
{
    rewriteFile(path("BID.FYL"), "a much longer old content\r\n");
    rewriteFile(path("BID.FYL"), "new\r\n");
    EXPECT_EQ(readFileBytes(path("BID.FYL")), "new\r\n");
    EXPECT_EQ(entries(), QStringList({"BID.FYL"}));
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

TEST_F(TextFileTest, RewriteOntoAFolderOrIntoAMissingFolderFails)
{
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

TEST_F(TextFileTest, PresenceTestLeavesAMissingFileBehindEmpty)
{
    EXPECT_EQ(lengthCreatingIfMissing(path("SigSec.Dat")), 0);
    EXPECT_TRUE(QFileInfo(path("SigSec.Dat")).isFile());
    EXPECT_FALSE(holdsData(path("SigSec.Dat")));
}

TEST_F(TextFileTest, PresenceTestNeedsTenBytes)
{
    rewriteFile(path("nine"), "123456789");
    rewriteFile(path("ten"), "1234567890");
    EXPECT_EQ(lengthCreatingIfMissing(path("ten")), 10);
    EXPECT_FALSE(holdsData(path("nine")));
    EXPECT_TRUE(holdsData(path("ten")));
    EXPECT_EQ(readFileBytes(path("ten")), "1234567890");
}

TEST_F(TextFileTest, PresenceTestOfAFileThatCannotBeCreatedIsEmpty)
{
    EXPECT_EQ(lengthCreatingIfMissing(path("gone/OwnsAct.DAT")), 0);
    EXPECT_FALSE(holdsData(path("gone/OwnsAct.DAT")));
    EXPECT_FALSE(QFileInfo::exists(path("gone")));

    ASSERT_TRUE(QDir(m_dir.path()).mkdir("BID.FYL"));
    EXPECT_EQ(lengthCreatingIfMissing(path("BID.FYL")), 0);
}

} // namespace
