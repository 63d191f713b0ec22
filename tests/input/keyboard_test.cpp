// The main window from the keyboard alone, and with a screen reader attached.
// (What a screen reader hears of each control is walked in tests/app.)

#include "support/main_window_fixture.h"

#include "common/ui/event_check_box.h"

#include <QAccessible>
#include <QKeyEvent>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

using jet4::Null;

class KeyboardTest : public MainWindowTest
{
protected:
    // Customers and jobs numbered from 1, shown and active.
    void loadWith(int entries)
    {
        std::vector<std::vector<jet4::Value>> clients, jobs;
        for (int i = 1; i <= entries; ++i) {
            clients.push_back(
                {i, "Customer " + std::to_string(i), Null, Null, Null, Null, Null, Null, Null});
            jobs.push_back({QString::number(i).rightJustified(8, u'0').toStdString(),
                            "Job " + std::to_string(i), "0", Null});
        }
        ASSERT_TRUE(loadOn({ordersSchema(), clientTable(std::move(clients)), addressesSchema(),
                            jobLogTable(std::move(jobs))}));
        window().show();
        QApplication::setActiveWindow(&window());
    }

    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                      const QString& text = {})
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(QApplication::focusWidget(), &event);
    }

    // The control holding the focus (a combo box's edit line counts as it).
    static QString focusName()
    {
        QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr && focus->objectName().isEmpty() && focus->parentWidget() != nullptr)
            focus = focus->parentWidget();
        return focus != nullptr ? focus->objectName() : QString();
    }
};

TEST_F(KeyboardTest, TabWalksTheWindowInDefinitionOrder)
{
    loadWith(2);
    // Enter has its own chain through the item fields to the sold-to box.
    window().txtPO->setFocus();
    int enterHandled = 0;
    QObject::connect(window().txtPO, &QLineEdit::returnPressed, [&] { ++enterHandled; });
    QStringList path;
    for (const char* typed : {"PO-9", "42", "", ""}) {
        press(Qt::Key_unknown, Qt::NoModifier, typed); // types the text
        press(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        path << focusName();
    }
    EXPECT_EQ(path, QStringList({"txtQty", "txtBO", "txtDes", "cboCust"}));
    EXPECT_EQ(enterHandled, 1); // the box still saw its Enter
    EXPECT_EQ(window().txtPO->text(), "PO-9");
    // Each box left wrote itself back, the empty back-order box too.
    EXPECT_EQ(window().draft().partRows.items(), QStringList({"42\t\t"}));

    // An option group is one stop, at its selected button.
    const QStringList order = {"chkPart",    "Check1",   "txtPhone", "cmdRefresh", "cmdLabel",
                               "cmdTicket",  "cmdExit",  "chkAll",   "chkJob",     "chkComment",
                               "cboComment", "HScroll1", "txtShip",  "cboShip",    "Option2",
                               "txtPO",      "Search",   "cboJobs",  "cboSCust",   "txtDes",
                               "txtQty",     "txtBO",    "txtCust",  "cboCust"};
    window().options().chkPart->setFocus();
    QStringList forward{focusName()}, backward;
    for (qsizetype i = 0; i < order.size(); ++i) {
        press(Qt::Key_Tab);
        forward << focusName();
    }
    for (qsizetype i = 0; i < order.size(); ++i) {
        backward.prepend(focusName());
        press(Qt::Key_Backtab, Qt::ShiftModifier);
    }
    backward.prepend(focusName());
    const QString round = (order + QStringList{order.first()}).join(' ');
    EXPECT_EQ(forward.join(' ').toStdString(), round.toStdString());
    EXPECT_EQ(backward.join(' ').toStdString(), round.toStdString());
    EXPECT_EQ(window().soldTo().txtCust->text() + window().shipTo().txtShip->text(),
              ""); // Tab typed nothing

    window().soldTo().txtCust->setFocus();
    press(Qt::Key_Tab, Qt::ControlModifier); // types a TAB, for whoever wants one
    EXPECT_EQ(window().soldTo().txtCust->text(), "\t");
    EXPECT_EQ(focusName(), "txtCust");
}

// Entry by entry, each entry would send an update to a screen reader; in
// one step per list, a load and a refresh send a few hundred.
TEST_F(KeyboardTest, ListsFillInOneStepWithAScreenReaderAttached)
{
    constexpr int Entries = 2000;
    static int updates = 0;
    QAccessible::installUpdateHandler([](QAccessibleEvent*) { ++updates; });
    QPlatformAccessibility* client = QGuiApplicationPrivate::platformIntegration()->accessibility();
    client->setActive(true);
    loadWith(Entries);
    window().cmdRefresh_Click();
    const int sent = updates;
    client->setActive(false);
    QAccessible::installUpdateHandler(nullptr);
    EXPECT_LT(sent, Entries);
    EXPECT_EQ(window().jobs().cboJobs->count() + window().soldTo().cboCust->count(), 2 * Entries);
}

} // namespace
