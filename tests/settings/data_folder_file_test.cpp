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

// Read as two delimited fields: a comma splits a path, quotes keep one
// whole; a file cut short leaves what was not read as it was.
TEST_F(DataFolderFileTest, ReadsBothFoldersAsDelimitedFields)
{
    const struct
    {
        const char* name; // nullptr: no file
        const char* bytes;
        int error;
        const char* dataFolder;
        const char* estFolder;
    } cases[] = {
        {nullptr, "", 53, "/old", "/previous"},
        {"qmvanck.dat", "/srv/oe/data\r\n/srv/est\r\n", 0, "/srv/oe/data", "/srv/est"},
        {"qmvanck.dat", "E:\\OE\\Data\r\nE:\\Est\r\nextra line\r\n", 0, "E:\\OE\\Data", "E:\\Est"},
        {"QMVANCK.DAT", "/srv/oe/data\r\n/srv/est\r\n", 0, "/srv/oe/data", "/srv/est"},
        {"qmvanck.dat", "E:\\Shop, Main\\Data\r\nE:\\Est\r\n", 0, "E:\\Shop", "Main\\Data"},
        {"qmvanck.dat", "\"/srv/Shop, Main/Data\"\r\n/srv/est\r\n", 0, "/srv/Shop, Main/Data",
         "/srv/est"},
        {"qmvanck.dat", "/srv/oe/data\r\n", 62, "/srv/oe/data", "/previous"},
        {"qmvanck.dat", "\r\n/srv/est\r\n", 0, "", "/srv/est"},
        {"qmvanck.dat", "", 62, "/old", "/previous"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        for (const QString& name : entries())
            QFile::remove(m_settings.filePath(name));
        if (c.name)
            writeFile(c.bytes, c.name);
        DataFolder = "/old";
        EstFolder = "/previous";
        EXPECT_EQ(errorNumberOf(readDataFolderFile), c.error);
        EXPECT_EQ(DataFolder, c.dataFolder);
        EXPECT_EQ(EstFolder, c.estFolder);
    }
    EXPECT_EQ(errorNumberOf(readDataFolderFirstLine), 62);
    DataFolder = "/srv/oe/data";
    EXPECT_EQ(databasePath(), "/srv/oe/data/qmdata.mdb");
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
