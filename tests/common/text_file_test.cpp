#include "common/settings_folder.h"
#include "common/text_file.h"
#include "support/test_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

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
    appendToFile(path("Comments.Dat"), joinLines({"A", ""}));
    appendToFile(path("Comments.Dat"), joinLines({QString::fromUtf16(u"\u20AC5")}));
    EXPECT_EQ(fileContents(path("Comments.Dat")), "A\r\n\r\n\x80"
                                                  "5\r\n");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("taken"));
    const std::pair<std::function<void()>, int> cases[] = {
        {[&] { readFileBytes(path("missing.dat")); }, 53},
        {[&] { readFileBytes(path("taken")); }, 70},
        {[&] { rewriteFile(path("taken"), "x"); }, 70},
        {[&] { rewriteFile(path("gone/file.dat"), "x"); }, 70},
        {[&] { appendToFile(path("gone/Comments.Dat"), "x"); }, 70},
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
              QStringList({"BID.FYL", "Comments.Dat", "taken"}));
}

// A missing file is left behind empty; a file that cannot be made or opened
// (no folder, a folder in its place) has length 0.
TEST_F(TextFileTest, PresenceTestNeedsTenBytes)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("BID.FYL"));
    rewriteFile(path("nine"), "123456789");
    rewriteFile(path("ten"), "1234567890");
    const std::tuple<const char*, qint64, bool, bool> cases[] = {
        {"SigSec.Dat", 0, false, true},
        {"gone/OwnsAct.DAT", 0, false, false},
        {"BID.FYL", 0, false, false},
        {"nine", 9, false, true},
        {"ten", 10, true, true}};
    for (const auto& [name, length, holds, fileAfter] : cases) {
        EXPECT_EQ(lengthCreatingIfMissing(path(name)), length) << name;
        EXPECT_EQ(holdsData(path(name)), holds) << name;
        EXPECT_EQ(QFileInfo(path(name)).isFile(), fileAfter) << name;
    }
    EXPECT_FALSE(QFileInfo::exists(path("gone")));
}

// A settings file is found under any spelling of its name, the exact one
// first; a missing one is made under its first writer's spelling.
TEST_F(TextFileTest, SettingsFilesAreFoundWhateverTheCaseOfTheirNames)
{
    setSettingsFolder(m_dir.path());
    writeFileContents(path("Ownsact.dat"), "owner");
    writeFileContents(path("chkjob.dat"), "1");
    writeFileContents(path("chkJob.Dat"), "0");
    const std::pair<const char*, const char*> cases[] = {{"OWNSACT.DAT", "Ownsact.dat"},
                                                         {"Ownsact.dat", "Ownsact.dat"},
                                                         {"chkJob.Dat", "chkJob.Dat"},
                                                         {"chkjob.dat", "chkjob.dat"},
                                                         {"qmVanCk.dat", "qmVanCk.dat"}};
    for (const auto& [asked, found] : cases)
        EXPECT_EQ(settingsFilePath(asked), path(found)) << asked;

    EXPECT_EQ(resolveFileName(path("gone"), "Comments.Dat"), path("gone/Comments.Dat"));
    setSettingsFolder({});
    EXPECT_EQ(settingsFolder(), QCoreApplication::applicationDirPath());
}

} // namespace
