// The sold-to, ship-to customer and ship-to address rules without a window:
// the blocks they put into the draft byte for byte, typing against picking,
// and where they leave the Client and Addresses cursors.

#include "input/customer_selection.h"
#include "input/ticket_draft.h"

#include "demodata/order_entry_schema.h"
#include "jet4/jet4_writer.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using jet4::Null;

jet4::Table withRows(jet4::Table table, std::vector<std::vector<jet4::Value>> rows)
{
    table.rows = std::move(rows);
    return table;
}

// Two customers named ACME (the second with a Null State), one with only
// Addr2 and no city parts, one with a Null name just before one with an empty
// name, and one without number.
jet4::Table sampleClients()
{
    return withRows(
        clientSchema(),
        {{17, "ACME", "1 Main St", "Suite 4", "Salem", "OH", "44460", "Pat", "555-0100"},
         {18, "Beta Co", "", "Rear Dock", Null, Null, Null, Null, Null},
         {19, "ACME", "9 Side Rd", Null, "Canton", Null, "44701", "Lee", "555-0199"},
         {21, Null, "Ghost Rd", Null, Null, Null, Null, Null, Null},
         {20, "", "Lot 5", Null, "Nowhere", "KS", "66000", "", Null},
         {Null, "Gamma", "3 Gamma Way", Null, "Kent", "OH", "44240", Null, Null}});
}

jet4::Table sampleAddresses()
{
    return withRows(addressesSchema(),
                    {{12, "WAREHOUSE", "100 Dock Rd", "Bay 3", "Akron", "OH", "44301", 17},
                     {-3, "YARD", "", Null, Null, Null, Null, 17},
                     {7, Null, "7 Null Ln", Null, "Kent", "OH", "44240", 17},
                     {Null, "DEPOT", "1 Depot St", Null, "Ravenna", "OH", "44266", 17},
                     {12, "WAREHOUSE", "Second Dock", Null, "Akron", "OH", "44301", 17}});
}

const QString AcmeByPick = "ACME\r\n1 Main St\r\nSuite 4\r\nSalem, OH 44460\r\nPat";
const QString WarehouseBlock = "WAREHOUSE\r\n100 Dock Rd\r\nBay 3\r\nAkron, OH 44301\r\n";

class CustomerSelectionRulesTest : public ::testing::Test
{
protected:
    CustomerSelectionRulesTest()
    {
        const QString file = m_folder.filePath("qmdata.mdb");
        jet4::writeDatabase(file.toStdString(), {sampleClients(), sampleAddresses()});
        m_clients.open(file, "Client");
        m_addresses.open(file, "Addresses");
    }

    QTemporaryDir m_folder;
    TableSource m_tables;
    TableCursor m_clients{m_tables};
    TableCursor m_addresses{m_tables};
    TicketDraft m_draft;
    CustomerSelection m_selection{m_draft, m_clients, m_addresses};
};

