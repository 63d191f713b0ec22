#include "common/ui/qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

// Presses the given button of the next message box once it is up, noting
// what the box showed.
void pressWhenShown(QMessageBox::StandardButton button, SeenBox& seen)
{
    QTimer::singleShot(0, [button, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            pressWhenShown(button, seen);
            return;
        }
        seen = {box->windowTitle(), box->text(), box->icon(),
                static_cast<int>(box->buttons().size())};
        box->button(button)->click();
    });
}

TEST(QtPlatform, MessageBoxShowsWhatItIsGivenAndReportsTheButtonPressed)
{
    QtPlatform platform;
    SeenBox seen;
    pressWhenShown(QMessageBox::Ok, seen);
    EXPECT_EQ(platform.messageBox("Search Aborted! Please Try Again"), Platform::Answer::Ok);
    EXPECT_EQ(seen.title, "Vantrell Delivery Ticket"); // no title given
    EXPECT_EQ(seen.text, "Search Aborted! Please Try Again");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, 1);

    pressWhenShown(QMessageBox::Cancel, seen);
    EXPECT_EQ(platform.messageBox("Error # 62 in Line 0.", Platform::Buttons::OkCancel,
                                  Platform::Icon::Exclamation, "Warning"),
              Platform::Answer::Cancel);
    EXPECT_EQ(seen.title, "Warning");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, 2);
}

} // namespace
