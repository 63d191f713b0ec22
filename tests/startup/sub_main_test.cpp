#include "common/module_values.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/window_registry.h"
#include "settings/data_folder_file.h"
#include "startup/frm_splash.h"
#include "startup/sub_main.h"
#include "startup_windows_fixture.h"

#include <QEvent>
#include <QPointer>

namespace {

// What the splash window looked like at the moment it was closed.
class SplashCloseWatch : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            auto* splash = static_cast<FrmSplash*>(watched);
            ++closes;
            barShown = splash->pbSplash().isVisibleTo(splash);
            minimum = splash->pbSplash().minimum64();
            maximum = splash->pbSplash().maximum64();
            value = splash->pbSplash().value64();
            dataFolder = DataFolder;
        }
        return false;
    }

    int closes = 0;
    bool barShown = false;
    qint64 minimum = -1;
    qint64 maximum = -1;
    qint64 value = -1;
    QString dataFolder = QStringLiteral("<not closed>");
};

class SubMainTest : public StartupWindowsTest
{
protected:
    SubMainTest()
    {
        windows::registerWindow(QStringLiteral("frmSplash"), [this] {
            auto* splash = new FrmSplash;
            splash->installEventFilter(&m_watch);
            m_splash = splash;
            return splash;
        });
    }

    // Main, then the checks every start-up shares: the splash ran its full
    // progress and is gone.
    void runMain()
    {
        subMain::Main();
        EXPECT_EQ(m_watch.closes, 1);
        EXPECT_TRUE(m_watch.barShown);
        EXPECT_EQ(m_watch.minimum, 0);
        EXPECT_EQ(m_watch.maximum, 10000);
        EXPECT_EQ(m_watch.value, 10000);
        EXPECT_EQ(windows::find(QStringLiteral("frmSplash")), nullptr);
        deleteClosedWindows();
        EXPECT_TRUE(m_splash.isNull());
    }

    SplashCloseWatch m_watch;
    QPointer<FrmSplash> m_splash;
};

TEST_F(SubMainTest, WithoutDataFolderFileOpensTheDataFolderWindow)
{
    runMain();
    EXPECT_TRUE(DataFolder.isEmpty());
    EXPECT_NE(shownWindow("frmPath"), nullptr);
    EXPECT_EQ(windows::find(QStringLiteral("frmDelivery")), nullptr);
    EXPECT_EQ(dataFolderFileBytes(), "<missing>");
}

TEST_F(SubMainTest, StoredDataFolderOpensTheMainWindowAfterTheSplashIsGone)
{
    writeDataFolderFile("E:\\OE\\Data\r\nE:\\Est\r\n");
    runMain();
    // The file was read only once the splash had closed.
    EXPECT_EQ(m_watch.dataFolder, "");
    EXPECT_EQ(DataFolder, "E:\\OE\\Data");
    EXPECT_EQ(EstFolder, "E:\\Est");
    EXPECT_EQ(databasePath(), "E:\\OE\\Data/qmdata.mdb");
    EXPECT_NE(shownWindow("frmDelivery"), nullptr);
    EXPECT_EQ(m_mainWindowLoads, 1);
    EXPECT_EQ(windows::find(QStringLiteral("frmPath")), nullptr);
}

TEST_F(SubMainTest, OneLineFileStillOpensTheMainWindow)
{
    writeDataFolderFile("/srv/oe/data\r\n");
    runMain();
    EXPECT_EQ(DataFolder, "/srv/oe/data");
    EXPECT_TRUE(EstFolder.isEmpty());
    EXPECT_NE(shownWindow("frmDelivery"), nullptr);
    EXPECT_EQ(windows::find(QStringLiteral("frmPath")), nullptr);
}

TEST_F(SubMainTest, OnlyTheDataFolderDecides)
{
    writeDataFolderFile("\r\n/srv/est\r\n");
    runMain();
    EXPECT_EQ(EstFolder, "/srv/est");
    EXPECT_NE(shownWindow("frmPath"), nullptr);
    EXPECT_EQ(m_mainWindowLoads, 0);
}

TEST_F(SubMainTest, CommaInTheFirstLineEndsTheDataFolder)
{
    writeDataFolderFile("E:\\Shop, Main\\Data\r\nE:\\Est\r\n");
    runMain();
    EXPECT_EQ(DataFolder, "E:\\Shop");
    EXPECT_EQ(EstFolder, "Main\\Data");
    EXPECT_NE(shownWindow("frmDelivery"), nullptr);
}

} // namespace
