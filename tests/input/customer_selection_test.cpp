// Sold-to customer, ship-to customer and ship-to address selection through
// the main window: the boxes run the rules (tested on their own in
// customer_selection_rules_test.cpp) and show what they build, and a failed
// read stops a handler quietly.

#include "support/main_window_fixture.h"

namespace {

using jet4::Null;

jet4::Table sampleClients()
{
    return clientTable(
        {{17, "ACME", "1 Main St", "Suite 4", "Salem", "OH", "44460", "Pat", "555-0100"},
         {Null, "Gamma", "3 Gamma Way", Null, "Kent", "OH", "44240", Null, Null}});
}

jet4::Table sampleAddresses()
{
    return withRows(addressesSchema(),
                    {{12, "WAREHOUSE", "100 Dock Rd", "Bay 3", "Akron", "OH", "44301", 17},
                     {Null, "DEPOT", "1 Depot St", Null, "Ravenna", "OH", "44266", 17}});
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

// The boxes hand their text to the selection rules and show the blocks
// they build; typing into the ship-to customer box changes nothing.
TEST_F(CustomerSelectionTest, TheBoxesRunTheirRulesAndShowTheBlocks)
{
    loadWith(sampleClients());
    window().soldTo().cboCust->setText("17-ACME");
    EXPECT_EQ(window().soldTo().txtCust->text(),
              "ACME\r\n1 Main St\r\nSuite 4\r\nSalem, OH 44460\r\nPat\r\n555-0100\r\n");
    pick(window().soldTo().cboCust, "17-ACME");
    EXPECT_EQ(window().soldTo().txtCust->text(), AcmeByPick);
    EXPECT_EQ(window().shipTo().txtShip->text(), AcmeByPick);
    EXPECT_EQ(window().shipTo().cboSCust->text(), "17-ACME");

    window().shipTo().txtShip->setText("kept\r\n");
    window().shipTo().cboSCust->setText("-Gamma");
    EXPECT_EQ(window().shipTo().txtShip->text(), "kept\r\n");
    pick(window().shipTo().cboSCust, "-Gamma");
    EXPECT_EQ(window().shipTo().txtShip->text(), "Gamma\r\n3 Gamma Way\r\nKent, OH 44240\r\n");

    window().shipTo().cboShip->setText(" 12-WAREHOUSE");
    EXPECT_EQ(window().shipTo().txtShip->text(), WarehouseBlock);
    pick(window().shipTo().cboShip, "-DEPOT");
    EXPECT_EQ(window().shipTo().txtShip->text(), "DEPOT\r\n1 Depot St\r\nRavenna, OH 44266\r\n");
    EXPECT_EQ(window().draft().soldToText + window().draft().shipToText,
              AcmeByPick + "DEPOT\r\n1 Depot St\r\nRavenna, OH 44266\r\n");
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
