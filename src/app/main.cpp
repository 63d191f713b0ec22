// The program's entry: registers every window by its name, then hands over
// to the start-up procedure.

#include "common/ui/window_registry.h"
#include "input/frm_delivery.h"
#include "settings/ui/frm_about.h"
#include "settings/ui/frm_comment.h"
#include "settings/ui/frm_date.h"
#include "settings/ui/frm_delv_head.h"
#include "settings/ui/frm_margins.h"
#include "settings/ui/frm_owner.h"
#include "startup/frm_path.h"
#include "startup/frm_splash.h"
#include "startup/sub_main.h"

#include <QApplication>
#include <QLabel>

namespace {

// Stands in for a window that is not built yet, so that its menu entry
// already opens something the operator can close.
QWidget* placeholder(const QString& name, const QString& caption)
{
    auto* window = new QLabel(caption + QStringLiteral(": not available in this version yet."));
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setMargin(24);
    return window;
}

void registerWindows()
{
    using namespace windows::names;
    windows::registerWindow(frmSplash, [] { return new FrmSplash; });
    windows::registerWindow(frmPath, [] { return new FrmPath; });
    windows::registerWindow(frmDelivery, [] { return new FrmDelivery; });

    windows::registerWindow(frmComment, [] { return new FrmComment; });
    windows::registerWindow(frmDelvHead, [] { return new FrmDelvHead; });
    windows::registerWindow(frmMargins, [] { return new FrmMargins; });
    windows::registerWindow(frmOwner, [] { return new FrmOwner; });
    windows::registerWindow(frmDate, [] { return new FrmDate; });
    windows::registerWindow(frmAbout, [] { return new FrmAbout; });

    const std::pair<const QString&, const char*> comingLater[] = {{frmReport, "Delivery Ticket"}};
    for (const auto& [windowName, caption] : comingLater) {
        const QString windowCaption = QString::fromUtf8(caption);
        windows::registerWindow(windowName, [windowName, windowCaption] {
            return placeholder(windowName, windowCaption);
        });
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    registerWindows();
    subMain::Main();
    return app.exec();
}
