// Job selection through the main window: the boxes show what it fills from
// the job's order lines (its rules are tested on their own in
// job_selection_rules_test.cpp); and the job search finds a job by its
// number.

#include "support/main_window_fixture.h"

#include "orderdb/table_cursor.h"

#include <QFile>

namespace {

using jet4::Null;
using jet4::Value;

// An order line: job, part, kind, description, quantity, ship-to id and name.
std::vector<Value> line(const char* job, Value part, const char* kind, Value description,
                        Value quantity = 100, Value shipId = Null, Value shipName = Null)
{
    return {job,        part,     kind, description, "ACME", 17,
            "555-0100", quantity, 17,   "PO-1",      shipId, shipName};
}

class JobSelectionTest : public MainWindowTest
{
protected:
    void loadWith(std::vector<std::vector<Value>> orderLines,
                  std::vector<std::vector<Value>> addresses = {})
    {
        m_session.jobLoaded = false; // a window loaded after a selection would stop early
        ASSERT_TRUE(loadOn({withRows(ordersSchema(), std::move(orderLines)),
                            clientTable({{17, "ACME", "1 Main St", Null, "Salem", "OH", "44460",
                                          "Pat", "555-0100"}}),
                            withRows(addressesSchema(), std::move(addresses)),
                            jobLogTable({{"00000001", "Cards", "0", ""},
                                         {"00000002", "Menus", "0", Null},
                                         {"00000003", "Flyers", "0", "Q-3"},
                                         {"00000003", "Flyers again", "0", "Q-9"}})}));
    }

