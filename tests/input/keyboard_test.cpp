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

const QString LongDescription = QStringLiteral(
    "Letterhead on 24 lb laid stock, two colours, scored and folded to 3.67 x 8.5 in");

// An order line: job, part, kind, description, quantity.
std::vector<Value> line(const char* job, int part, const char* description, int quantity)
{
    return {job, part, "J", description, "ACME", 17, "555-0100", quantity, 17, "PO-1", Null, Null};
}

class KeyboardTest : public MainWindowTest
{
protected:
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
        orders.rows = {line("00000001", 1, "Envelopes #10", 500),
                       line("00000001", 2, LongDescription.toStdString().c_str(), 1000),
                       line("00000001", 3, "Cards", 250)};
        pointAtDataFolder();
        writeDatabase({orders, clientTable(std::move(clientRows)), addressesTable(),
                       jobLogTable(std::move(jobRows))});
        JobLoaded = FlagFalse;
        ASSERT_TRUE(load());
    }

    void showActive()
    {
        window().show();
        window().activateWindow();
        QApplication::setActiveWindow(&window());
    }

    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(focus, &event);
    }

    // The control holding the focus, by name (an editable box's own edit
    // line counts as the box).
    static QString focusName()
    {
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr)
            return QStringLiteral("(none)");
        if (focus->objectName().isEmpty() && focus->parentWidget() != nullptr)
            return focus->parentWidget()->objectName();
        return focus->objectName();
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
    QStringList forward{focusName()};
    for (qsizetype i = 0; i < order.size(); ++i) {
        press(Qt::Key_Tab);
        forward << focusName();
    }
    EXPECT_EQ(forward.join(' '), (order + QStringList{order.first()}).join(' '));

    QStringList backward{focusName()};
    for (qsizetype i = 0; i < order.size(); ++i) {
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        backward << focusName();
    }
    QStringList reversed(order.rbegin(), order.rend());
    EXPECT_EQ(backward.join(' '), (QStringList{order.first()} + reversed).join(' '));
    EXPECT_TRUE(window().txtCust->text().isEmpty());
    EXPECT_TRUE(window().txtShip->text().isEmpty());
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
                 {Qt::Key_Left, 2, 7, "1000"},  {Qt::Key_Up, 1, 7, "500"},
                 {Qt::Key_Down, 2, 7, "1000"}};
    for (const auto& [key, part, beeps, quantity] : steps) {
        press(key);
        EXPECT_EQ(window().HScroll1->value(), part) << key;
        EXPECT_EQ(m_platform.beeps, beeps) << key;
        EXPECT_EQ(window().txtQty->text(), quantity) << key;
        EXPECT_EQ(window().Label4->text(), QStringLiteral("Description: (Part %1 of 3)").arg(part));
    }
}

TEST_F(KeyboardTest, ALongDescriptionSetByAJobSelectionShowsItsStart)
{
    loadWith(1, 1);
    window().txtDes->setText(QStringLiteral("typed"));
    window().cboJobs->setText(QStringLiteral("00000001-Job 1"));
    window().HScroll1->setValue(2);
    ASSERT_EQ(window().txtDes->text(), LongDescription);
    EXPECT_EQ(window().txtDes->cursorPosition(), 0);
}

QString accessibleText(QWidget* widget, QAccessible::Text kind)
{
    QAccessibleInterface* object = QAccessible::queryAccessibleInterface(widget);
    return object != nullptr ? object->text(kind) : QString();
}

TEST_F(KeyboardTest, EveryControlHasANameAndTheComboBoxesAFixedDescription)
{
    loadWith(2, 2);
    for (QWidget* widget : window().findChildren<QWidget*>()) {
        if ((widget->focusPolicy() & Qt::TabFocus) == 0 || widget->objectName().isEmpty())
            continue;
        EXPECT_FALSE(accessibleText(widget, QAccessible::Name).isEmpty())
            << qPrintable(widget->objectName());
    }
    EXPECT_EQ(accessibleText(window().Search, QAccessible::Name), "Enter Job Number to Search");
    EXPECT_EQ(accessibleText(window().txtQty, QAccessible::Name), "Quantity");
    EXPECT_EQ(accessibleText(window().HScroll1, QAccessible::Name), "Part No.");

    for (EventComboBox* box : {window().cboJobs, window().cboCust, window().cboSCust,
                               window().cboShip, window().cboComment}) {
        const QString description = accessibleText(box, QAccessible::Description);
        EXPECT_FALSE(description.isEmpty()) << qPrintable(box->objectName());
        box->setText(QStringLiteral("typed text"));
        EXPECT_EQ(accessibleText(box, QAccessible::Description), description);
    }
    EXPECT_EQ(accessibleText(window().cboCust, QAccessible::Description), "Sold To");

    window().lblDate->setText(QStringLiteral("03/15/27"));
    EXPECT_TRUE(accessibleText(window().lblDate, QAccessible::Name).contains("03/15/27"));
}

