#include "common/runtime_error.h"
#include "common/ui/event_check_box.h"
#include "common/ui/event_option_button.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(EventCheckBox, CodeAndOperatorChangesRaiseClickedAndNoOpsDoNot)
{
    EventCheckBox box;
    QSignalSpy clicked(&box, &EventCheckBox::clicked);
    int valueAtClick = -1;
    QObject::connect(&box, &EventCheckBox::clicked, [&] { valueAtClick = box.value(); });

    box.setValue(0);
    EXPECT_EQ(clicked.count(), 0);
    box.setValue(1);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(valueAtClick, 1);
    box.setValue(1);
    EXPECT_EQ(clicked.count(), 1);

    box.click();
    EXPECT_EQ(box.value(), 0);
    EXPECT_EQ(clicked.count(), 2);
    EXPECT_EQ(valueAtClick, 0);
}

TEST(EventCheckBox, OtherValuesAreRefusedAndLeaveTheState)
{
    EventCheckBox box;
    box.setValue(1);
    QSignalSpy clicked(&box, &EventCheckBox::clicked);
    try {
        box.setValue(5);
        FAIL() << "value 5 accepted";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 380);
    }
    EXPECT_EQ(box.value(), 1);
    EXPECT_EQ(clicked.count(), 0);
}

TEST(EventCheckBox, GreyedIsSetByCodeAndTheOperatorsClickTurnsItOn)
{
    EventCheckBox box;
    box.setValue(2);
    EXPECT_EQ(box.value(), 2);
    box.click();
    EXPECT_EQ(box.value(), 1);
    box.click();
    EXPECT_EQ(box.value(), 0);
    box.click();
    EXPECT_EQ(box.value(), 1); // never greyed again by clicking
}

// Three option buttons in one frame, as the job-list filters are.
class EventOptionButtonTest : public ::testing::Test
{
protected:
    QWidget frame;
    EventOptionButton* all = new EventOptionButton(&frame);
    EventOptionButton* invoiced = new EventOptionButton(&frame);
    EventOptionButton* open = new EventOptionButton(&frame);
    QSignalSpy allClicked{all, &EventOptionButton::clicked};
    QSignalSpy invoicedClicked{invoiced, &EventOptionButton::clicked};
    QSignalSpy openClicked{open, &EventOptionButton::clicked};
};

TEST_F(EventOptionButtonTest, SelectingFromCodeRaisesClickedOnTheNewlySelectedOnly)
{
    all->setValue(true);
    EXPECT_EQ(allClicked.count(), 1);

    bool allSelectedAtClick = true;
    QObject::connect(invoiced, &EventOptionButton::clicked,
                     [&] { allSelectedAtClick = all->value(); });
    invoiced->setValue(true);
    EXPECT_EQ(invoicedClicked.count(), 1);
    EXPECT_FALSE(allSelectedAtClick);
    EXPECT_FALSE(all->value());
    EXPECT_EQ(allClicked.count(), 1);

    invoiced->setValue(true);
    EXPECT_EQ(invoicedClicked.count(), 1);
}

TEST_F(EventOptionButtonTest, TheOperatorsClickRaisesClickedOnceSelected)
{
    all->setValue(true);
    open->click();
    EXPECT_TRUE(open->value());
    EXPECT_FALSE(all->value());
    EXPECT_EQ(openClicked.count(), 1);
    open->click();
    EXPECT_EQ(openClicked.count(), 1);
}

TEST_F(EventOptionButtonTest, ClearingTheSelectionLeavesNoneSelectedAndRaisesNothing)
{
    invoiced->setValue(true);
    invoiced->setValue(false);
    EXPECT_FALSE(all->value());
    EXPECT_FALSE(invoiced->value());
    EXPECT_FALSE(open->value());
    EXPECT_EQ(invoicedClicked.count(), 1);

    // The buttons still exclude each other afterwards.
    all->setValue(true);
    open->setValue(true);
    EXPECT_FALSE(all->value());
    EXPECT_EQ(openClicked.count(), 1);
}

} // namespace
