#include "startup/sub_main.h"

#include "common/session.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/window_registry.h"
#include "settings/data_folder_file.h"
#include "startup/frm_splash.h"

#include <QCoreApplication>
#include <QEvent>

namespace subMain {
namespace {

constexpr qint64 SplashSteps = 10000;

// The count only gives the splash its time on screen. Events are not let
// through on purpose: nothing else may run before the data folder is known.
void runSplash()
{
    auto* splash = windows::show<FrmSplash>(windows::names::frmSplash);
    if (splash == nullptr)
        return;
    splash->repaint();

    EventProgressBar& progress = splash->pbSplash();
    progress.setVisible(true);
    progress.setRange64(0, SplashSteps);
    for (qint64 i = 1; i <= SplashSteps; ++i)
        progress.setValue64(i);
}

} // namespace

void Main(Session& session)
{
    runSplash();
    windows::unload(windows::names::frmSplash);
    // Closing queues the splash's deletion, and Qt lets a deletion queued
    // before its event loop runs wait for that loop to end: the hidden
    // splash would stay alive, and listed to screen readers, for the whole
    // run.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // A missing or short file leaves what was read; an empty data folder
    // sends the operator to choose one; the main window's load tells what
    // could not be read.
    [[maybe_unused]] const Result<void> folders =
        readDataFolderFile(session.settingsFolder).applyTo(session);
    windows::show(session.dataFolder.isEmpty() ? windows::names::frmPath
                                               : windows::names::frmDelivery);
}

} // namespace subMain
