#include "common/module_values.h"
#include "common/ui/window_registry.h"
#include "startup/frm_path.h"
#include "startup_windows_fixture.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

class PathWindowTest : public StartupWindowsTest
{
protected:
    QWidget* showPathWindow() { return windows::show(QStringLiteral("frmPath")); }

    static QLineEdit* box(QWidget* window, const char* name)
    {
        auto* found = window->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Presses Continue and checks that it always ends in the main window.
    void pressContinue(QWidget* window)
    {
        QPointer<QWidget> guard = window;
        auto* button = window->findChild<QPushButton*>(QStringLiteral("cmdPath"));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), "Continue");
        button->click();
        EXPECT_EQ(windows::find(QStringLiteral("frmPath")), nullptr);
        EXPECT_NE(shownWindow("frmDelivery"), nullptr);
        deleteClosedWindows();
        EXPECT_TRUE(guard.isNull());
    }
};

TEST_F(PathWindowTest, WithoutFileShowsNoFolderAndContinueWritesNothing)
{
    QWidget* window = showPathWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Location of Vantrell OE Folder");
    EXPECT_EQ(box(window, "Text1")->text(), "No Folder Selected");
    EXPECT_EQ(box(window, "Text2")->text(), "No Folder Selected");

    pressContinue(window);
    EXPECT_EQ(dataFolderFileBytes(), "<missing>");
    EXPECT_TRUE(DataFolder.isEmpty());
}

TEST_F(PathWindowTest, ShowsTheStoredFolders)
{
    writeDataFolderFile("E:\\Data\r\n/srv/est\r\n");
    QWidget* window = showPathWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(box(window, "Text1")->text(), "E:\\Data");
    EXPECT_EQ(box(window, "Text2")->text(), "/srv/est");
    EXPECT_EQ(DataFolder, "E:\\Data");
}

TEST_F(PathWindowTest, AStoredTextThatIsNoPathIsNotShown)
{
    writeDataFolderFile("E:\\Data\r\nEst\r\n");
    QWidget* window = showPathWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(box(window, "Text1")->text(), "E:\\Data");
    EXPECT_EQ(box(window, "Text2")->text(), "No Folder Selected");
}

TEST_F(PathWindowTest, FileThatCannotBeReadWholeEmptiesTheDataFolder)
{
    writeDataFolderFile("E:\\Data\r\n");
    QWidget* window = showPathWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(DataFolder.isEmpty());
    EXPECT_EQ(box(window, "Text1")->text(), "No Folder Selected");
}

TEST_F(PathWindowTest, ContinueStoresTypedFolders)
{
    QWidget* window = showPathWindow();
    ASSERT_NE(window, nullptr);
    box(window, "Text1")->setText(QStringLiteral("D:\\Orders"));
    box(window, "Text2")->setText(QStringLiteral("D:\\Est"));

    pressContinue(window);
    EXPECT_EQ(dataFolderFileBytes(), "D:\\Orders\r\nD:\\Est\r\n");
    EXPECT_EQ(DataFolder, "D:\\Orders");
    EXPECT_EQ(EstFolder, "D:\\Est");
}

TEST_F(PathWindowTest, ContinueWithOnlyTheDataFolderStoresNothing)
{
    writeDataFolderFile("/old/data\r\n/old/est\r\n");
    QWidget* window = showPathWindow();
    ASSERT_NE(window, nullptr);
    box(window, "Text1")->setText(QStringLiteral("D:\\Orders"));
    box(window, "Text2")->setText(QStringLiteral("Est"));

    pressContinue(window);
    EXPECT_EQ(dataFolderFileBytes(), "/old/data\r\n/old/est\r\n");
    EXPECT_EQ(DataFolder, "/old/data");
}

TEST_F(PathWindowTest, ContinueBringsAnOpenMainWindowForwardWithoutLoadingIt)
{
    ASSERT_NE(windows::show(QStringLiteral("frmDelivery")), nullptr);
    QWidget* window = showPathWindow();
    ASSERT_NE(window, nullptr);

    pressContinue(window);
    EXPECT_EQ(m_mainWindowLoads, 1);
}

} // namespace
