#include "startup_windows_fixture.h"

#include "common/settings_folder.h"
#include "common/ui/window_registry.h"
#include "startup/frm_path.h"
#include "startup/frm_splash.h"
#include "support/test_files.h"

#include <QCoreApplication>
#include <QEvent>

StartupWindowsTest::StartupWindowsTest()
{
    windows::registerWindow(QStringLiteral("frmSplash"), [] { return new FrmSplash; });
    windows::registerWindow(QStringLiteral("frmPath"), [] { return new FrmPath; });
    windows::registerWindow(QStringLiteral("frmDelivery"), [this] {
        ++m_mainWindowLoads;
        auto* window = new QWidget;
        window->setObjectName(QStringLiteral("frmDelivery"));
        return window;
    });
}

StartupWindowsTest::~StartupWindowsTest()
{
    windows::reset();
    deleteClosedWindows();
}

void StartupWindowsTest::writeDataFolderFile(const QByteArray& bytes)
{
    writeFileContents(m_settings.filePath(QStringLiteral("qmvanck.dat")), bytes);
}

QByteArray StartupWindowsTest::dataFolderFileBytes() const
{
    return fileContents(settingsFilePath(QStringLiteral("qmvanck.dat")));
}

void StartupWindowsTest::deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget* shownWindow(const char* name)
{
    QWidget* window = windows::find(QString::fromLatin1(name));
    return window != nullptr && window->isVisible() ? window : nullptr;
}
