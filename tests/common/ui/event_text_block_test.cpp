#include "common/ui/event_text_block.h"

#include <QApplication>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class EventTextBlockTest : public ::testing::Test
{
protected:
    EventTextBlock block;
    QSignalSpy changed{&block, &EventTextBlock::changed};
};

TEST_F(EventTextBlockTest, CrLfTextsReadBackExactly)
{
    for (const QString& text :
         {QString("A\r\nB\r\n"), QString("NAME\r\nSTREET\r\nCITY"), QString("A\r\n\r\nB"),
          QString("\r\n"), QString(), QString("x\tand\u00a0y\r\n")}) {
        block.setText(text);
        EXPECT_EQ(block.text(), text);
    }
}

TEST_F(EventTextBlockTest, LoneCrAndLfAreLineBreaksToo)
{
    block.setText("A\rB\nC\r\n");
    EXPECT_EQ(block.text(), "A\r\nB\r\nC\r\n");
}

TEST_F(EventTextBlockTest, SetTextRaisesChangedAtOnceAndOnlyForANewText)
{
    QString textAtChange;
    QObject::connect(&block, &EventTextBlock::changed, [&] { textAtChange = block.text(); });

    block.setText("A\r\nB\r\n");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(textAtChange, "A\r\nB\r\n");
    block.setText("A\r\nB\r\n");
    block.setText("A\nB\n"); // the same text once read back
    EXPECT_EQ(changed.count(), 1);
    block.setText("");
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(EventTextBlockTest, TypingRaisesChangedAndEnterBreaksTheLineWithCrLf)
{
    QTest::keyClicks(&block, "A");
    QTest::keyClick(&block, Qt::Key_Return);
    QTest::keyClicks(&block, "B");
    EXPECT_EQ(block.text(), "A\r\nB");
    EXPECT_EQ(changed.count(), 3);
}

} // namespace
