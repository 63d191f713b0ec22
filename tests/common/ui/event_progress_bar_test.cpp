#include "common/ui/event_progress_bar.h"
#include "support/test_files.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

TEST(EventProgressBar, RefusesARangeOrValueItCannotShowAndKeepsTheValueInside)
{
    EventProgressBar bar;
    EXPECT_EQ(bar.maximum64(), 100); // 0 of 0 to 100 at first
    bar.setValue64(90);
    bar.setMaximum64(50);
    EXPECT_EQ(bar.value64(), 50);
    bar.setRange64(0, 250);
    bar.setValue64(40);
    for (const auto& refused : std::vector<std::function<void()>>{
             [&] { bar.setMaximum64(0); }, [&] { bar.setMinimum64(250); },
             [&] { bar.setRange64(10, 5); }, [&] { bar.setMaximum(-1); },
             [&] { bar.setValue64(251); }, [&] { bar.setValue64(-1); }})
        EXPECT_EQ(errorNumberOf(refused), 380);
    EXPECT_EQ(bar.minimum64(), 0);
    EXPECT_EQ(bar.maximum(), 250);
    EXPECT_EQ(bar.value(), 40);
    bar.setValue64(250);
    EXPECT_EQ(bar.value64(), 250);
    bar.setRange64(20, 60);
    bar.setValue64(20);
    bar.setMinimum64(30);
    EXPECT_EQ(bar.value64(), 30);
}

TEST(EventProgressBar, SmallRangesStepForStepAndHugeOnesScaledOntoTheBar)
{
    EventProgressBar bar;
    bar.setRange64(-5, 10000);
    bar.setValue64(1);
    EXPECT_EQ(bar.maximum() - bar.minimum(), 10005);
    EXPECT_EQ(bar.value() - bar.minimum(), 6);

    constexpr int Top = std::numeric_limits<int>::max();
    const qint64 max = 10'000'000'000;
    bar.setRange64(0, max);
    bar.setValue64(max / 4);
    EXPECT_EQ(bar.value64(), max / 4);
    EXPECT_EQ(bar.maximum(), Top);
    EXPECT_NEAR(bar.value(), Top / 4, 1);
    bar.setValue64(max);
    EXPECT_EQ(bar.value(), Top);
    bar.setRange64(std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
    bar.setValue64(0);
    EXPECT_NEAR(bar.value(), Top / 2, 1);
}

class EventProgressBarMouseTest : public ::testing::Test
{
protected:
    EventProgressBarMouseTest()
    {
        bar.resize(200, 20);
        bar.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&bar));
    }

    EventProgressBar bar;
    QSignalSpy mouseDown{&bar, &EventProgressBar::mouseDown};
    QSignalSpy clicked{&bar, &EventProgressBar::clicked};
};

// MouseDown on every press, before any Click; Click only for a left button
// released on the bar that MouseDown did not hide.
TEST_F(EventProgressBarMouseTest, PressRaisesMouseDownAndReleaseOnTheBarClicked)
{
    int clicksAtMouseDown = -1;
    QObject::connect(&bar, &EventProgressBar::mouseDown,
                     [&] { clicksAtMouseDown = static_cast<int>(clicked.count()); });
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(clicksAtMouseDown, 0);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_EQ(clicked.count(), 1);

    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(20, 300));
    QTest::mouseClick(&bar, Qt::RightButton, {}, QPoint(20, 10));
    QObject::connect(&bar, &EventProgressBar::mouseDown, [&] { bar.hide(); });
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(20, 10));
    bar.show();
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(mouseDown.count(), 4);
    EXPECT_EQ(clicked.count(), 1);
}

} // namespace
