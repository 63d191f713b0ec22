#include "common/session.h"
#include "common/settings_folder.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/window_registry.h"
#include "startup/folder_choosers.h"
#include "startup/frm_path.h"
#include "startup/frm_splash.h"
#include "startup/mount_points.h"
#include "startup/sub_main.h"
#include "support/scripted_platform.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A temporary settings folder, the real splash and data-folder windows
// registered by their names, and a plain window standing for frmDelivery
// that counts its loads. Every window is unloaded and deleted after a case.
class StartupWindowsTest : public ::testing::Test
{
protected:
    StartupWindowsTest()
    {
        m_session.settingsFolder = m_settings.path();
        windows::registerWindow(QStringLiteral("frmSplash"), [this] {
            m_splash = new FrmSplash;
            // What the bar showed last, kept past the splash's deletion.
            const EventProgressBar* bar = &m_splash->pbSplash();
            QObject::connect(
                bar, &QProgressBar::valueChanged, [this, bar, splash = m_splash.data()] {
                    m_splashBar = {bar->isVisibleTo(splash), bar->value64(), bar->maximum64()};
                });
            return m_splash.data();
        });
        windows::registerWindow(QStringLiteral("frmPath"),
                                [this] { return new FrmPath(m_session); });
        windows::registerWindow(QStringLiteral("frmDelivery"), [this] {
            ++m_mainWindowLoads;
            return new QWidget;
        });
        QDir(m_folders.path()).mkpath("oe/data");
    }
    ~StartupWindowsTest() override
    {
        windows::reset();
        deleteClosedWindows();
    }

    void writeDataFolderFile(const QByteArray& bytes)
    {
        writeFileContents(m_settings.filePath(QStringLiteral("qmvanck.dat")), bytes);
    }
    // Under whatever spelling the file has; "<missing>" without one.
    QByteArray dataFolderFileBytes() const
    {
        return fileContents(resolveFileName(m_settings.path(), QStringLiteral("qmvanck.dat")));
    }
    static void deleteClosedWindows()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The loaded window `name` when it is also visible.
    static QWidget* shownWindow(const char* name)
    {
        QWidget* window = windows::find(QString::fromLatin1(name));
        return window != nullptr && window->isVisible() ? window : nullptr;
    }
    QString folder(const char* name) const { return m_folders.filePath(QString::fromLatin1(name)); }

    // Presses Continue, which always ends in the main window.
    void pressContinue(FrmPath* window)
    {
        EXPECT_EQ(window->cmdPath->text(), "Continue");
        window->cmdPath->click();
        EXPECT_EQ(windows::find(QStringLiteral("frmPath")), nullptr);
        EXPECT_NE(shownWindow("frmDelivery"), nullptr);
        deleteClosedWindows();
    }

    TempSettingsFolder m_settings;
    ScriptedPlatform m_platform;
    Session m_session;
    QPointer<FrmSplash> m_splash;
    struct SplashBar
    {
        bool visible = false;
        qint64 value = 0;
        qint64 maximum = 0;
    } m_splashBar;
    QTemporaryDir m_folders;
    int m_mainWindowLoads = 0;
};

// ------------------------------------------------------------ frmPath

// A stored folder that cannot be shown stops the load and empties the data
// folder (a drive already chosen keeps its top shown); folders that can be
// shown are, each on its drive, and picking in the lists fills the boxes.
TEST_F(StartupWindowsTest, PathWindowShowsTheStoredFoldersOrStopsAtOneItCannotShow)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"%1\r\n", "No Folder Selected", "No Folder Selected"}, // file ("%1": a folder), texts
        {"/no/such/folder\r\n%1\r\n", "/", "No Folder Selected"},
        {"E:\\OE\\Data\r\n%1\r\n", "No Folder Selected", "No Folder Selected"},
        {"%1\r\n/no/such/est\r\n", "%1", "/"}};
    for (const auto& [file, text1, text2] : cases) {
        const auto withFolder = [this](const char* text) {
            return QString::fromLatin1(text).replace("%1", folder("oe"));
        };
        writeDataFolderFile(withFolder(file).toUtf8());
        FrmPath* window = windows::show<FrmPath>(QStringLiteral("frmPath"));
        EXPECT_TRUE(m_session.dataFolder.isEmpty()) << file;
        EXPECT_EQ(window->Text1->text(), withFolder(text1)) << file;
        EXPECT_EQ(window->Text2->text(), withFolder(text2)) << file;
        windows::unload(QStringLiteral("frmPath"));
        deleteClosedWindows();
    }

    writeDataFolderFile((folder("oe/data") + "/\r\n" + folder("oe") + "\r\n").toUtf8());
    FrmPath* window = windows::show<FrmPath>(QStringLiteral("frmPath"));
    EXPECT_EQ(window->Text1->text(), folder("oe/data") + "/"); // exactly as stored
    EXPECT_EQ(window->Text2->text(), folder("oe"));
    EXPECT_EQ(window->dirBox->folder(), folder("oe/data"));
    EXPECT_EQ(window->Dir1->folder(), folder("oe"));
    EXPECT_EQ(window->drvBox->drive(), mountPointOf(folder("oe/data"), window->drvBox->drives()));
    EXPECT_EQ(m_session.dataFolder, folder("oe/data") + "/");

    auto* model = qobject_cast<QFileSystemModel*>(window->Dir1->model());
    ASSERT_NE(model, nullptr);
    emit window->Dir1->doubleClicked(model->index(folder("oe/data")));
    EXPECT_EQ(window->Text2->text(), folder("oe/data"));
    ASSERT_TRUE(window->drvBox->setDrive("/"));
    EXPECT_EQ(window->dirBox->folder(), "/");
    EXPECT_EQ(window->Text1->text(), "/");
}

