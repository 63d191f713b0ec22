#include "app/program_windows.h"

#include "common/cut_file_notice.h"
#include "common/module_values.h"
#include "common/short_date.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/platform.h"
#include "common/ui/window_registry.h"
#include "input/ui/frm_delivery.h"
#include "settings/ui/frm_about.h"
#include "settings/ui/frm_comment.h"
#include "settings/ui/frm_date.h"
#include "settings/ui/frm_delv_head.h"
#include "settings/ui/frm_margins.h"
#include "settings/ui/frm_owner.h"
#include "startup/frm_path.h"
#include "startup/frm_splash.h"
#include "ticket/ui/frm_report.h"

namespace {

// The main window's comment list shows the comment file as the comment
// window leaves it, after each post and when the window is left.
FrmComment* makeCommentWindow()
{
    auto* window = new FrmComment;
    QObject::connect(window, &FrmComment::commentLinesChanged, [](const QStringList& lines) {
        if (auto* main = windows::find<FrmDelivery>(windows::names::frmDelivery))
            main->cboComment->setItems(lines);
    });
    return window;
}

// The date chosen becomes the date of the ticket being edited.
FrmDate* makeDateWindow()
{
    auto* window = new FrmDate;
    QObject::connect(window, &FrmDate::dateChosen, [](const QDate& date) {
        if (auto* main = windows::find<FrmDelivery>(windows::names::frmDelivery)) {
            main->draft().setDate(date);
            main->update();
        }
    });
    return window;
}

// "Set Date" shows the date window on the ticket date, not waiting.
FrmDelivery* makeMainWindow()
{
    auto* window = new FrmDelivery;
    QObject::connect(window, &FrmDelivery::dateWindowWanted, [] {
        if (auto* dates = qobject_cast<FrmDate*>(windows::show(windows::names::frmDate)))
            dates->startOn(dateFromShortText(TicketDate));
    });
    return window;
}

} // namespace

void wireProgram()
{
    using namespace windows::names;
    windows::registerWindow(frmSplash, [] { return new FrmSplash; });
    windows::registerWindow(frmPath, [] { return new FrmPath; });
    windows::registerWindow(frmDelivery, [] { return makeMainWindow(); });
    // The ticket window reads the main window's draft; it opens only from
    // there, and a complete print brings the main window back.
    windows::registerWindow(frmReport, []() -> QWidget* {
        auto* main = windows::find<FrmDelivery>(frmDelivery);
        if (main == nullptr)
            return nullptr;
        auto* report = new FrmReport(main->draft());
        QObject::connect(report, &FrmReport::printed, main, [main] {
            main->show();
            main->raise();
        });
        return report;
    });
    windows::registerWindow(frmComment, [] { return makeCommentWindow(); });
    windows::registerWindow(frmDelvHead, [] { return new FrmDelvHead; });
    windows::registerWindow(frmMargins, [] { return new FrmMargins; });
    windows::registerWindow(frmOwner, [] { return new FrmOwner; });
    windows::registerWindow(frmDate, [] { return makeDateWindow(); });
    windows::registerWindow(frmAbout, [] { return new FrmAbout; });

    setCutFileReporter([](const CutFile& file) {
        platform().messageBox(file.message(), Platform::Buttons::Ok, Platform::Icon::Exclamation);
    });
}
