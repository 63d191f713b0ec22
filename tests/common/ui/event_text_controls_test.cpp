// What the three text-holding controls share: Change at once and only for a
// new text, and LostFocus only when the focus moves inside the program.

#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_block.h"
#include "common/ui/event_text_box.h"

#include <QApplication>
#include <QFocusEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

template<typename Control>
class EventTextControlTest : public ::testing::Test
{
protected:
    Control control;
    QSignalSpy changed{&control, &Control::changed};
};

using TextControls = ::testing::Types<EventComboBox, EventTextBox, EventTextBlock>;
TYPED_TEST_SUITE(EventTextControlTest, TextControls);

TYPED_TEST(EventTextControlTest, SetTextRaisesChangedAtOnceAndOnlyForANewText)
{
    QString textAtChange;
    QObject::connect(&this->control, &TypeParam::changed,
                     [&] { textAtChange = this->control.text(); });
    this->control.setText("4711");
    EXPECT_EQ(textAtChange, "4711");
    this->control.setText("4711");
    EXPECT_EQ(this->changed.count(), 1);
    this->control.setText("");
    EXPECT_EQ(this->changed.count(), 2);
    EXPECT_EQ(this->control.text(), "");
}

TYPED_TEST(EventTextControlTest, LostFocusIgnoresSwitchingApplicationsAndPopups)
{
    QSignalSpy lost(&this->control, &TypeParam::lostFocus);
    for (const Qt::FocusReason reason :
         {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::TabFocusReason,
          Qt::BacktabFocusReason, Qt::MouseFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(&this->control, &out);
    }
    EXPECT_EQ(lost.count(), 3);
}

} // namespace