// Typing looks the customer up by the name after the first dash (the
// number is not looked at: the first ACME wins) and adds contact and phone
// lines; an empty text changes nothing, an unknown name empties the block.
TEST_F(CustomerSelectionRulesTest, TypingOrPickingTheSoldToCustomerBuildsItsBlocks)
{
    const std::pair<const char*, const char*> typed[] = {
        {"17-ACME", "ACME\r\n1 Main St\r\nSuite 4\r\nSalem, OH 44460\r\nPat\r\n555-0100\r\n"},
        {"18-Beta Co", "Beta Co\r\nRear Dock\r\n,  \r\n"},
        {"", "Beta Co\r\nRear Dock\r\n,  \r\n"},
        {"17-AC", ""},
        {"Walkin", "\r\nLot 5\r\nNowhere, KS 66000\r\n\r\n"}, // no dash: the empty name
        {"-Gamma", "Gamma\r\n3 Gamma Way\r\nKent, OH 44240\r\n"},
        {"19-ACME", "ACME\r\n1 Main St\r\nSuite 4\r\nSalem, OH 44460\r\nPat\r\n555-0100\r\n"}};
    for (const auto& [text, block] : typed) {
        m_selection.soldToTyped(text);
        EXPECT_EQ(m_draft.soldToText, block) << text;
    }
    EXPECT_EQ(m_draft.shipToText, "");

    // Picking fills both blocks, ending with the contact and no phone, and
    // makes the customer the ship-to customer.
    m_draft.setShipToText("old ship-to\r\n");
    m_selection.soldToPicked("19-ACME");
    EXPECT_EQ(m_draft.soldToText, AcmeByPick);
    EXPECT_EQ(m_draft.shipToText, AcmeByPick);
    EXPECT_EQ(m_draft.shipToCustomer, "19-ACME");
    EXPECT_EQ(m_clients.field(u"ClientID").toText(), "17");

    // A leading dash leaves no name: the customer with the empty name, whose
    // empty contact adds nothing after the city line.
    m_selection.soldToPicked("-Gamma");
    EXPECT_EQ(m_draft.soldToText, "\r\nLot 5\r\nNowhere, KS 66000\r\n");

    m_selection.soldToPicked("17-Nobody");
    EXPECT_EQ(m_draft.soldToText + m_draft.shipToText, "");
    EXPECT_TRUE(m_clients.eof());
}

TEST_F(CustomerSelectionRulesTest, ShipToPickStacksEveryCustomerOfTheName)
{
    m_selection.shipToCustomerPicked("17-ACME");
    // The second ACME's Null State repeats the first one's.
    EXPECT_EQ(m_draft.shipToText, "ACME\r\n1 Main St\r\nSuite 4\r\nSalem, OH 44460\r\nPat\r\n"
                                  "9 Side Rd\r\nCanton, OH 44701\r\nLee\r\n");
    EXPECT_TRUE(m_clients.eof());
    EXPECT_EQ(m_draft.soldToText, "");

    const std::pair<const char*, const char*> picked[] = {
        {"-Gamma", "Gamma\r\n3 Gamma Way\r\nKent, OH 44240\r\n"},
        {"Walkin", "\r\nLot 5\r\nNowhere, KS 66000\r\n\r\n"},
        {"1-Nobody", ""}};
    for (const auto& [text, block] : picked) {
        m_selection.shipToCustomerPicked(text);
        EXPECT_EQ(m_draft.shipToText, block) << text;
    }
}

// Typing needs the whole key with its leading blank (a record with a Null
// part has no key); picking leaves Null parts out and keeps the block when
// nothing matches. "Addresses" stays on the first record found, or past its end.
TEST_F(CustomerSelectionRulesTest, ShipKeysFindTheirAddressWhenTypedOrPicked)
{
    const std::tuple<bool, const char*, QString, const char*> cases[] = {
        {false, " 12-WARE", "", nullptr},
        {false, " 12-WAREHOUSE", WarehouseBlock, "100 Dock Rd"},
        {false, "-3-YARD", "YARD\r\n,  \r\n", ""},
        {false, "12-WAREHOUSE", "", nullptr},
        {false, " 7", "", nullptr},
        {false, "-DEPOT", "", nullptr},
        {true, " 7", "\r\n7 Null Ln\r\nKent, OH 44240\r\n", "7 Null Ln"},
        {true, "-DEPOT", "DEPOT\r\n1 Depot St\r\nRavenna, OH 44266\r\n", "1 Depot St"},
        {true, "12-WAREHOUSE", "old\r\n", nullptr},
        {true, " 12-WAREHOUSE", WarehouseBlock, "100 Dock Rd"}};
    for (const auto& [picked, key, block, street] : cases) {
        m_draft.setShipToText("old\r\n");
        if (picked)
            m_selection.shipToAddressPicked(key);
        else
            m_selection.shipToAddressTyped(key);
        EXPECT_EQ(m_draft.shipToText, block) << key;
        EXPECT_EQ(m_addresses.eof() ? "<eof>" : m_addresses.field(u"STREET1").toText(),
                  street ? street : "<eof>")
            << key;
    }
}

} // namespace
