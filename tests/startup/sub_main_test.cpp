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

// The splash window's progress and the data folder at the moment the splash
// was closed.
class SplashCloseWatch : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            const EventProgressBar& bar = static_cast<FrmSplash*>(watched)->pbSplash();
            seen << QStringLiteral("%1 %2..%3 at %4 with \"%5\"")
                        .arg(bar.isVisibleTo(bar.parentWidget()) ? "shown" : "hidden")
                        .arg(bar.minimum64())
                        .arg(bar.maximum64())
                        .arg(bar.value64())
                        .arg(DataFolder);
        }
        return false;
    }

    QStringList seen;
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
        EXPECT_EQ(m_watch.seen, QStringList({"shown 0..10000 at 10000 with \"\""}));
        EXPECT_EQ(windows::find(QStringLiteral("frmSplash")), nullptr);
        deleteClosedWindows();
        EXPECT_TRUE(m_splash.isNull());
    }

    SplashCloseWatch m_watch;
    QPointer<FrmSplash> m_splash;
};

struct StartCase
{
    const char* file; // nullptr: no file
    const char* dataFolder;
    const char* estFolder;
    const char* window;
};

class SubMainFileTest : public SubMainTest, public ::testing::WithParamInterface<StartCase>
{
};

// Only the data folder decides which window follows the splash; the file
// is read only once the splash has closed, and never written.
TEST_P(SubMainFileTest, TheDataFolderFileDecidesTheWindowAfterTheSplash)
{
    const StartCase& c = GetParam();
    if (c.file)
        writeDataFolderFile(c.file);
    runMain();
    EXPECT_EQ(DataFolder, c.dataFolder);
    EXPECT_EQ(EstFolder, c.estFolder);
    EXPECT_NE(shownWindow(c.window), nullptr);
    const bool main = QLatin1String(c.window) == "frmDelivery";
    EXPECT_EQ(windows::find(QString::fromLatin1(main ? "frmPath" : "frmDelivery")), nullptr);
    EXPECT_EQ(m_mainWindowLoads, main ? 1 : 0);
    EXPECT_EQ(dataFolderFileBytes(), c.file ? QByteArray(c.file) : QByteArray("<missing>"));
}

INSTANTIATE_TEST_SUITE_P(Files, SubMainFileTest,
                         ::testing::Values(StartCase{nullptr, "", "", "frmPath"},
                                           StartCase{"E:\\OE\\Data\r\nE:\\Est\r\n", "E:\\OE\\Data",
                                                     "E:\\Est", "frmDelivery"},
                                           StartCase{"/srv/oe/data\r\n", "/srv/oe/data", "",
                                                     "frmDelivery"},
                                           StartCase{"\r\n/srv/est\r\n", "", "/srv/est", "frmPath"},
                                           StartCase{"E:\\Shop, Main\\Data\r\nE:\\Est\r\n",
                                                     "E:\\Shop", "Main\\Data", "frmDelivery"}));

} // namespace
