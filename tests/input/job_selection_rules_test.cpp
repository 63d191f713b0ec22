// Job selection without a window: what it puts into the draft from the
// job's order lines, what it reports to the progress bar, and where the
// ship-to address is looked for.

#include "input/customer_selection.h"
#include "input/job_selection.h"
#include "input/ticket_draft.h"

#include "common/session.h"
#include "demodata/order_entry_schema.h"
#include "jet4/jet4_writer.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"
#include "settings/data_folder_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using jet4::Null;
using jet4::Value;
using Rows = std::vector<std::vector<Value>>;

jet4::Table withRows(jet4::Table table, Rows rows)
{
    table.rows = std::move(rows);
    return table;
}

// An order line: job, part, kind, description, quantity, ship-to id and name.
std::vector<Value> line(const char* job, Value part, const char* kind, Value description,
                        Value quantity = 100, Value shipId = Null, Value shipName = Null)
{
    return {job,        part,     kind, description, "ACME", 17,
            "555-0100", quantity, 17,   "PO-1",      shipId, shipName};
}

struct RecordedProgress final : JobScanProgress
{
    void started(qint64 records) override { calls << QStringLiteral("started %1").arg(records); }
    void shown(bool visible) override { calls << (visible ? "shown" : "hidden"); }
    void visited(qint64 records) override { last = records; }
    QStringList calls;
    qint64 last = 0;
};

class JobSelectionRulesTest : public ::testing::Test
{
protected:
    void open(Rows orders, Rows addresses = {})
    {
        m_tables.clearCache(); // the file is written anew under the same name
        m_session.dataFolder = m_folder.path();
        const QString file = databasePath(m_session.dataFolder);
        jet4::writeDatabase(file.toStdString(),
                            {withRows(ordersSchema(), std::move(orders)),
                             withRows(clientSchema(), {{17, "ACME", "1 Main St", Null, "Salem",
                                                        "OH", "44460", "Pat", "555-0100"}}),
                             withRows(addressesSchema(), std::move(addresses)),
                             withRows(jobLogSchema(), {{"00000001", "Cards", "0", "Q-1"}})});
        m_orders.open(file, "Orders");
        m_clients.open(file, "Client");
        m_addresses.open(file, "Addresses");
    }

    JobSelection::Outcome select(const QString& job) { return m_selection.select(job, m_progress); }

    QTemporaryDir m_folder;
    Session m_session;
    TableSource m_tables;
    TableCursor m_orders{m_tables}, m_clients{m_tables}, m_addresses{m_tables}, m_jobLog{m_tables};
    TicketDraft m_draft;
    CustomerSelection m_customers{m_draft, m_clients, m_addresses};
    JobSelection m_selection{m_draft, m_session, m_customers, {m_orders, m_addresses, m_jobLog}};
    RecordedProgress m_progress;
};

// The head from the first line, a row per line, the first key's address,
// and the sold-to customer looked up as if typed.
TEST_F(JobSelectionRulesTest, FillsTheDraftFromTheJobsLines)
{
    open({line("00000009", 1, "J", "Other"), line("00000001", 1, "J", "Cards", 250, 5, "DOCK"),
          line("00000001", 2, "J", Null, 300, 6, "YARD")},
         {{5, "DOCK", "2 Pier Rd", Null, "Salem", "OH", "44460", 17}});
    m_draft.setShipToText("old\r\n");

    EXPECT_EQ(select("00000001-Cards"), JobSelection::Outcome::Filled);
    EXPECT_EQ(m_draft.partRows.items(), QStringList({"250\t0\tCards", "300\t0\t"}));
    EXPECT_EQ(m_draft.partCaption(), "Description: (Part 1 of 2)");
    EXPECT_EQ(m_draft.jobCaption() + "|" + m_draft.quoteCaption() + "|" + m_draft.orderNumber,
              "Order No: 00000001|Quote No: Q-1|00000001");
    EXPECT_EQ(QStringList({m_draft.purchaseOrder, m_draft.phone, m_draft.soldToCustomer,
                           m_draft.shipToCustomer}),
              QStringList({"PO-1", "555-0100", "17-ACME", "17-ACME"}));
    EXPECT_EQ(m_draft.soldToText, "ACME\r\n1 Main St\r\nSalem, OH 44460\r\nPat\r\n555-0100\r\n");
    EXPECT_EQ(m_draft.shipKeys(), QStringList({" 5-DOCK", " 6-YARD"}));
    EXPECT_EQ(m_draft.shipKey, " 5-DOCK");
    EXPECT_EQ(m_draft.shipToText, "DOCK\r\n2 Pier Rd\r\n\r\nSalem, OH 44460\r\n");
    EXPECT_EQ(m_progress.calls, QStringList({"started 3", "shown", "hidden"}));
    EXPECT_EQ(m_progress.last, 3);
    EXPECT_TRUE(m_session.jobLoaded);

    // A job without lines is reported; the keys and the block stay emptied.
    EXPECT_EQ(select("00000002-Menus"), JobSelection::Outcome::NoOrderDetail);
    EXPECT_EQ(m_draft.shipKeys(), QStringList());
    EXPECT_EQ(m_draft.shipKey + m_draft.shipToText, "");
}

// Only a first part's key fills the ship-to block. The customer's address is
// found after the ship key's record; only before it, the ship key's own block
// stays; an unknown key leaves "Addresses" past its end.
TEST_F(JobSelectionRulesTest, TheCustomersAddressIsLookedForFromWhereTheKeyLookupStopped)
{
    const Rows addresses = {{1, "Early Dock", "1 First St", Null, "Salem", "OH", "44460", 17},
                            {12, "WAREHOUSE", "9 Dock Rd", "Bay 2", "Salem", Null, "44460", 99},
                            {13, "Late Dock", "5 Last St", Null, "Troy", "OH", Null, 17}};
    const std::tuple<int, int, std::size_t, const char*> cases[] = {
        {1, 12, 3, "Late Dock\r\n5 Last St\r\n\r\nTroy, OH\r\n"},
        {1, 12, 2, "WAREHOUSE\r\n9 Dock Rd\r\nBay 2\r\nSalem,  44460\r\n"},
        {1, 77, 3, ""},
        {2, 12, 3, ""}};
    for (const auto& [part, key, records, block] : cases) {
        open({line("00000001", part, "J", "A", 1, key, "WAREHOUSE")},
             {addresses.begin(), addresses.begin() + static_cast<std::ptrdiff_t>(records)});
        m_draft.setShipKey(QString());
        select("00000001-Cards");
        EXPECT_EQ(m_draft.shipToText, block) << part << " " << key << " " << records;
    }
}

} // namespace
