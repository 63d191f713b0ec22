// The demo database holds what the program reads, in the forms the ticket
// rules care about: jobs of several parts, quotes under job numbers, Nulls
// where the order-entry product leaves fields empty, and parts added to a job
// long after its other lines.

#include "demodata/order_entry_tables.h"
#include "orderdb/order_entry_fields.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DemoData, HoldsEveryFieldAndEveryShapeTheTicketRulesMeet)
{
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("qmdata.mdb"));
    jet4::writeDatabase(database.toStdString(), makeOrderEntryTables(DemoSize));
    const TableSource tables;
    const auto open = [&](const char* table) {
        TableCursor cursor(tables);
        const QString name = QString::fromLatin1(table);
        cursor.open(database, name); // only the fields the program reads
        EXPECT_EQ(cursor.fieldCount(), order_entry::fieldsReadFrom(name).size()) << table;
        return cursor;
    };
    open("Addresses");
    TableCursor clients = open("Client");
    EXPECT_EQ(clients.recordCount(), DemoSize.clients);
    int nullNames = 0, nullQuotes = 0, emptyQuotes = 0, nullDescriptions = 0;
    for (clients.moveFirst(); !clients.eof(); clients.moveNext())
        nullNames += clients.field(u"Name").isNull();

    TableCursor jobs = open("JobLog");
    EXPECT_EQ(jobs.recordCount(), DemoSize.jobs);
    QSet<QString> invoiced;
    for (jobs.moveFirst(); !jobs.eof(); jobs.moveNext()) {
        const FieldValue flag = jobs.field(u"Invoiced");
        invoiced.insert(flag.isNull() ? QStringLiteral("<null>") : flag.toText());
        const FieldValue quote = jobs.field(u"QuoteNo");
        nullQuotes += quote.isNull();
        emptyQuotes += !quote.isNull() && quote.toText().isEmpty();
        nullDescriptions += jobs.field(u"Description").isNull();
    }
    EXPECT_EQ(invoiced, QSet<QString>({"0", "1", "<null>"}));
    EXPECT_GT(nullNames * nullQuotes * emptyQuotes * nullDescriptions, 0);

    TableCursor orders = open("Orders");
    QMap<QString, QList<qsizetype>> jobLines; // the lines of each job's parts
    int quotes = 0;
    qsizetype line = 0;
    for (orders.moveFirst(); !orders.eof(); orders.moveNext(), ++line) {
        if (orders.field(u"QuoteorJob").toText() == "J")
            jobLines[orders.field(u"OrderNo").toText()] << line;
        else
            ++quotes;
    }
    EXPECT_EQ(jobLines.size(), DemoSize.jobs);
    EXPECT_GT(quotes, DemoSize.jobs / 20);
    int late = 0;
    for (auto it = jobLines.begin(); it != jobLines.end(); ++it) {
        EXPECT_TRUE(it->size() >= 1 && it->size() <= 6) << it.key().toStdString();
        late += it->last() > line - DemoSize.jobs / 100 - 1;
    }
    EXPECT_GE(late, DemoSize.jobs / 100 - 1);
}

} // namespace
