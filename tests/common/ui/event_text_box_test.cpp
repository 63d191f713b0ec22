#include "common/ui/event_text_box.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class EventTextBoxTest : public ::testing::Test
{
protected:
    EventTextBox box;
    QSignalSpy changed{&box, &EventTextBox::changed};
};

TEST_F(EventTextBoxTest, MaximumLengthCuttingBackToTheOldTextIsNoChange)
{
    box.setMaxLength(3);
    box.setText("ABCD");
    EXPECT_EQ(box.text(), "ABC");
    EXPECT_EQ(changed.count(), 1);
    box.setText("ABCX");
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(EventTextBoxTest, TypingRaisesChangedPerKey)
{
    QTest::keyClicks(&box, "12");
    EXPECT_EQ(box.text(), "12");
    EXPECT_EQ(changed.count(), 2);
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(EventTextBoxTest, KeyPressedComesBeforeTheKeyAndMaySwallowIt)
{
    std::vector<int> codes;
    QString textAtKey = "unset";
    QObject::connect(&box, &EventTextBox::keyPressed, [&](int code) {
        codes.push_back(code);
        textAtKey = box.text();
        if (code == 'x')
            box.suppressKey();
    });

    QTest::keyClicks(&box, "1x2");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Left); // types nothing: no key press event

    EXPECT_EQ(codes, std::vector<int>({'1', 'x', '2', 13}));
    EXPECT_EQ(textAtKey, "12");
    EXPECT_EQ(box.text(), "12");
    EXPECT_EQ(changed.count(), 2);
}

} // namespace
