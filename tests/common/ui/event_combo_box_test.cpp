#include "common/ui/event_combo_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
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
        window.resize(300, 80);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        combo->setFocus();
    }

    // Types into whatever holds the focus, as the keyboard would.
    void type(const QString& keys) { QTest::keyClicks(combo, keys); }
    void press(Qt::Key key) { QTest::keyClick(combo, key); }

    void loseFocus(Qt::FocusReason reason)
    {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(combo, &out);
    }

    QWidget window;
    EventComboBox* combo = new EventComboBox(&window);
    QSignalSpy changed{combo, &EventComboBox::changed};
    QSignalSpy clicked{combo, &EventComboBox::clicked};
};

TEST_F(EventComboBoxTest, TypingRaisesChangedPerKeyAndNeverCompletesOrAddsToTheList)
{
    combo->setItems({"ACME", "BETA"});

    type("AC");
    EXPECT_EQ(combo->text(), "AC");
    EXPECT_EQ(changed.count(), 2);

    press(Qt::Key_Return);
    EXPECT_EQ(combo->items(), QStringList({"ACME", "BETA"}));
    EXPECT_EQ(combo->text(), "AC");
    EXPECT_EQ(clicked.count(), 0);
}

// A pick by keyboard in the open list, by mouse, or by the arrow keys in
// the closed box sets the text before Click and raises no Change.
TEST_F(EventComboBoxTest, APickSetsTheTextAndRaisesOnlyClicked)
{
    combo->setItems({"ACME", "BETA", "GAMMA"});
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

TEST_F(EventComboBoxTest, EndingAnEditOnAnEntrysTextIsNoPick)
{
    combo->setItems({"ACME", "BETA"});
    combo->setText("ACME");
    press(Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 0);

    type("X");
    press(Qt::Key_Backspace);
    loseFocus(Qt::TabFocusReason);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(combo->text(), "ACME");
}

TEST_F(EventComboBoxTest, ChangingTheListLeavesTheTextAndRaisesNothing)
{
    combo->setText("typed");
    changed.clear();

    combo->addItem("ACME"); // Qt would put the first entry of a list into the text
    combo->addItems({"BETA", "GAMMA"});
    EXPECT_EQ(combo->text(), "typed");
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->item(2), "GAMMA");

    combo->removeItem(0);
    EXPECT_EQ(combo->items(), QStringList({"BETA", "GAMMA"}));
    combo->setItems({"X", "Y"});
    EXPECT_EQ(combo->items(), QStringList({"X", "Y"}));
    EXPECT_EQ(combo->text(), "typed");
    EXPECT_EQ(combo->item(2), "");
    EXPECT_EQ(combo->item(-1), "");
    combo->clearList();
    EXPECT_EQ(combo->count(), 0);
    EXPECT_EQ(combo->text(), "typed");

    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(EventComboBoxTest, KeyPressedComesBeforeTheKeyIsTyped)
{
    QString textAtKey = "unset";
    int code = 0;
    QObject::connect(combo, &EventComboBox::keyPressed, [&](int charCode) {
        code = charCode;
        textAtKey = combo->text();
    });

    type("7");
    EXPECT_EQ(code, '7');
    EXPECT_EQ(textAtKey, "");
    press(Qt::Key_Return);
    EXPECT_EQ(code, 13);
    EXPECT_EQ(textAtKey, "7");
}

} // namespace
