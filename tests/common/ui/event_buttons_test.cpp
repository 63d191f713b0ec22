#include "common/ui/event_check_box.h"
#include "common/ui/event_option_button.h"
#include "support/test_files.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(EventCheckBox, EveryChangeByCodeOrOperatorRaisesClickedOnce)
{
    EventCheckBox box;
    QSignalSpy clicked(&box, &EventCheckBox::clicked);
    int valueAtClick = 0;
    QObject::connect(&box, &EventCheckBox::clicked, [&] { valueAtClick = box.value(); });
    // set -1: the operator clicks. Greyed is set by code only; other values
    // are refused and leave the state.
    const struct
    {
        int set, value, clicks, error;
    } steps[] = {{0, 0, 0, 0},  {1, 1, 1, 0},  {1, 1, 1, 0},  {-1, 0, 2, 0}, {2, 2, 3, 0},
                 {-1, 1, 4, 0}, {-1, 0, 5, 0}, {-1, 1, 6, 0}, {5, 1, 6, 380}};
    for (const auto& step : steps) {
        const int error = errorNumberOf([&] {
            if (step.set < 0)
                box.click();
            else
                box.setValue(step.set);
        });
        EXPECT_EQ(error, step.error) << "set " << step.set;
        EXPECT_EQ(box.value(), step.value) << "set " << step.set;
        EXPECT_EQ(clicked.count(), step.clicks) << "set " << step.set;
        EXPECT_EQ(valueAtClick, box.value()) << "set " << step.set;
    }
}

TEST(EventOptionButton, OnlyTheNewlySelectedButtonOfAFrameRaisesClicked)
{
    QWidget frame;
    EventOptionButton* all = new EventOptionButton(&frame);
    EventOptionButton* invoiced = new EventOptionButton(&frame);
    EventOptionButton* open = new EventOptionButton(&frame);
    QSignalSpy allClicked{all, &EventOptionButton::clicked};
    QSignalSpy invoicedClicked{invoiced, &EventOptionButton::clicked};
    QSignalSpy openClicked{open, &EventOptionButton::clicked};
    bool allSelectedAtClick = true;
    QObject::connect(invoiced, &EventOptionButton::clicked,
                     [&] { allSelectedAtClick = all->value(); });

    all->setValue(true);
    invoiced->setValue(true);
    invoiced->setValue(true);
    EXPECT_FALSE(allSelectedAtClick);
    EXPECT_FALSE(all->value());
    EXPECT_EQ(allClicked.count(), 1);
    EXPECT_EQ(invoicedClicked.count(), 1);

    open->click();
    open->click();
    EXPECT_TRUE(open->value());
    EXPECT_FALSE(invoiced->value());
    EXPECT_EQ(openClicked.count(), 1);

    // Clearing leaves none selected and raises nothing; the buttons still
    // exclude each other afterwards.
    open->setValue(false);
    EXPECT_FALSE(all->value() || invoiced->value() || open->value());
    invoiced->setValue(true);
    all->setValue(true);
    EXPECT_FALSE(invoiced->value());
    EXPECT_EQ(openClicked.count(), 1);
    EXPECT_EQ(allClicked.count(), 2);
}

} // namespace
