// The demo database holds what the program reads, in the forms the ticket
// rules care about: jobs of several parts, quotes under job numbers, Nulls
// where the order-entry product leaves fields empty, and parts added to a job
// long after its other lines.

#include "demodata/order_entry_tables.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"

#include <QMap>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DemoData, HoldsEveryFieldAndEveryShapeTheTicketRulesMeet)
{
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("qmdata.mdb"));
    table_source::clearCache();
    jet4::writeDatabase(database.toStdString(), makeOrderEntryTables(DemoSize));
    const auto open = [&](const char* table, QStringList fields) {
        TableCursor cursor;
        cursor.open(database, QString::fromLatin1(table));
        for (const QString& name : fields)
            EXPECT_GE(cursor.fieldIndex(name), 0) << table << "." << name.toStdString();
        return cursor;
    };
    open("Addresses",
         {"AddressID", "ADDRESSNAME", "STREET1", "STREET2", "CITY", "STATE", "ZIP", "CustomerID"});

    TableCursor clients = open("Client", {"ClientID", "Name", "Addr1", "Addr2", "City", "State",
                                          "Zip", "Contact", "Phone"});
    EXPECT_EQ(clients.recordCount(), DemoSize.clients);
    int nullNames = 0;
    for (clients.moveFirst(); !clients.eof(); clients.moveNext())
        nullNames += clients.field(u"Name").isNull();
    EXPECT_GT(nullNames, 0);

    TableCursor jobs = open("JobLog", {"Job", "Description", "Invoiced", "QuoteNo"});
    EXPECT_EQ(jobs.recordCount(), DemoSize.jobs);
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
    EXPECT_GT(nullQuotes * emptyQuotes * nullDescriptions, 0);

    TableCursor orders = open("Orders", {"OrderNo", "PartNo", "QuoteorJob", "Description",
                                         "AcctName", "AcctNo", "Phone", "PressQty", "CustomerID",
                                         "PurchaseOrder", "SHIPTOID", "SHIPTONAME"});
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
        EXPECT_TRUE(it.value() >= 1 && it.value() <= 6) << it.key().toStdString();
        late += lastLine[it.key()] > line - DemoSize.jobs / 100 - 1;
    }
    EXPECT_GE(late, DemoSize.jobs / 100 - 1);
}

} // namespace
