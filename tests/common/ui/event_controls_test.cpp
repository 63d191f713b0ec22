// The check box, option buttons, scroll bar and progress bar: which changes
// raise their events, and what they refuse.

#include "common/ui/event_check_box.h"
#include "common/ui/event_option_button.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/event_scroll_bar.h"
#include "support/test_files.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <tuple>

namespace {

TEST(EventCheckBox, EveryChangeByCodeOrOperatorRaisesClickedOnce)
{
    EventCheckBox box;
    QSignalSpy clicked(&box, &EventCheckBox::clicked);
    int valueAtClick = 0;
    QObject::connect(&box, &EventCheckBox::clicked, [&] { valueAtClick = box.value(); });
    // set -1: the operator clicks. Greyed is set by code only; other values
    // are refused and leave the state.
    const std::tuple<int, int, int, int> steps[] = {{0, 0, 0, 0},  {1, 1, 1, 0},  {1, 1, 1, 0},
                                                    {-1, 0, 2, 0}, {2, 2, 3, 0},  {-1, 1, 4, 0},
                                                    {-1, 0, 5, 0}, {-1, 1, 6, 0}, {5, 1, 6, 380}};
    for (const auto& [set, value, clicks, error] : steps) {
        EXPECT_EQ(errorNumberOf([&] { set < 0 ? box.click() : box.setValue(set); }), error);
        EXPECT_EQ(box.value(), value) << "set " << set;
        EXPECT_EQ(clicked.count(), clicks) << "set " << set;
        EXPECT_EQ(valueAtClick, box.value()) << "set " << set;
    }
}

// Only the newly selected button of a frame raises Click, after the others
// were cleared; clearing by code leaves none selected and raises nothing.
TEST(EventOptionButton, OnlyTheNewlySelectedButtonOfAFrameRaisesClicked)
{
    QWidget frame;
    EventOptionButton* all = new EventOptionButton(&frame);
    EventOptionButton* invoiced = new EventOptionButton(&frame);
    EventOptionButton* open = new EventOptionButton(&frame);
    const auto values = [&] {
        return QString("%1%2%3").arg(all->value()).arg(invoiced->value()).arg(open->value());
    };
    QStringList valuesAtClicks;
    for (EventOptionButton* button : {all, invoiced, open})
        QObject::connect(button, &EventOptionButton::clicked, [&] { valuesAtClicks << values(); });
    all->setValue(true);
    invoiced->setValue(true);
    invoiced->setValue(true);
    open->click();
    open->click();
    open->setValue(false);
    EXPECT_EQ(values(), "000");
    invoiced->setValue(true);
    all->setValue(true);
    EXPECT_EQ(valuesAtClicks, QStringList({"100", "010", "001", "010", "100"}));
}

// Right and Page Down go forward whatever Qt's sliders and the layout
// direction would make of them (right to left, Qt would turn Left and Right
// round).
TEST(EventScrollBarTest, KeysMoveOnePlaceOrToAnEnd)
{
    const std::pair<Qt::Key, int> cases[] = {
        {Qt::Key_Right, 4}, {Qt::Key_Down, 4},   {Qt::Key_PageDown, 4}, {Qt::Key_Left, 2},
        {Qt::Key_Up, 2},    {Qt::Key_PageUp, 2}, {Qt::Key_Home, 1},     {Qt::Key_End, 9}};
    for (const auto& [key, expected] : cases) {
        EventScrollBar bar;
        bar.setLayoutDirection(Qt::RightToLeft);
        bar.setRange(1, 9);
        bar.setValue(3);
        QTest::keyClick(&bar, key);
        EXPECT_EQ(bar.value(), expected) << key;
    }
}

// It refuses a range or value it cannot show and scales huge ranges onto the
// bar. MouseDown comes on every press, before any Click; Click only for a
// left button released on the bar that MouseDown did not hide.
TEST(EventProgressBar, RefusesWhatItCannotShowScalesHugeRangesAndIsClickedOnTheBar)
{
    EventProgressBar bar;
    bar.setValue64(90); // of 0 to 100 at first
    bar.setMaximum64(50);
    EXPECT_EQ(bar.value64(), 50);
    bar.setRange64(0, 250);
    bar.setValue64(40);
    for (const auto& refused : std::vector<std::function<void()>>{
             [&] { bar.setMaximum64(0); }, [&] { bar.setMinimum64(250); },
             [&] { bar.setRange64(5, 5); }, [&] { bar.setMaximum(-1); },
             [&] { bar.setValue64(251); }, [&] { bar.setValue64(-1); }})
        EXPECT_EQ(errorNumberOf(refused), 380);
    EXPECT_EQ(bar.minimum64(), 0);
    EXPECT_EQ(bar.maximum(), 250);
    EXPECT_EQ(bar.value(), 40);

    // Small ranges step for step, huge ones are scaled onto the bar.
    bar.setRange64(-5, 10000);
    bar.setValue64(1);
    EXPECT_EQ(bar.value() - bar.minimum(), 6);

    constexpr int Top = std::numeric_limits<int>::max();
    const qint64 max = 10'000'000'000;
    bar.setRange64(0, max);
    bar.setValue64(max / 4);
    EXPECT_NEAR(bar.value(), Top / 4, 1);
    bar.setRange64(std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
    bar.setValue64(0);
    EXPECT_NEAR(bar.value(), Top / 2, 1);

    bar.resize(200, 20);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    QString events;
    QObject::connect(&bar, &EventProgressBar::mouseDown, [&] { events += 'D'; });
    QObject::connect(&bar, &EventProgressBar::clicked, [&] { events += 'C'; });
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(20, 300));
    QTest::mouseClick(&bar, Qt::RightButton, {}, QPoint(20, 10));
    QObject::connect(&bar, &EventProgressBar::mouseDown, [&] { bar.hide(); });
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(20, 10));
    bar.show();
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(events, "DCDDD");
}

} // namespace
