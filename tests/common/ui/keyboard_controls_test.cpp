#include "common/ui/event_combo_box.h"
#include "common/ui/event_scroll_bar.h"
#include "common/ui/event_text_block.h"
#include "common/ui/event_text_box.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

const QString LongText = QStringLiteral("Letterhead, two colours on 24 lb stock, ") +
                         QString(60, u'x') + QStringLiteral(" folded to 3.67 x 8.5 in");

// A shown, active window holding a line, an address block and another line.
class TextBlockTabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* widget : {static_cast<QWidget*>(before), static_cast<QWidget*>(block),
                                static_cast<QWidget*>(after)})
            layout->addWidget(widget);
        window.show();
        QApplication::setActiveWindow(&window);
        block->setFocus();
        ASSERT_TRUE(block->hasFocus());
    }

    QWidget window;
    EventTextBox* before = new EventTextBox;
    EventTextBlock* block = new EventTextBlock;
    EventTextBox* after = new EventTextBox;
};

TEST_F(TextBlockTabTest, TabAndShiftTabLeaveTheBlockWithoutTypingATab)
{
    block->setText("NAME\r\nSTREET");
    QTest::keyClick(block, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
    block->setFocus();
    QTest::keyClick(block, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus());
    EXPECT_EQ(block->text(), "NAME\r\nSTREET");
}

TEST_F(TextBlockTabTest, CtrlTabTypesATabAndStays)
{
    QTest::keyClick(block, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(block->hasFocus());
    EXPECT_EQ(block->text(), "\t");
}

TEST(TextSetFromCodeTest, ShowsItsStartWithTheCaretAtTheBeginning)
{
    EventTextBox box;
    box.resize(80, 24);
    QTest::keyClicks(&box, "typed");
    EXPECT_EQ(box.cursorPosition(), 5); // typing moves the caret on
    box.setText(LongText);
    EXPECT_EQ(box.cursorPosition(), 0);
    box.setText(LongText); // the same text again
    EXPECT_EQ(box.cursorPosition(), 0);

    EventComboBox combo;
    combo.resize(80, 24);
    combo.setText(LongText);
    EXPECT_EQ(combo.lineEdit()->cursorPosition(), 0);
    combo.addItem("first entry"); // Qt would pick it and show it; the text stays
    EXPECT_EQ(combo.text(), LongText);
    EXPECT_EQ(combo.lineEdit()->cursorPosition(), 0);

    EventTextBlock block;
    block.resize(120, 60);
    block.show();
    block.setText(LongText + QString("\r\nline").repeated(30));
    EXPECT_EQ(block.textCursor().position(), 0);
    EXPECT_EQ(block.verticalScrollBar()->value(), 0);
}

// Right and Page Down go on, Left and Page Up back, whatever Qt's sliders and
// the layout direction would make of them; each move is one change.
TEST(EventScrollBarTest, KeysMoveOnePlaceOrToAnEndWithOneChangeEach)
{
    const struct
    {
        Qt::Key key;
        int expected;
    } cases[] = {{Qt::Key_Right, 4}, {Qt::Key_Down, 4},   {Qt::Key_PageDown, 4}, {Qt::Key_Left, 2},
                 {Qt::Key_Up, 2},    {Qt::Key_PageUp, 2}, {Qt::Key_Home, 1},     {Qt::Key_End, 9}};
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        for (const auto& [key, expected] : cases) {
            EventScrollBar bar;
            bar.setLayoutDirection(direction);
            bar.setRange(1, 9);
            bar.setValue(3);
            QSignalSpy changes(&bar, &QScrollBar::valueChanged);
            QTest::keyClick(&bar, key);
            EXPECT_EQ(bar.value(), expected) << key << " " << direction;
            EXPECT_EQ(changes.count(), 1) << key;
        }
    }
}

TEST(EventScrollBarTest, IsATabStopAndAClickInTheTroughMovesOnePlace)
{
    EventScrollBar bar;
    EXPECT_EQ(bar.focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    bar.setRange(1, 9);
    bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bar.value(), 2);
}

} // namespace
