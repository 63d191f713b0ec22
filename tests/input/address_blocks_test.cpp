// The punctuation of the ticket's address blocks, one rule per row: the
// customer blocks keep their separators around empty parts, the job's ship-to
// block leaves out the separator of a Null part.

#include "input/customer_blocks.h"
#include "input/order_lines.h"
#include "support/main_window_fixture.h"

namespace {

using jet4::Null;

const char* const NullText = "<null>";

FieldValue field(const char* text)
{
    return text == NullText ? FieldValue() : FieldValue::text(QString::fromUtf8(text));
}

jet4::Value value(const char* text)
{
    return text == NullText ? jet4::Value(Null) : jet4::Value(text);
}

struct AddressCase
{
    const char* parts[5];      // both streets, city, state, zip
    const char* customerBlock; // street lines and city line
    const char* shipToBlock;   // of a job: name, both streets, city line
};

const AddressCase Cases[] = {
    {{"1 Main", "Suite 4", "Salem", "OH", "44460"},
     "1 Main\r\nSuite 4\r\nSalem, OH 44460\r\n",
     "N\r\n1 Main\r\nSuite 4\r\nSalem, OH 44460\r\n"},
    {{"1 Main", NullText, "Salem", NullText, "44460"},
     "1 Main\r\nSalem,  44460\r\n",
     "N\r\n1 Main\r\n\r\nSalem 44460\r\n"},
    {{"", "Rear", "Troy", "OH", NullText},
     "Rear\r\nTroy, OH \r\n",
     "N\r\n\r\nRear\r\nTroy, OH\r\n"},
    {{NullText, "", NullText, NullText, NullText}, ",  \r\n", "N\r\n\r\n\r\n\r\n"},
    {{"1 Main", "", "", "", ""}, "1 Main\r\n,  \r\n", "N\r\n1 Main\r\n\r\n,  \r\n"},
};

TEST(AddressBlocks, CustomerBlocksKeepTheirSeparatorsAndLeaveOutEmptyStreets)
{
    for (const AddressCase& c : Cases) {
        EXPECT_EQ(
            addressLines(field(c.parts[0]), field(c.parts[1])) +
                CityStateZip::of(field(c.parts[2]), field(c.parts[3]), field(c.parts[4])).line(),
            c.customerBlock);
    }
}

TEST(AddressBlocks, TheJobsShipToBlockLeavesOutTheSeparatorOfANullPart)
{
    QTemporaryDir dir;
    const QString database = QDir(dir.path()).filePath(QStringLiteral("qmdata.mdb"));
    jet4::Table addresses = addressesSchema();
    for (const AddressCase& c : Cases)
        addresses.rows.push_back({1, "N", value(c.parts[0]), value(c.parts[1]), value(c.parts[2]),
                                  value(c.parts[3]), value(c.parts[4]), 17});
    jet4::writeDatabase(database.toStdString(), {addresses});
    TableCursor cursor{TableSource()};
    cursor.open(database, QStringLiteral("Addresses"));
    for (const AddressCase& c : Cases) {
        EXPECT_EQ(shipToAddressBlock(cursor), c.shipToBlock);
        cursor.moveNext();
    }
}

} // namespace
