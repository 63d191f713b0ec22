// The program's entry: registers every window by its name, then hands over
// to the start-up procedure.

#include "common/ui/window_registry.h"
#include "input/frm_delivery.h"
#include "startup/frm_path.h"
#include "startup/frm_splash.h"
#include "startup/sub_main.h"
#include "ticket/ui/frm_report.h"

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
    // The ticket window reads the main window's fields; it opens only from there.
    windows::registerWindow(frmReport, []() -> QWidget* {
        auto* main = windows::find<FrmDelivery>(frmDelivery);
        return main == nullptr ? nullptr : new FrmReport(*main);
    });

    const std::pair<const QString&, const char*> comingLater[] = {
        {frmComment, "Add Comments Database"}, {frmDelvHead, "Delivery Ticket Headline"},
        {frmMargins, "Delivery Margins"},      {frmOwner, "Owner's Data"},
        {frmDate, "Date Selection"},           {frmAbout, "About"}};
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
