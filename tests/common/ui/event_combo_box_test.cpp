#include "common/ui/event_combo_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A combo box on a shown window, holding the keyboard focus, with its events
// counted.
class EventComboBoxTest : public ::testing::Test
{
protected:
    EventComboBoxTest()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        combo->setFocus();
        combo->setItems({"ACME", "BETA", "GAMMA"});
    }

    void press(Qt::Key key) { QTest::keyClick(combo, key); }

    QWidget window;
    EventComboBox* combo = new EventComboBox(&window);
    QSignalSpy changed{combo, &EventComboBox::changed};
    QSignalSpy clicked{combo, &EventComboBox::clicked};
};

// Typing raises Change per key and KeyPress before it; it never completes,
// adds to the list or picks, not even when the edit ends on an entry's text.
// Changing the list leaves the text and raises nothing.
TEST_F(EventComboBoxTest, TypingRaisesChangedPerKeyAndIsNoPick)
{
    QStringList textsAtKey;
    QObject::connect(combo, &EventComboBox::keyPressed, [&] { textsAtKey << combo->text(); });
    QTest::keyClicks(combo, "AC");
    press(Qt::Key_Return);
    EXPECT_EQ(textsAtKey, QStringList({"", "A", "AC"}));
    EXPECT_EQ(changed.count(), 2);

    combo->setText("ACME");
    press(Qt::Key_Return);
    QTest::keyClicks(combo, "X");
    press(Qt::Key_Backspace);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(combo, &out);
    EXPECT_EQ(combo->items(), QStringList({"ACME", "BETA", "GAMMA"}));
    EXPECT_EQ(changed.count(), 5);

    combo->clearList();
    combo->addItem("BETA"); // Qt would put the first entry of a list into the text
    combo->addItems({"GAMMA", "DELTA"});
    combo->removeItem(0);
    EXPECT_EQ(combo->items(), QStringList({"GAMMA", "DELTA"}));
    EXPECT_EQ(combo->text(), "ACME");
    // X and Backspace went in at the start, where setText put the caret.
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), 0);
    EXPECT_EQ(changed.count() + clicked.count(), 5);
}

// A pick by keyboard in the open list, by mouse, or by the arrow keys in
// the closed box sets the text before Click and raises no Change.
TEST_F(EventComboBoxTest, APickSetsTheTextAndRaisesOnlyClicked)
{
    combo->setText("typed");
    changed.clear();
    QStringList textsAtClick;
    QObject::connect(combo, &EventComboBox::clicked, [&] { textsAtClick << combo->text(); });

    combo->showPopup();
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_Return);

    combo->showPopup();
    // The list ignores a release that closely follows its opening (the
    // press that opened it); wait that out as an operator would.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QRect gamma = list->visualRect(list->model()->index(2, 0));
    QTest::mouseMove(list->viewport(), gamma.center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, gamma.center());

    combo->setItems({"ACME", "BETA"});
    press(Qt::Key_Down); // from no pick, the first entry
    press(Qt::Key_Down);
    EXPECT_EQ(textsAtClick, QStringList({"BETA", "GAMMA", "ACME", "BETA"}));
    EXPECT_EQ(changed.count(), 0);

    combo->removeItem(1); // the picked entry: its text stays, the pick is forgotten
    EXPECT_EQ(combo->text(), "BETA");
    press(Qt::Key_Down);
    EXPECT_EQ(combo->text(), "ACME");
}

} // namespace