// An accessibility client, as a screen reader attaches one: it makes
// accessibility active and counts the updates the program sends.
class AccessibilityClient
{
public:
    AccessibilityClient()
    {
        s_updates = 0;
        QAccessible::installUpdateHandler([](QAccessibleEvent*) { ++s_updates; });
        QAccessible::installRootObjectHandler([](QObject*) {});
        platform()->setActive(true);
    }
    ~AccessibilityClient()
    {
        platform()->setActive(false);
        QAccessible::installUpdateHandler(nullptr);
        QAccessible::installRootObjectHandler(nullptr);
    }
    AccessibilityClient(const AccessibilityClient&) = delete;
    AccessibilityClient& operator=(const AccessibilityClient&) = delete;

    static QPlatformAccessibility* platform()
    {
        return QGuiApplicationPrivate::platformIntegration()->accessibility();
    }
    static inline int s_updates = 0;
};

struct ListsAfterLoad
{
    QStringList customers, shipToCustomers, jobs;
    int jobChanges = 0, jobClicks = 0, customerChanges = 0;
    QString soldTo;
};

class AccessibleListsTest : public KeyboardTest
{
protected:
    static constexpr int Entries = 2000;

    ListsAfterLoad loadAndRefresh()
    {
        m_window.reset();
        loadWith(Entries, Entries);
        ListsAfterLoad& lists = m_lists;
        lists = {};
        lists.customers = window().cboCust->items();
        lists.shipToCustomers = window().cboSCust->items();
        lists.jobs = window().cboJobs->items();
        const auto count = [](EventComboBox* box, auto signal, int& counter) {
            QObject::connect(box, signal, [&counter] { ++counter; });
        };
        count(window().cboJobs, &EventComboBox::changed, lists.jobChanges);
        count(window().cboJobs, &EventComboBox::clicked, lists.jobClicks);
        count(window().cboCust, &EventComboBox::changed, lists.customerChanges);
        window().cboJobs->setText(QStringLiteral("00000009"));
        window().cboCust->setText(window().cboCust->item(2));
        lists.soldTo = window().txtCust->text();
        window().cmdRefresh_Click();
        lists.jobs << window().cboJobs->items();
        return lists;
    }

    ListsAfterLoad m_lists;
};

TEST_F(AccessibleListsTest, ListsFillAlikeAndInOneStepWithAClientAttached)
{
    ASSERT_NE(AccessibilityClient::platform(), nullptr);
    const ListsAfterLoad plain = loadAndRefresh();
    ASSERT_EQ(plain.customers.size(), Entries);

    AccessibilityClient client;
    ASSERT_TRUE(QAccessible::isActive());
    const ListsAfterLoad accessible = loadAndRefresh();
    // Entry by entry, each of the 4 * Entries entries would send its own
    // update; in one step per list the load and the refresh send a few
    // hundred, most of them for the progress bar.
    EXPECT_LT(AccessibilityClient::s_updates, Entries);

    EXPECT_EQ(accessible.customers, plain.customers);
    EXPECT_EQ(accessible.shipToCustomers, plain.shipToCustomers);
    EXPECT_EQ(accessible.jobs, plain.jobs);
    EXPECT_EQ(accessible.soldTo, plain.soldTo);
    EXPECT_EQ(accessible.jobChanges, plain.jobChanges);
    EXPECT_EQ(accessible.jobClicks, plain.jobClicks);
    EXPECT_EQ(accessible.customerChanges, plain.customerChanges);
    EXPECT_EQ(plain.jobChanges, 2); // the selection and the refresh's emptying
}

} // namespace
