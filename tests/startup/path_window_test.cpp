#include "common/module_values.h"
#include "common/ui/window_registry.h"
#include "startup/folder_choosers.h"
#include "startup/frm_path.h"
#include "startup/mount_points.h"
#include "startup_windows_fixture.h"
#include "support/scripted_platform.h"
#include "support/test_files.h"

#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

class PathWindowTest : public StartupWindowsTest
{
protected:
    PathWindowTest()
    {
        QDir(m_folders.path()).mkpath("oe/data");
        QDir(m_folders.path()).mkpath("est");
    }

    FrmPath* showPathWindow()
    {
        auto* window = windows::show<FrmPath>(QStringLiteral("frmPath"));
        EXPECT_NE(window, nullptr);
        return window;
    }

    QString folder(const char* name) const { return m_folders.filePath(QString::fromLatin1(name)); }

    // Presses Continue and checks that it always ends in the main window.
    void pressContinue(FrmPath* window)
    {
        QPointer<QWidget> guard = window;
        EXPECT_EQ(window->cmdPath->text(), "Continue");
        window->cmdPath->click();
        EXPECT_EQ(windows::find(QStringLiteral("frmPath")), nullptr);
        EXPECT_NE(shownWindow("frmDelivery"), nullptr);
        deleteClosedWindows();
        EXPECT_TRUE(guard.isNull());
    }

    QTemporaryDir m_folders;
    ScriptedPlatform m_platform;
};

TEST_F(PathWindowTest, WithoutFileShowsNoFolderAndContinueWritesNothing)
{
    FrmPath* window = showPathWindow();
    EXPECT_EQ(window->windowTitle(), "Location of Vantrell OE Folder");
    EXPECT_EQ(window->Text1->text(), "No Folder Selected");
    EXPECT_EQ(window->Text2->text(), "No Folder Selected");
    EXPECT_EQ(window->drvBox->drive(), mountPointOf(QDir::homePath(), window->drvBox->drives()));

    pressContinue(window);
    EXPECT_EQ(dataFolderFileBytes(), "<missing>");
    EXPECT_TRUE(DataFolder.isEmpty());
}

TEST_F(PathWindowTest, ShowsTheStoredFoldersOnTheirDrivesAndLists)
{
    writeDataFolderFile((folder("oe/data") + "/\r\n" + folder("est") + "\r\n").toUtf8());
    FrmPath* window = showPathWindow();
    EXPECT_EQ(window->Text1->text(), folder("oe/data") + "/"); // exactly as stored
    EXPECT_EQ(window->Text2->text(), folder("est"));
    EXPECT_EQ(window->dirBox->folder(), folder("oe/data"));
    EXPECT_EQ(window->Dir1->folder(), folder("est"));
    EXPECT_EQ(window->drvBox->drive(), mountPointOf(folder("oe/data"), window->drvBox->drives()));
    EXPECT_EQ(DataFolder, folder("oe/data") + "/");
}

struct BadStoredCase
{
    const char* name;
    const char* file; // %1: an existing folder
    const char* text1;
    const char* text2; // %1 as above
};

class PathWindowBadStoredTest : public PathWindowTest,
                                public ::testing::WithParamInterface<BadStoredCase>
{
};

TEST_P(PathWindowBadStoredTest, LoadingStopsAndEmptiesTheDataFolder)
{
    const BadStoredCase& c = GetParam();
    const auto withFolder = [this](const char* text) {
        return QString::fromLatin1(text).replace("%1", folder("est"));
    };
    writeDataFolderFile(withFolder(c.file).toUtf8());
    FrmPath* window = showPathWindow();
    EXPECT_TRUE(DataFolder.isEmpty());
    EXPECT_EQ(window->Text1->text(), withFolder(c.text1));
    EXPECT_EQ(window->Text2->text(), withFolder(c.text2));
}

INSTANTIATE_TEST_SUITE_P(
    Files, PathWindowBadStoredTest,
    ::testing::Values(
        BadStoredCase{"OneLine", "%1\r\n", "No Folder Selected", "No Folder Selected"},
        // The drive is chosen before the folder is found missing: its top stays shown.
        BadStoredCase{"DataFolderGone", "/no/such/folder\r\n%1\r\n", "/", "No Folder Selected"},
        BadStoredCase{"DriveLetterOnThisSystem", "E:\\OE\\Data\r\n%1\r\n", "No Folder Selected",
                      "No Folder Selected"},
        BadStoredCase{"EstFolderGone", "%1\r\n/no/such/est\r\n", "%1", "/"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PathWindowTest, DoubleClickOpensAFolderAndADriveShowsItsTop)
{
    FrmPath* window = showPathWindow();
    auto* model = qobject_cast<QFileSystemModel*>(window->Dir1->model());
    ASSERT_NE(model, nullptr);
    emit window->Dir1->doubleClicked(model->index(folder("est")));
    EXPECT_EQ(window->Text2->text(), folder("est"));
    EXPECT_EQ(window->Text1->text(), "No Folder Selected");

    ASSERT_TRUE(window->drvBox->setDrive("/"));
    EXPECT_EQ(window->dirBox->folder(), "/");
    EXPECT_EQ(window->Text1->text(), "/");
}

struct ContinueCase
{
    const char* name;
    const char* text1;
    const char* text2;
    QByteArray file; // afterwards
    const char* dataFolder;
};

class PathWindowContinueTest : public PathWindowTest,
                               public ::testing::WithParamInterface<ContinueCase>
{
};

TEST_P(PathWindowContinueTest, StoresOnlyWhenBothAreFolderPaths)
{
    writeDataFolderFile("/old/data\r\n/old/est\r\n");
    FrmPath* window = showPathWindow();
    window->Text1->setText(QString::fromLatin1(GetParam().text1));
    window->Text2->setText(QString::fromLatin1(GetParam().text2));
    pressContinue(window);
    EXPECT_EQ(dataFolderFileBytes(), GetParam().file);
    EXPECT_EQ(DataFolder, GetParam().dataFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PathWindowContinueTest,
    ::testing::Values(ContinueCase{"Both", "/srv/oe data", "D:\\Est", "/srv/oe data\r\nD:\\Est\r\n",
                                   "/srv/oe data"},
                      ContinueCase{"OnlyTheDataFolder", "/srv/oe", "No Folder Selected",
                                   "/old/data\r\n/old/est\r\n", ""},
                      ContinueCase{"Neither", "No Folder Selected", "", "/old/data\r\n/old/est\r\n",
                                   ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PathWindowTest, ContinueThatCannotWriteSaysSoAndStillGoesOn)
{
    writeDataFolderFile("/old/data\r\n/old/est\r\n");
    FrmPath* window = showPathWindow();
    window->Text1->setText("/" + QString(40, u'x'));
    window->Text2->setText("/srv/est");
    {
        const FileSizeLimit limit(16);
        pressContinue(window);
    }
    EXPECT_EQ(dataFolderFileBytes(), "/old/data\r\n/old/est\r\n");
    ASSERT_EQ(m_platform.messages.size(), 1U);
    EXPECT_TRUE(m_platform.messages[0].text.contains("qmvanck.dat"));
    EXPECT_EQ(EstFolder, "/srv/est");
}

TEST_F(PathWindowTest, ContinueBringsAnOpenMainWindowForwardWithoutLoadingIt)
{
    ASSERT_NE(windows::show(QStringLiteral("frmDelivery")), nullptr);
    pressContinue(showPathWindow());
    EXPECT_EQ(m_mainWindowLoads, 1);
}

} // namespace
