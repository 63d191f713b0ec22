#include "app/program_windows.h"

#include "common/cut_file_notice.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/platform.h"
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

} // namespace

void wireProgram()
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
    windows::registerWindow(frmComment, [] { return makeCommentWindow(); });
    windows::registerWindow(frmDelvHead, [] { return new FrmDelvHead; });
    windows::registerWindow(frmMargins, [] { return new FrmMargins; });
    windows::registerWindow(frmOwner, [] { return new FrmOwner; });
    windows::registerWindow(frmDate, [] { return new FrmDate; });
    windows::registerWindow(frmAbout, [] { return new FrmAbout; });

    setCutFileReporter([](const CutFile& file) {
        platform().messageBox(file.message(), Platform::Buttons::Ok, Platform::Icon::Exclamation);
    });
}
