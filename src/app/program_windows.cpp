#include "app/program_windows.h"

#include "common/cut_file_notice.h"
#include "common/session.h"
#include "common/short_date.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/platform.h"
#include "common/ui/window_registry.h"
#include "input/ui/frm_delivery.h"
#include "orderdb/table_source.h"
#include "settings/ui/frm_about.h"
#include "settings/ui/frm_comment.h"
#include "settings/ui/frm_date.h"
#include "settings/ui/frm_delv_head.h"
#include "settings/ui/frm_margins.h"
#include "settings/ui/frm_owner.h"
#include "startup/frm_path.h"
#include "startup/frm_splash.h"
#include "ticket/ui/frm_report.h"

#include <memory>

namespace {

// The main window's comment list shows the comment file as the comment
// window leaves it, after each post and when the window is left.
FrmComment* makeCommentWindow(Session& session)
{
    auto* window = new FrmComment(session);
    QObject::connect(window, &FrmComment::commentLinesChanged, [](const QStringList& lines) {
        if (auto* main = windows::find<FrmDelivery>(windows::names::frmDelivery))
            main->options().cboComment->setItems(lines);
    });
    return window;
}

// The date chosen becomes the date of the ticket being edited.
FrmDate* makeDateWindow(Session& session)
{
    auto* window = new FrmDate(session);
    QObject::connect(window, &FrmDate::dateChosen, [](const QDate& date) {
        if (auto* main = windows::find<FrmDelivery>(windows::names::frmDelivery)) {
            main->draft().setDate(date);
            main->update();
        }
    });
    return window;
}

// "Set Date" shows the date window on the ticket date, not waiting.
FrmDelivery* makeMainWindow(Session& session, const TableSource& tables)
{
    auto window = std::make_unique<FrmDelivery>(session, tables);
    QObject::connect(window.get(), &FrmDelivery::dateWindowWanted, [&session] {
        if (auto* dates = qobject_cast<FrmDate*>(windows::show(windows::names::frmDate)))
            dates->startOn(dateFromShortText(session.ticketDate));
    });
    // A load that ends the program leaves no window behind.
    window->Form_Load();
    return window.release();
}

// The ticket window reads the main window's draft; it opens only from
// there, and a complete print brings the main window back.
QWidget* makeTicketWindow(Session& session)
{
    auto* main = windows::find<FrmDelivery>(windows::names::frmDelivery);
    if (main == nullptr)
        return nullptr;
    auto* report = new FrmReport(main->draft(), session);
    QObject::connect(report, &FrmReport::printed, main, [main] {
        main->show();
        main->raise();
    });
    return report;
}

} // namespace

void wireProgram(Session& session, const TableSource& tables)
{
    using namespace windows::names;
    windows::registerWindow(frmSplash, [] { return new FrmSplash; });
    windows::registerWindow(frmPath, [&session] { return new FrmPath(session); });
    windows::registerWindow(frmDelivery,
                            [&session, tables] { return makeMainWindow(session, tables); });
    windows::registerWindow(frmReport, [&session] { return makeTicketWindow(session); });
    windows::registerWindow(frmComment, [&session] { return makeCommentWindow(session); });
    windows::registerWindow(frmDelvHead,
                            [&session] { return new FrmDelvHead(session.settingsFolder); });
    windows::registerWindow(frmMargins,
                            [&session] { return new FrmMargins(session.settingsFolder); });
    windows::registerWindow(frmOwner, [&session] { return new FrmOwner(session.settingsFolder); });
    windows::registerWindow(frmDate, [&session] { return makeDateWindow(session); });
    windows::registerWindow(frmAbout, [] { return new FrmAbout; });

    setCutFileReporter([](const CutFile& file) {
        platform().messageBox(file.message(), Platform::Buttons::Ok, Platform::Icon::Exclamation);
    });
    reportShortTables(tables);
}

void reportShortTables(const TableSource& tables)
{
    // A table that comes back shorter than it should be is not kept from
    // the operator: a job missing from the list is the worst surprise.
    tables.notices().setReporter([](const ShortTable& table) {
        platform().messageBox(table.message(), Platform::Buttons::Ok, Platform::Icon::Exclamation);
    });
}
