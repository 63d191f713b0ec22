// The platform seam's real message box, CenterForm on the screen it
// reports, and ending the program from a handler.

#include "common/ui/center_form.h"
#include "common/ui/event_check_box.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_box.h"
#include "common/ui/handler_runner.h"
#include "common/ui/qt_platform.h"
#include "support/scripted_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

TEST(CenterForm, CentresTheWindowOnTheScreenWithoutResizingIt)
{
    ScriptedPlatform platform;
    const std::tuple<QSizeF, QSize, QPoint> cases[] = {
        {{19200, 14400}, {401, 303}, {440, 329}},  // odd differences: the nearest pixel
        {{15000, 9000}, {1283, 700}, {-142, -50}}, // larger than the screen
    };
    for (const auto& [screenTwips, size, expected] : cases) {
        platform.screen = screenTwips;
        QWidget window;
        window.resize(size);
        CenterForm(window);
        EXPECT_EQ(window.pos(), expected);
        EXPECT_EQ(window.size(), size);
    }
    // At 168 dpi a twip is no whole fraction of a pixel. Exactly, the left
    // edge falls on 632.5 pixels; single precision lands a hair above the
    // half (633), double precision a hair below it (632).
    const double twipsPerPixel = 1440.0 / 168.0;
    const QSizeF screen(1366 * twipsPerPixel, 768 * twipsPerPixel);
    EXPECT_EQ(centeredPosition(screen, QSizeF(101, 100), twipsPerPixel).x(), 633);
}

// Presses the given button of the next message box once it is up, noting
// what the box showed.
void pressWhenShown(QMessageBox::StandardButton button, QStringList& seen)
{
    QTimer::singleShot(0, [button, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return pressWhenShown(button, seen);
        seen = {box->windowTitle(), box->text(), QString::number(box->icon()),
                QString::number(box->buttons().size())};
        box->button(button)->click();
    });
}

// A window whose handlers end the program, as the main window's do.
class EndingWindow : public QWidget, private HandlerRunner
{
public:
    EndingWindow()
    {
        connect(&combo, &EventComboBox::changed, this, [this] { end(); });
        connect(&text, &EventTextBox::changed, this, [this] { end(); });
        connect(&check, &EventCheckBox::clicked, this, [this] { end(); });
    }
    void end()
    {
        runHandler([] { platform().endProgram(); });
    }

    EventComboBox combo{this};
    EventTextBox text{this};
    EventCheckBox check{this};
};

// Code that sets a control whose handler ends the program does not go on
// past the setting; a handler the toolkit raises with no code waiting ends
// the program there and then.
TEST(ProgramEnd, AHandlersEndStopsTheCodeThatRaisedItAndNoMore)
{
    ScriptedPlatform platform;
    EndingWindow window;
    const std::function<void()> settings[] = {
        [&] { window.combo.setText("job"); },
        [&] { window.text.setText("job"); },
        [&] { window.check.setValue(1); },
    };
    for (const auto& set : settings) {
        bool wentOn = false;
        const auto windowCode = [&] {
            set();
            wentOn = true;
        };
        EXPECT_THROW(windowCode(), ProgramEnded);
        EXPECT_FALSE(wentOn);
    }
    platform.ended = false;
    EXPECT_NO_THROW(emit window.combo.changed());
    EXPECT_TRUE(platform.ended);
    EXPECT_NO_THROW(raisingEvents([] {}));
}

TEST(QtPlatform, MessageBoxShowsWhatItIsGivenAndReportsTheButtonPressed)
{
    QtPlatform platform;
    QStringList seen;
    pressWhenShown(QMessageBox::Ok, seen);
    EXPECT_EQ(platform.messageBox("Search Aborted! Please Try Again"), Platform::Answer::Ok);
    // No title given: the program's.
    EXPECT_EQ(seen, QStringList({"Vantrell Delivery Ticket", "Search Aborted! Please Try Again",
                                 QString::number(QMessageBox::NoIcon), "1"}));

    pressWhenShown(QMessageBox::Cancel, seen);
    EXPECT_EQ(platform.messageBox("Error # 62 in Line 0.", Platform::Buttons::OkCancel,
                                  Platform::Icon::Exclamation, "Warning"),
              Platform::Answer::Cancel);
    EXPECT_EQ(seen, QStringList({"Warning", "Error # 62 in Line 0.",
                                 QString::number(QMessageBox::Warning), "2"}));
}

} // namespace
