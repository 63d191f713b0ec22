// The main window from the keyboard alone, and with a screen reader's
// accessibility client attached.

#include "common/module_values.h"
#include "common/ui/event_check_box.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_block.h"
#include "common/ui/event_text_box.h"
#include "input/frm_delivery.h"
#include "main_window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

using jet4::Null;
using jet4::Value;

const std::string LongDescription =
    "Letterhead on 24 lb laid stock, two colours, scored and folded to 3.67 x 8.5 in";

class KeyboardTest : public MainWindowTest
{
protected:
    // Customers and jobs numbered from 1; job 1 has three parts, the second
    // with a long description.
    void loadWith(int clients, int jobs)
    {
        std::vector<std::vector<Value>> clientRows, jobRows;
        for (int i = 1; i <= clients; ++i)
            clientRows.push_back(
                {i, "Customer " + std::to_string(i), Null, Null, Null, Null, Null, Null, Null});
        for (int i = 1; i <= jobs; ++i)
            jobRows.push_back({QString::number(i).rightJustified(8, u'0').toStdString(),
                               "Job " + std::to_string(i), "0", Null});
        jet4::Table orders = ordersTable();
        for (const auto& [part, description, quantity] :
             {std::tuple{1, std::string("Envelopes #10"), 500},
              {2, LongDescription, 1000},
              {3, std::string("Cards"), 250}})
            orders.rows.push_back({"00000001", part, "J", description, "ACME", 17, "555-0100",
                                   quantity, 17, "PO-1", Null, Null});
        pointAtDataFolder();
        writeDatabase({orders, clientTable(std::move(clientRows)), addressesTable(),
                       jobLogTable(std::move(jobRows))});
        JobLoaded = FlagFalse;
        ASSERT_TRUE(load());
    }

