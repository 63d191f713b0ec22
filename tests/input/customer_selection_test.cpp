// Sold-to customer, ship-to customer and ship-to address selection through
// the main window: the blocks they build byte for byte, typing against
// picking, and where they leave the Client and Addresses cursors.

#include "support/main_window_fixture.h"

namespace {

using jet4::Null;

// Two customers named ACME (the second with a Null State), one with only
// Addr2 and no city parts, one with a Null name just before one with an empty
// name, and one without number.
jet4::Table sampleClients()
{
    return clientTable(
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

class CustomerSelectionTest : public MainWindowTest
{
protected:
    void loadWith(jet4::Table clients, jet4::Table addresses = sampleAddresses())
    {
        ASSERT_TRUE(
            loadOn({ordersSchema(), std::move(clients), std::move(addresses), jobLogSchema()}));
    }
};

// Typing looks the customer up by the name after the first dash (the
// number is not looked at: the first ACME wins) and adds contact and phone
// lines; an empty text changes nothing, an unknown name empties the block.
TEST_F(CustomerSelectionTest, TypingOrPickingTheSoldToCustomerBuildsItsBlocks)
{
    loadWith(sampleClients());
    const std::pair<const char*, const char*> typed[] = {
        {"17-ACME", "ACME\r\n1 Main St\r\nSuite 4\r\nSalem, OH 44460\r\nPat\r\n555-0100\r\n"},
        {"18-Beta Co", "Beta Co\r\nRear Dock\r\n,  \r\n"},
        {"", "Beta Co\r\nRear Dock\r\n,  \r\n"},
        {"17-AC", ""},
        {"Walkin", "\r\nLot 5\r\nNowhere, KS 66000\r\n\r\n"}, // no dash: the empty name
        {"-Gamma", "Gamma\r\n3 Gamma Way\r\nKent, OH 44240\r\n"},
        {"19-ACME", "ACME\r\n1 Main St\r\nSuite 4\r\nSalem, OH 44460\r\nPat\r\n555-0100\r\n"}};
    for (const auto& [text, block] : typed) {
        window().soldTo().cboCust->setText(text);
        EXPECT_EQ(window().soldTo().txtCust->text(), block) << text;
    }
    EXPECT_EQ(window().shipTo().txtShip->text(), "");

    // Picking fills both blocks, ending with the contact and no phone.
    window().shipTo().txtShip->setText("old ship-to\r\n");
    pick(window().soldTo().cboCust, "19-ACME");
    EXPECT_EQ(window().soldTo().txtCust->text(), AcmeByPick);
    EXPECT_EQ(window().shipTo().txtShip->text(), AcmeByPick);
    EXPECT_EQ(window().Data2.field(u"ClientID").toText(), "17");

    // A leading dash leaves no name: the customer with the empty name, whose
    // empty contact adds nothing after the city line.
    pick(window().soldTo().cboCust, "-Gamma");
    EXPECT_EQ(window().soldTo().txtCust->text(), "\r\nLot 5\r\nNowhere, KS 66000\r\n");

    pick(window().soldTo().cboCust, "17-Nobody");
    EXPECT_EQ(window().soldTo().txtCust->text() + window().shipTo().txtShip->text(), "");
    EXPECT_TRUE(window().Data2.eof());
}

TEST_F(CustomerSelectionTest, ShipToPickStacksEveryCustomerOfTheName)
{
    loadWith(sampleClients());
    window().shipTo().txtShip->setText("kept\r\n");
    window().shipTo().cboSCust->setText("17-ACME"); // typing changes nothing
    EXPECT_EQ(window().shipTo().txtShip->text(), "kept\r\n");

    pick(window().shipTo().cboSCust, "17-ACME");
    // The second ACME's Null State repeats the first one's.
    EXPECT_EQ(window().shipTo().txtShip->text(),
              "ACME\r\n1 Main St\r\nSuite 4\r\nSalem, OH 44460\r\nPat\r\n"
              "9 Side Rd\r\nCanton, OH 44701\r\nLee\r\n");
    EXPECT_TRUE(window().Data2.eof());
    EXPECT_EQ(window().soldTo().txtCust->text(), "");

    pick(window().shipTo().cboSCust, "-Gamma");
    EXPECT_EQ(window().shipTo().txtShip->text(), "Gamma\r\n3 Gamma Way\r\nKent, OH 44240\r\n");
    pick(window().shipTo().cboSCust, "Walkin");
    EXPECT_EQ(window().shipTo().txtShip->text(), "\r\nLot 5\r\nNowhere, KS 66000\r\n\r\n");
    pick(window().shipTo().cboSCust, "1-Nobody");
    EXPECT_EQ(window().shipTo().txtShip->text(), "");
}

// Typing needs the whole key with its leading blank (a record with a Null
// part has no key); picking leaves Null parts out and keeps the block when
// nothing matches. "Addresses" stays on the first record found, or past its end.
TEST_F(CustomerSelectionTest, ShipKeysFindTheirAddressWhenTypedOrPicked)
{
    loadWith(clientSchema());
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
        window().shipTo().txtShip->setText("old\r\n");
        if (picked)
            pick(window().shipTo().cboShip, key);
        else
            window().shipTo().cboShip->setText(key);
        EXPECT_EQ(window().shipTo().txtShip->text(), block) << key;
        EXPECT_EQ(window().Data3.eof() ? "<eof>" : window().Data3.field(u"STREET1").toText(),
                  street ? street : "<eof>")
            << key;
    }
}

TEST_F(CustomerSelectionTest, AFailedReadStopsTheHandlerKeepingWhatItFilled)
{
    // A Client table without Phone: only typing reads it.
    jet4::Table clients =
        clientTable({{17, "ACME", "1 Main St", "Suite 4", "Salem", "OH", "44460", "Pat"}});
    clients.columns.pop_back();
    loadWith(std::move(clients));
    window().soldTo().txtCust->setText("old\r\n");
    EXPECT_NO_THROW(window().soldTo().cboCust->setText("17-ACME"));
    EXPECT_EQ(window().soldTo().txtCust->text(), "");
    EXPECT_EQ(window().Data2.field(u"ClientID").toText(), "17");
    pick(window().soldTo().cboCust, "17-ACME");
    EXPECT_EQ(window().soldTo().txtCust->text(), AcmeByPick);
}

} // namespace