    QStringList keptRows() { return window().draft().partRows.items(); }
    void select(const QString& job) { window().jobs().cboJobs->setText(job); }
};

TEST_F(JobSelectionTest, TakesEveryLineOfTheJobInTableOrderWhereverItLies)
{
    std::vector<std::vector<Value>> orders = {
        line("00000003", 1, "Q", "Quoted flyer"), // a quote under the same number
        line("00000003", 2, "J", "Flyer back", 200), line("00000003", 1, "J", "Flyer front", 300),
        line("00000003", 3, "J", "Flyer insert", 400)};
    for (int i = 0; i < 40; ++i)
        orders.push_back(line("00000009", 1, "J", "Other job"));
    orders.push_back(line("00000003", 4, "J", "Added later", 500)); // far down the table
    loadWith(orders);

    select(QStringLiteral("00000003-Flyers"));
    EXPECT_EQ(keptRows(), QStringList({"200\t0\tFlyer back", "300\t0\tFlyer front",
                                       "400\t0\tFlyer insert", "500\t0\tAdded later"}));
    // The head comes from the first line met, the quote from the job's
    // first JobLog record.
    EXPECT_EQ(window().parts().txtQty->text() + window().parts().txtBO->text() +
                  window().parts().txtDes->text(),
              "2000Flyer back");
    EXPECT_EQ(window().txtQuote->text(), "Quote No: Q-3");
    EXPECT_EQ(window().shipTo().cboSCust->text(), "17-ACME");
    EXPECT_EQ(window().draft().orderNumber, "00000003");
    EXPECT_TRUE(m_session.jobLoaded);
    EXPECT_FALSE(window().pbRefresh->isVisibleTo(&window()));
    EXPECT_TRUE(m_platform.messages.empty());
}

enum Column { Description = 3, AcctName, AcctNo, Phone, PressQty, CustomerId, PurchaseOrder };

// A Null field of the job's first line skips the one step that would have
// used it, or gives the step's default; every other step still runs.
TEST_F(JobSelectionTest, ANullFieldOfTheHeadSkipsOnlyItsOwnStep)
{
    const std::pair<int, QStringList> cases[] = {
        {PressQty, {"typed", "Cards", "PO-1", "555-0100", "17-ACME"}},
        {Description, {"100", "typed", "PO-1", "555-0100", "17-ACME"}},
        {PurchaseOrder, {"100", "Cards", "typed", "555-0100", "17-ACME"}},
        {Phone, {"100", "Cards", "PO-1", "", "17-ACME"}},
        {AcctName, {"100", "Cards", "PO-1", "555-0100", "17-No Name This Job"}},
        {AcctNo, {"100", "Cards", "PO-1", "555-0100", "-ACME"}}};
    for (const auto& [column, expected] : cases) {
        std::vector<Value> first = line("00000001", 1, "J", "Cards", 100);
        first[static_cast<std::size_t>(column)] = Null;
        loadWith({first});
        for (EventTextBox* box : {window().parts().txtQty, window().parts().txtDes, window().txtPO})
            box->setText(QStringLiteral("typed"));
        select(QStringLiteral("00000001-Cards"));
        FrmDelivery& w = window();
        EXPECT_EQ(QStringList({w.parts().txtQty->text(), w.parts().txtDes->text(), w.txtPO->text(),
                               w.txtPhone->text(), w.soldTo().cboCust->text()}),
                  expected)
            << column;
        EXPECT_EQ(window().txtJob->text(), "Order No: 00000001");
    }
}

// On later lines a Null keeps what the part, the part number or the
// customer had from the lines before. Part numbers beyond the part tables are
// kept; a job of part 0 leaves the caption. Job 1's QuoteNo is empty, job 2's
// Null. A ship key is listed when it differs from the shown one; a Null part
// of it is left out, and without both parts there is none.
TEST_F(JobSelectionTest, ANullFieldOfALaterLineKeepsTheEarlierValue)
{
    std::vector<Value> repeatNullQty = line("00000001", 1, "J", "Again", Null, 12, "WAREHOUSE");
    repeatNullQty[CustomerId] = Null; // the ship-to address is still the customer's
    loadWith({line("00000001", 1, "J", "Cards", 100), repeatNullQty,
              line("00000001", 1, "J", Null, 300, 12, "WAREHOUSE"),
              line("00000001", 3, "J", "Third", 400, -4, Null),
              line("00000001", 12, "J", "Odd part", 70, Null, "DOCK"),
              line("00000001", Null, "J", "Last", 500), line("00000002", 0, "J", "Part zero")},
             {{12, "WAREHOUSE", "9 Dock Rd", Null, "Salem", "OH", "44460", 99},
              {13, "Home", "1 Main St", Null, "Troy", "OH", "45373", 17}});
    select(QStringLiteral("00000001-Cards"));
    EXPECT_EQ(keptRows(), QStringList({"100\t0\tCards", "100\t0\tAgain", "300\t0\tAgain",
                                       "400\t0\tThird", "70\t0\tOdd part", "500\t0\tLast"}));
    EXPECT_EQ(window().parts().Label4->text(), "Description: (Part 1 of 13)");
    EXPECT_EQ(window().shipTo().txtShip->text(), "Home\r\n1 Main St\r\n\r\nTroy, OH 45373\r\n");
    EXPECT_EQ(window().shipTo().cboShip->items(), QStringList({" 12-WAREHOUSE", "-4", "-DOCK"}));
    EXPECT_EQ(window().shipTo().cboShip->text(), " 12-WAREHOUSE");
    EXPECT_EQ(window().txtQuote->text(), "");

    window().draft().setPartCaption(QStringLiteral("Description:"));
    select(QStringLiteral("00000002-Menus"));
    EXPECT_EQ(window().parts().Label4->text() + window().txtQuote->text(),
              "Description:Quote No: ");
    EXPECT_EQ(keptRows(), QStringList({"100\t0\tPart zero"}));
}

TEST_F(JobSelectionTest, AJobWithoutOrderLinesIsReportedAndTheTicketCleared)
{
    loadWith({line("00000009", 1, "J", "Other")});
    window().txtPO->setText(QStringLiteral("left over"));
    select(QStringLiteral("00000001-Cards"));
    ASSERT_EQ(messageTexts(),
              QStringList({"Job Found but No Order Detail Found. Please try again."}));
    EXPECT_EQ(window().jobs().cboJobs->text() + window().txtPO->text(), QString());
    EXPECT_TRUE(m_session.jobLoaded);

    // A short job number takes part of the description into its key.
    select(QStringLiteral("9-Other"));
    EXPECT_EQ(m_platform.messages.size(), 2u);

    // An empty "Orders" ends the selection before the job is taken.
    loadWith({});
    select(QStringLiteral("00000001-Cards"));
    EXPECT_FALSE(m_session.jobLoaded);
    EXPECT_EQ(m_platform.messages.size(), 2u);
}

// "Orders" damaged beyond reading while the lists loaded: the selection
// stops as ever, but the operator is told, once per run.
TEST_F(JobSelectionTest, AnOrderTableThatCannotBeReadStopsTheSelectionWithANotice)
{
    loadWith({line("00000003", 1, "J", "Flyer front")});
    m_tables.notices().forgetReported();
    QFile file(m_data.filePath("qmdata.mdb"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    // The catalog's rows follow its one-page definition: "Tables",
    // MSysObjects, then "Orders", whose slot now points off its page.
    const qsizetype ordersSlot = 3 * qsizetype(jet4::kPageSize) + 18;
    bytes[ordersSlot] = char(0xff), bytes[ordersSlot + 1] = char(0x1f);
    ASSERT_TRUE(file.seek(0) && file.write(bytes) == bytes.size());
    file.close();
    ASSERT_TRUE(load());
    ASSERT_EQ(messageTexts(), QStringList());
    const QStringList cleared = keptRows();

    select(QStringLiteral("00000003-Flyers"));
    select(QStringLiteral("00000003-Flyers"));
    EXPECT_EQ(keptRows(), cleared);
    EXPECT_FALSE(window().pbRefresh->isVisibleTo(&window()));
    EXPECT_EQ(messageTexts(),
              QStringList({"The table Orders of the order-entry database could not be read. The "
                           "database may be damaged: please have it repaired in the order-entry "
                           "program."}));
}

TEST_F(JobSelectionTest, SearchPadsTheNumberAndSelectsTheFirstMatchingEntry)
{
    loadWith({line("00000003", 1, "J", "Flyer")});
    window().jobs().Search->setText(QStringLiteral("3"));
    window().Search_KeyPress(13);
    EXPECT_EQ(window().jobs().cboJobs->text(), "00000003-Flyers"); // the first of two entries
    EXPECT_EQ(window().jobs().Search->text(), QString());

    window().jobs().Search->setText(QStringLiteral("123"));
    window().Search_LostFocus(); // leaving with Tab runs the same search
    window().jobs().Search->setText(QStringLiteral("000000003")); // longer than a job number
    window().Search_LostFocus();
    EXPECT_EQ(messageTexts(), QStringList({"Sorry, job 00000123 not available. Try again.",
                                           "Sorry, job 000000003 not available. Try again."}));

    // Without a job list the number is handed to the selection.
    writeSetting("LoadJob.Dat", "F\r\n");
    loadWith({line("00000003", 1, "J", "Flyer")});
    window().jobs().Search->setText(QStringLiteral("3"));
    window().Search_LostFocus();
    EXPECT_EQ(window().jobs().cboJobs->text(), "00000003");
    EXPECT_EQ(window().parts().txtDes->text(), "Flyer");
    EXPECT_EQ(m_platform.messages.size(), 2u);
}

} // namespace
