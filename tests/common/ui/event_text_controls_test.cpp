// The three text-holding controls: Change at once and only for a new text,
// LostFocus only when the focus moves inside the program, a text set by code
// shown from its start (the combo box's in its own test); and what each one
// does of its own.

#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_block.h"
#include "common/ui/event_text_box.h"

#include <QApplication>
#include <QFocusEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

template<typename Control>
class EventTextControlTest : public ::testing::Test
{
};

using TextControls = ::testing::Types<EventComboBox, EventTextBox, EventTextBlock>;
TYPED_TEST_SUITE(EventTextControlTest, TextControls);

TYPED_TEST(EventTextControlTest, ChangedOnlyForANewTextAndLostFocusOnlyWithinTheProgram)
{
    TypeParam control;
    QStringList textsAtChange;
    QObject::connect(&control, &TypeParam::changed, [&] { textsAtChange << control.text(); });
    control.setText("4711");
    control.setText("4711");
    control.setText("");
    EXPECT_EQ(textsAtChange, QStringList({"4711", ""}));

    QSignalSpy lost(&control, &TypeParam::lostFocus);
    for (const Qt::FocusReason reason :
         {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::TabFocusReason,
          Qt::BacktabFocusReason, Qt::MouseFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(&control, &out);
    }
    EXPECT_EQ(lost.count(), 3);
}

// Change comes per key typed; KeyPress before the key, and it may swallow
// it. A maximum length cutting a text back to the old one is no change.
TEST(EventTextBox, KeyPressedComesBeforeTheKeyAndMaySwallowIt)
{
    EventTextBox box;
    QSignalSpy changed(&box, &EventTextBox::changed);
    std::vector<int> codes;
    QStringList textsAtKey;
    QObject::connect(&box, &EventTextBox::keyPressed, [&](int code) {
        codes.push_back(code);
        textsAtKey << box.text();
        if (code == 'x')
            box.suppressKey();
    });
    QTest::keyClicks(&box, "1x2");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Left); // types nothing: no key press event
    EXPECT_EQ(codes, std::vector<int>({'1', 'x', '2', 13}));
    EXPECT_EQ(textsAtKey, QStringList({"", "1", "1", "12"}));
    EXPECT_EQ(box.text(), "12");
    EXPECT_EQ(changed.count(), 2);
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(changed.count(), 3);

    box.setMaxLength(3);
    box.setText("ABCD");
    EXPECT_EQ(box.text(), "ABC");
    EXPECT_EQ(box.cursorPosition(), 0); // a text set by code shows its start
    box.setText("ABCX");
    EXPECT_EQ(changed.count(), 4);
}

// Texts read back with CR LF line ends whatever breaks they were given in;
// a text that reads back the same is no change.
TEST(EventTextBlock, ReadsBackCrLfLinesAndRaisesChangedOnlyForANewText)
{
    EventTextBlock block;
    QSignalSpy changed(&block, &EventTextBlock::changed);
    const std::pair<QString, QString> cases[] = {{"A\r\nB\r\n", "A\r\nB\r\n"},
                                                 {"A\nB\n", "A\r\nB\r\n"},
                                                 {"A\rB\n", "A\r\nB\r\n"},
                                                 {"A\r\n\r\nB", "A\r\n\r\nB"},
                                                 {"x\tand\u00a0y\r", "x\tand\u00a0y\r\n"},
                                                 {"", ""}};
    for (const auto& [text, readBack] : cases) {
        block.setText(text);
        EXPECT_EQ(block.text(), readBack) << text.toStdString();
    }
    EXPECT_EQ(changed.count(), 4);
    QTest::keyClicks(&block, "A");
    QTest::keyClick(&block, Qt::Key_Return);
    QTest::keyClicks(&block, "B");
    EXPECT_EQ(block.text(), "A\r\nB");
    EXPECT_EQ(changed.count(), 7);
    block.setText("A\rB"); // the same text: the caret stays where typing left it
    EXPECT_EQ(block.textCursor().position(), 3);

    // A new text set by code is shown from its start.
    block.resize(120, 60);
    block.show();
    block.setText("Letterhead " + QString(80, u'x') + QString("\r\nline").repeated(30));
    EXPECT_EQ(block.textCursor().position(), 0);
    EXPECT_EQ(block.verticalScrollBar()->value(), 0);
}

} // namespace
