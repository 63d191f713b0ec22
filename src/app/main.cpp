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
#include "ticket/ui/frm_report.h"

#include <QApplication>

namespace {

void registerWindows()
{
    using namespace windows::names;
    windows::registerWindow(frmSplash, [] { return new FrmSplash; });
    windows::registerWindow(frmPath, [] { return new FrmPath; });
    windows::registerWindow(frmDelivery, [] { return new FrmDelivery; });
    // The ticket window reads the main window's fields; it opens only from there.
    windows::registerWindow(frmReport, []() -> QWidget* {
        auto* main = windows::find<FrmDelivery>(frmDelivery);
        return main == nullptr ? nullptr : new FrmReport(*main);
    });
    windows::registerWindow(frmComment, [] { return new FrmComment; });
    windows::registerWindow(frmDelvHead, [] { return new FrmDelvHead; });
    windows::registerWindow(frmMargins, [] { return new FrmMargins; });
    windows::registerWindow(frmOwner, [] { return new FrmOwner; });
    windows::registerWindow(frmDate, [] { return new FrmDate; });
    windows::registerWindow(frmAbout, [] { return new FrmAbout; });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    registerWindows();
    subMain::Main();
    return app.exec();
}
