// The program's entry: registers every window by its name, then hands over
// to the start-up procedure.

#include "common/ui/window_registry.h"
#include "startup/frm_path.h"
#include "startup/frm_splash.h"
#include "startup/sub_main.h"

#include <QApplication>

#if defined(TICKET_WITH_INPUT) && __has_include("input/frm_delivery.h")
#include "input/frm_delivery.h"
#define TICKET_HAS_MAIN_WINDOW 1
#else
#include <QLabel>
#endif

namespace {

QWidget* makeMainWindow()
{
#ifdef TICKET_HAS_MAIN_WINDOW
    return new FrmDelivery;
#else
    // Builds without the ticket input still start up end to end.
    auto* window =
        new QLabel(QStringLiteral("The delivery ticket window is not part of this build."));
    window->setObjectName(QStringLiteral("frmDelivery"));
    window->setWindowTitle(QStringLiteral("Vantrell Delivery Ticket"));
    window->setMargin(24);
    return window;
#endif
}

void registerWindows()
{
    windows::registerWindow(QStringLiteral("frmSplash"), [] { return new FrmSplash; });
    windows::registerWindow(QStringLiteral("frmPath"), [] { return new FrmPath; });
    windows::registerWindow(QStringLiteral("frmDelivery"), makeMainWindow);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    registerWindows();
    subMain::Main();
    return app.exec();
}