    void showActive()
    {
        window().show();
        QApplication::setActiveWindow(&window());
    }

    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
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

TEST_F(KeyboardTest, TabAndShiftTabWalkTheWindowInDefinitionOrder)
{
    loadWith(2, 2);
    showActive();
    // An option group is one stop, at its selected button.
    const QStringList order = {"chkPart",    "Check1",   "txtPhone", "cmdRefresh", "cmdLabel",
                               "cmdTicket",  "cmdExit",  "chkAll",   "chkJob",     "chkComment",
                               "cboComment", "HScroll1", "txtShip",  "cboShip",    "Option2",
                               "txtPO",      "Search",   "cboJobs",  "cboSCust",   "txtDes",
                               "txtQty",     "txtBO",    "txtCust",  "cboCust"};
    window().chkPart->setFocus();
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
    EXPECT_TRUE(window().txtCust->text().isEmpty());
    EXPECT_TRUE(window().txtShip->text().isEmpty());

    window().txtCust->setFocus();
    press(Qt::Key_Tab, Qt::ControlModifier); // types a TAB, for whoever wants one
    EXPECT_EQ(window().txtCust->text(), "\t");
    EXPECT_EQ(focusName(), "txtCust");
}

// The keys page the parts as clicks on the scroll bar do: onto the part
// past the last one beeps and steps back.
TEST_F(KeyboardTest, KeysOnThePartScrollBarPageThePartsWithBeepsAndStepBack)
{
    loadWith(1, 1);
    window().cboJobs->setText(QStringLiteral("00000001-Job 1"));
    ASSERT_EQ(window().lstKeep.count(), 3);
    showActive();
    window().HScroll1->setFocus();
    const struct
    {
        Qt::Key key;
        int part;
        int beeps;
        const char* quantity;
    } steps[] = {{Qt::Key_Right, 2, 0, "1000"}, {Qt::Key_PageDown, 3, 0, "250"},
                 {Qt::Key_Right, 3, 1, "250"},  {Qt::Key_PageUp, 2, 1, "1000"},
                 {Qt::Key_Home, 1, 1, "500"},   {Qt::Key_End, 3, 7, "250"},
                 {Qt::Key_Left, 2, 7, "1000"}};
    for (const auto& [key, part, beeps, quantity] : steps) {
        press(key);
        EXPECT_EQ(window().HScroll1->value(), part) << key;
        EXPECT_EQ(m_platform.beeps, beeps) << key;
        EXPECT_EQ(window().txtQty->text(), quantity) << key;
        EXPECT_EQ(window().Label4->text(), QStringLiteral("Description: (Part %1 of 3)").arg(part));
    }
    // Part 2's description, set by the paging, shows its start.
    EXPECT_EQ(window().txtDes->text().toStdString(), LongDescription);
    EXPECT_EQ(window().txtDes->cursorPosition(), 0);
}

QString accessibleText(QWidget* widget, QAccessible::Text kind)
{
    return QAccessible::queryAccessibleInterface(widget)->text(kind);
}

TEST_F(KeyboardTest, EveryControlHasANameAndTheComboBoxesAFixedDescription)
{
    loadWith(2, 2);
    for (QWidget* widget : window().findChildren<QWidget*>()) {
        if ((widget->focusPolicy() & Qt::TabFocus) != 0 && !widget->objectName().isEmpty()) {
            EXPECT_NE(accessibleText(widget, QAccessible::Name), "")
                << qPrintable(widget->objectName());
        }
    }
    EXPECT_EQ(accessibleText(window().Search, QAccessible::Name), "Enter Job Number to Search");
    EXPECT_EQ(accessibleText(window().txtQty, QAccessible::Name), "Quantity");
    for (EventComboBox* box : {window().cboJobs, window().cboCust, window().cboSCust,
                               window().cboShip, window().cboComment}) {
        const QString description = accessibleText(box, QAccessible::Description);
        EXPECT_NE(description, "") << qPrintable(box->objectName());
        box->setText(QStringLiteral("typed text"));
        EXPECT_EQ(accessibleText(box, QAccessible::Description), description);
    }
    window().lblDate->setText(QStringLiteral("03/15/27"));
    EXPECT_TRUE(accessibleText(window().lblDate, QAccessible::Name).contains("03/15/27"));
}

// An accessibility client, as a screen reader attaches one: accessibility
// is active and every update the program sends is counted.
int accessibilityUpdates = 0;

void setAccessibilityActive(bool active)
{
    accessibilityUpdates = 0;
    QAccessible::installUpdateHandler(active ? [](QAccessibleEvent*) { ++accessibilityUpdates; }
                                             : QAccessible::UpdateHandler(nullptr));
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(active);
}

TEST_F(KeyboardTest, ListsFillAlikeAndInOneStepWithAClientAttached)
{
    constexpr int Entries = 2000;
    // The lists and the change and click events of a load, a pick of a job
    // and a customer, and a refresh.
    const auto loadAndRefresh = [this] {
        m_window.reset();
        loadWith(Entries, Entries);
        QStringList seen = window().cboCust->items() + window().cboSCust->items();
        const auto note = [&seen](EventComboBox* box, auto signal, const char* what) {
            QObject::connect(box, signal, [&seen, box, what] { seen << box->objectName() + what; });
        };
        note(window().cboJobs, &EventComboBox::changed, " change");
        note(window().cboJobs, &EventComboBox::clicked, " click");
        note(window().cboCust, &EventComboBox::changed, " change");
        window().cboJobs->setText(QStringLiteral("00000009"));
        window().cboCust->setText(window().cboCust->item(2));
        seen << window().txtCust->text();
        window().cmdRefresh_Click();
        return seen + window().cboJobs->items();
    };
    const QStringList plain = loadAndRefresh();
    ASSERT_GT(plain.size(), 3 * Entries);

    setAccessibilityActive(true);
    ASSERT_TRUE(QAccessible::isActive());
    const QStringList accessible = loadAndRefresh();
    const int updates = accessibilityUpdates;
    setAccessibilityActive(false);
    EXPECT_EQ(accessible, plain);
    // Entry by entry, each of the 4 * Entries entries would send an update;
    // in one step per list the load and the refresh send a few hundred.
    EXPECT_LT(updates, Entries);
}

} // namespace
