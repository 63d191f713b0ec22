#include "common/module_values.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "settings/data_folder_file.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DataFolderFileTest : public ::testing::Test
{
protected:
    void writeFile(const QByteArray& bytes, const QString& name = "qmvanck.dat")
    {
        writeFileContents(m_settings.filePath(name), bytes);
    }

    QByteArray fileBytes(const QString& name) const
    {
        return fileContents(m_settings.filePath(name));
    }

    QStringList entries() const { return QDir(m_settings.path()).entryList(QDir::Files); }

    TempSettingsFolder m_settings;
};

TEST_F(DataFolderFileTest, MissingFileReadsNothing)
{
    EXPECT_EQ(errorNumberOf(readDataFolderFile), 53);
    EXPECT_TRUE(DataFolder.isEmpty());
    EXPECT_TRUE(EstFolder.isEmpty());
    EXPECT_EQ(errorNumberOf(readDataFolderFirstLine), 53);
}

TEST_F(DataFolderFileTest, ReadsBothFoldersAndAddressesTheDatabase)
{
    writeFile("/srv/oe/data\r\n/srv/est\r\n");
    readDataFolderFile();
    EXPECT_EQ(DataFolder, "/srv/oe/data");
    EXPECT_EQ(EstFolder, "/srv/est");
    EXPECT_EQ(databasePath(), "/srv/oe/data/qmdata.mdb");
    EXPECT_EQ(fileInDataFolder("Comments.Dat"), "/srv/oe/data/Comments.Dat");

    writeFile("E:\\OE\\Data\r\nE:\\Est\r\nextra line\r\n");
    readDataFolderFile();
    EXPECT_EQ(DataFolder, "E:\\OE\\Data");
    EXPECT_EQ(EstFolder, "E:\\Est");
}

TEST_F(DataFolderFileTest, FindsTheFileUnderAnotherCase)
{
    writeFile("/srv/oe/data\r\n/srv/est\r\n", "QMVANCK.DAT");
    readDataFolderFile();
    EXPECT_EQ(DataFolder, "/srv/oe/data");
}

TEST_F(DataFolderFileTest, CommaInThePathSplitsIt)
{
    writeFile("E:\\Shop, Main\\Data\r\nE:\\Est\r\n");
    readDataFolderFile();
    EXPECT_EQ(DataFolder, "E:\\Shop");
    EXPECT_EQ(EstFolder, "Main\\Data");
}

TEST_F(DataFolderFileTest, QuotedFirstLineGivesTheTextBetweenTheQuotes)
{
    writeFile("\"/srv/Shop, Main/Data\"\r\n/srv/est\r\n");
    readDataFolderFile();
    EXPECT_EQ(DataFolder, "/srv/Shop, Main/Data");
    EXPECT_EQ(EstFolder, "/srv/est");
}

TEST_F(DataFolderFileTest, OneLineFileSetsDataFolderOnly)
{
    EstFolder = "/srv/previous";
    writeFile("/srv/oe/data\r\n");
    EXPECT_EQ(errorNumberOf(readDataFolderFile), 62);
    EXPECT_EQ(DataFolder, "/srv/oe/data");
    EXPECT_EQ(EstFolder, "/srv/previous");
}

TEST_F(DataFolderFileTest, EmptyFirstLineGivesAnEmptyDataFolder)
{
    DataFolder = "/srv/old";
    writeFile("\r\n/srv/est\r\n");
    readDataFolderFile();
    EXPECT_TRUE(DataFolder.isEmpty());
    EXPECT_EQ(EstFolder, "/srv/est");

    writeFile("");
    DataFolder = "/srv/old";
    EXPECT_EQ(errorNumberOf(readDataFolderFile), 62);
    EXPECT_EQ(DataFolder, "/srv/old");
}

TEST_F(DataFolderFileTest, CommentWindowTakesTheWholeFirstLine)
{
    EstFolder = "/srv/est";
    writeFile("\"E:\\Shop\", Main\\Data\r\nE:\\Other\r\n");
    readDataFolderFirstLine();
    EXPECT_EQ(DataFolder, "\"E:\\Shop\", Main\\Data");
    EXPECT_EQ(EstFolder, "/srv/est");

    writeFile("");
    EXPECT_EQ(errorNumberOf(readDataFolderFirstLine), 62);
    EXPECT_EQ(DataFolder, "\"E:\\Shop\", Main\\Data");
}

TEST_F(DataFolderFileTest, WritesExactlyTwoBareLines)
{
    EXPECT_TRUE(writeDataFolderFile("/srv/oe/data", "/srv/est"));
    EXPECT_EQ(fileBytes("qmVanCk.dat"), "/srv/oe/data\r\n/srv/est\r\n");
    EXPECT_EQ(DataFolder, "/srv/oe/data");
    EXPECT_EQ(EstFolder, "/srv/est");

    // The readers' spelling reaches the file the window created.
    resetModuleValues();
    readDataFolderFile();
    EXPECT_EQ(DataFolder, "/srv/oe/data");
    EXPECT_EQ(EstFolder, "/srv/est");
}

TEST_F(DataFolderFileTest, WritingReplacesTheFileUnderItsExistingSpelling)
{
    writeFile("/old/a\r\n/old/b\r\nthird\r\n");
    EXPECT_TRUE(writeDataFolderFile("E:\\OE\\Data", "D:\\Est"));
    EXPECT_EQ(fileBytes("qmvanck.dat"), "E:\\OE\\Data\r\nD:\\Est\r\n");
    EXPECT_EQ(entries(), QStringList({"qmvanck.dat"}));
}

TEST_F(DataFolderFileTest, RefusesTextsThatAreNoPaths)
{
    writeFile("/old/a\r\n/old/b\r\n");
    DataFolder = "/old/a";
    EstFolder = "/old/b";

    EXPECT_FALSE(writeDataFolderFile("E:\\OE\\Data", "Est"));
    EXPECT_FALSE(writeDataFolderFile("srv/oe/data", "/srv/est"));
    EXPECT_FALSE(writeDataFolderFile("", "/srv/est"));
    EXPECT_FALSE(writeDataFolderFile("/srv/oe/data", ""));

    EXPECT_EQ(fileBytes("qmvanck.dat"), "/old/a\r\n/old/b\r\n");
    EXPECT_EQ(DataFolder, "/old/a");
    EXPECT_EQ(EstFolder, "/old/b");
}

TEST(FolderPath, NeedsAColonOrALeadingSlash)
{
    EXPECT_TRUE(isFolderPath("E:\\OE"));
    EXPECT_TRUE(isFolderPath("data:"));
    EXPECT_TRUE(isFolderPath("/"));
    EXPECT_FALSE(isFolderPath("srv/oe"));
    EXPECT_FALSE(isFolderPath(" /srv"));
    EXPECT_FALSE(isFolderPath("\\\\server\\share"));
}

} // namespace
