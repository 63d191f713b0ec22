// The demo database must hold what the program reads, in the forms the
// ticket rules care about: jobs with several parts, quotes under job numbers,
// Nulls where the order-entry product leaves fields empty, and parts added
// to a job long after its other lines.

#include "demodata/order_entry_tables.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"

#include <QMap>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DemoDataTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_database = s_dir->filePath(QStringLiteral("qmdata.mdb"));
        jet4::writeDatabase(s_database.toStdString(), makeOrderEntryTables(DemoSize));
    }
    static void TearDownTestSuite() { delete s_dir; }

    static TableCursor open(const char* table)
    {
        TableCursor cursor;
        cursor.open(s_database, QString::fromLatin1(table));
        return cursor;
    }

    static QTemporaryDir* s_dir;
    static QString s_database;
};

QTemporaryDir* DemoDataTest::s_dir = nullptr;
QString DemoDataTest::s_database;

TEST_F(DemoDataTest, everyTableHasTheFieldsTheProgramReads)
{
    const std::map<const char*, QStringList> fields = {
        {"Orders",
         {"OrderNo", "PartNo", "QuoteorJob", "Description", "AcctName", "AcctNo", "Phone",
          "PressQty", "CustomerID", "PurchaseOrder", "SHIPTOID", "SHIPTONAME"}},
        {"Client",
         {"ClientID", "Name", "Addr1", "Addr2", "City", "State", "Zip", "Contact", "Phone"}},
        {"Addresses",
         {"AddressID", "ADDRESSNAME", "STREET1", "STREET2", "CITY", "STATE", "ZIP", "CustomerID"}},
        {"JobLog", {"Job", "Description", "Invoiced", "QuoteNo"}}};
    for (const auto& [table, names] : fields) {
        TableCursor cursor = open(table);
        EXPECT_GT(cursor.recordCount(), 0) << table;
        for (const QString& name : names)
            EXPECT_GE(cursor.fieldIndex(name), 0) << table << "." << name.toStdString();
    }
    EXPECT_EQ(open("Client").recordCount(), DemoSize.clients);
    EXPECT_EQ(open("JobLog").recordCount(), DemoSize.jobs);
}

TEST_F(DemoDataTest, jobsHaveOneToFivePartsAndSomeLatePartsAtTheEnd)
{
    TableCursor orders = open("Orders");
    QMap<QString, int> parts;
    QMap<QString, qsizetype> lastLine;
    int quotes = 0;
    qsizetype line = 0;
    for (orders.moveFirst(); !orders.eof(); orders.moveNext(), ++line) {
        const QString job = orders.field(u"OrderNo").toText();
        if (orders.field(u"QuoteorJob").toText() != "J") {
            ++quotes;
            continue;
        }
        parts[job] += 1;
        lastLine[job] = line;
    }
    EXPECT_EQ(parts.size(), DemoSize.jobs);
    EXPECT_GT(quotes, DemoSize.jobs / 20);
    int late = 0;
    for (auto it = parts.begin(); it != parts.end(); ++it) {
        EXPECT_GE(it.value(), 1);
        EXPECT_LE(it.value(), 6);
        late += lastLine[it.key()] > line - DemoSize.jobs / 100 - 1;
    }
    EXPECT_GE(late, DemoSize.jobs / 100 - 1);
}

TEST_F(DemoDataTest, invoicedNullsAndEmptyQuotesAreMixedIn)
{
    TableCursor jobs = open("JobLog");
    QSet<QString> invoiced;
    int nullQuotes = 0, emptyQuotes = 0, nullDescriptions = 0;
    for (jobs.moveFirst(); !jobs.eof(); jobs.moveNext()) {
        const FieldValue flag = jobs.field(u"Invoiced");
        invoiced.insert(flag.isNull() ? QStringLiteral("<null>") : flag.toText());
        const FieldValue quote = jobs.field(u"QuoteNo");
        nullQuotes += quote.isNull();
        emptyQuotes += !quote.isNull() && quote.toText().isEmpty();
        nullDescriptions += jobs.field(u"Description").isNull();
    }
    EXPECT_EQ(invoiced, QSet<QString>({"0", "1", "<null>"}));
    EXPECT_GT(nullQuotes, 0);
    EXPECT_GT(emptyQuotes, 0);
    EXPECT_GT(nullDescriptions, 0);

    TableCursor clients = open("Client");
    int nullNames = 0;
    for (clients.moveFirst(); !clients.eof(); clients.moveNext())
        nullNames += clients.field(u"Name").isNull();
    EXPECT_GT(nullNames, 0);
}

} // namespace
