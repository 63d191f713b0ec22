#include "support/main_window_fixture.h"

#include "app/program_windows.h"
#include "common/ui/window_registry.h"

#include <QTimer>
#include <QWidget>

MainWindowTest::MainWindowTest()
{
    m_session.settingsFolder = m_settings.path();
    windows::reset();
    reportShortTables(m_tables);
    // The data-folder window: counted, and closed as soon as events run,
    // having chosen m_folderChosen (nothing when empty).
    windows::registerWindow(QStringLiteral("frmPath"), [this] {
        ++m_dataFolderWindowShown;
        auto* window = new QWidget;
        window->setObjectName(QStringLiteral("frmPath"));
        QTimer::singleShot(0, window, [this, window] {
            if (!m_folderChosen.isEmpty())
                m_session.dataFolder = m_folderChosen;
            window->close();
        });
        return window;
    });
}

MainWindowTest::~MainWindowTest()
{
    m_window.reset();
    windows::reset();
    // Windows closed without an event loop are deleted now, with their timers.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
