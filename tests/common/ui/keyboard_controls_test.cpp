#include "common/ui/event_combo_box.h"
#include "common/ui/event_scroll_bar.h"
#include "common/ui/event_text_block.h"
#include "common/ui/event_text_box.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(TextSetFromCodeTest, ShowsItsStartWithTheCaretAtTheBeginning)
{
    const QString longText =
        QString("Letterhead ") + QString(80, u'x') + " folded to 3.67 x 8.5 in";
    EventTextBox box;
    box.setText(longText);
    EXPECT_EQ(box.cursorPosition(), 0);

    EventComboBox combo;
    combo.setText(longText);
    combo.addItem("first entry"); // Qt would pick and show it; the text is put back
    EXPECT_EQ(combo.text(), longText);
    EXPECT_EQ(combo.lineEdit()->cursorPosition(), 0);

    EventTextBlock block;
    block.resize(120, 60);
    block.show();
    block.setText(longText + QString("\r\nline").repeated(30));
    EXPECT_EQ(block.textCursor().position(), 0);
    EXPECT_EQ(block.verticalScrollBar()->value(), 0);
}

// Right and Page Down go on whatever Qt's sliders and the layout direction
// would make of them; each key is one change.
TEST(EventScrollBarTest, KeysMoveOnePlaceOrToAnEndWithOneChangeEach)
{
    const std::pair<Qt::Key, int> cases[] = {
        {Qt::Key_Right, 4}, {Qt::Key_Down, 4},   {Qt::Key_PageDown, 4}, {Qt::Key_Left, 2},
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

} // namespace