// Without a file no folder is shown and Continue stores nothing; two folder
// paths are stored; a write cut short says so, keeps the old file and still
// goes on. The open main window is brought forward, not loaded again.
TEST_F(StartupWindowsTest, PathWindowContinueStoresOnlyTwoFolderPaths)
{
    FrmPath* window = windows::show<FrmPath>(QStringLiteral("frmPath"));
    EXPECT_EQ(window->windowTitle(), "Location of Vantrell OE Folder");
    EXPECT_EQ(window->Text1->text(), "No Folder Selected");
    EXPECT_EQ(window->Text2->text(), "No Folder Selected");
    EXPECT_EQ(window->drvBox->drive(), mountPointOf(QDir::homePath(), window->drvBox->drives()));
    pressContinue(window);
    EXPECT_EQ(dataFolderFileBytes(), "<missing>");
    EXPECT_TRUE(m_session.dataFolder.isEmpty());

    const std::pair<QString, const char*> continues[] = {{"/srv/oe data", "D:\\Est"},
                                                         {"/" + QString(40, u'x'), "/srv/est"}};
    for (const auto& [text1, text2] : continues) {
        window = windows::show<FrmPath>(QStringLiteral("frmPath"));
        window->Text1->setText(text1);
        window->Text2->setText(text2);
        const FileSizeLimit limit(text1.size() > 40 ? 16 : 4096);
        pressContinue(window);
    }
    EXPECT_EQ(dataFolderFileBytes(), "/srv/oe data\r\nD:\\Est\r\n");
    ASSERT_EQ(m_platform.messages.size(), 1U);
    EXPECT_TRUE(m_platform.messages[0].text.contains("qmvanck.dat", Qt::CaseInsensitive));
    EXPECT_EQ(m_session.dataFolder + m_session.estFolder, "/" + QString(40, u'x') + "/srv/est");
    EXPECT_EQ(m_mainWindowLoads, 1);
}

// ------------------------------------------------------------ frmSplash

TEST_F(StartupWindowsTest, SplashClosesOnKeysThatTypeACharacter)
{
    auto* splash = qobject_cast<FrmSplash*>(windows::show(QStringLiteral("frmSplash")));
    ASSERT_NE(splash, nullptr);
    EXPECT_FALSE(splash->pbSplash().isVisible()); // until the start-up shows it

    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_Shift, ""}, {Qt::Key_Left, ""}, {Qt::Key_Escape, "\x1b"}, {Qt::Key_A, "a"}};
    for (const auto& [key, text] : keys) {
        QPointer<FrmSplash> shown = qobject_cast<FrmSplash*>(windows::show("frmSplash"));
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString::fromLatin1(text));
        QCoreApplication::sendEvent(shown, &event);
        deleteClosedWindows();
        EXPECT_EQ(shown.isNull(), *text != '\0') << key;
    }
}

// ------------------------------------------------------------ subMain

// Only the data folder decides which window follows the splash, which has
// closed with its full progress; the file is never written.
TEST_F(StartupWindowsTest, SubMainTheDataFolderFileDecidesTheWindowAfterTheSplash)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {nullptr, "|", "frmPath"}, // file (nullptr: none yet), data|est folder, window
        {"E:\\OE\\Data\r\nE:\\Est\r\n", "E:\\OE\\Data|E:\\Est", "frmDelivery"},
        {"/srv/oe/data\r\n", "/srv/oe/data|", "frmDelivery"}};
    for (const auto& [file, folders, next] : cases) {
        SCOPED_TRACE(file ? file : "no file");
        m_session = Session();
        m_session.settingsFolder = m_settings.path();
        if (file)
            writeDataFolderFile(file);
        subMain::Main(m_session);
        EXPECT_EQ(windows::find(QStringLiteral("frmSplash")), nullptr);
        EXPECT_TRUE(m_splash.isNull()) << "the closed splash is deleted at once";
        EXPECT_TRUE(m_splashBar.visible && m_splashBar.value == 10000);
        EXPECT_EQ(m_splashBar.maximum, 10000);
        EXPECT_EQ(m_session.dataFolder + '|' + m_session.estFolder, folders);
        EXPECT_NE(shownWindow(next), nullptr);
        const bool main = QLatin1String(next) == "frmDelivery";
        EXPECT_EQ(windows::find(QString::fromLatin1(main ? "frmPath" : "frmDelivery")), nullptr);
        EXPECT_EQ(dataFolderFileBytes(), file ? QByteArray(file) : QByteArray("<missing>"));
        windows::unloadAll();
        deleteClosedWindows();
    }
}

} // namespace
