#include "common/settings_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        setSettingsFolder(m_dir.path());
    }
    void TearDown() override { setSettingsFolder({}); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};

TEST_F(SettingsFolderTest, DefaultsToTheProgramsFolder)
{
    EXPECT_EQ(settingsFolder(), m_dir.path());
    setSettingsFolder({});
    EXPECT_EQ(settingsFolder(), QCoreApplication::applicationDirPath());
}

TEST_F(SettingsFolderTest, BothSpellingsReachTheExistingFile)
{
    write(path("Ownsact.dat"), "owner");
    EXPECT_EQ(settingsFilePath("OwnsAct.DAT"), path("Ownsact.dat"));
    EXPECT_EQ(settingsFilePath("OWNSACT.DAT"), path("Ownsact.dat"));
    EXPECT_EQ(settingsFilePath("Ownsact.dat"), path("Ownsact.dat"));
}

TEST_F(SettingsFolderTest, MissingFileIsCreatedUnderItsFirstWritersSpelling)
{
    const QString firstWriter = settingsFilePath("qmVanCk.dat");
    EXPECT_EQ(firstWriter, path("qmVanCk.dat"));
    write(firstWriter, "x");

    EXPECT_EQ(settingsFilePath("qmvanck.dat"), firstWriter);
    EXPECT_EQ(entries(), QStringList({"qmVanCk.dat"}));
}

TEST_F(SettingsFolderTest, ExactSpellingWinsOverAnotherCase)
{
    write(path("chkjob.dat"), "1");
    write(path("chkJob.Dat"), "0");
    EXPECT_EQ(settingsFilePath("chkJob.Dat"), path("chkJob.Dat"));
    EXPECT_EQ(settingsFilePath("chkjob.dat"), path("chkjob.dat"));
}

TEST_F(SettingsFolderTest, LooksUpNamesInAnyFolder)
{
    QTemporaryDir dataFolder;
    write(dataFolder.filePath("COMMENTS.DAT"), "");
    EXPECT_EQ(resolveFileName(dataFolder.path(), "Comments.Dat"),
              dataFolder.filePath("COMMENTS.DAT"));

    const QString missingFolder = dataFolder.filePath("gone");
    EXPECT_EQ(resolveFileName(missingFolder, "Comments.Dat"), missingFolder + "/Comments.Dat");
}

} // namespace
