// Deleted records: Access leaves them in their pages until the database is
// compacted, so every live order-entry database holds deleted orders,
// customers and jobs. None may come back, whatever lies next to it.

#include "demodata/order_entry_schema.h"
#include "jet4/jet4_writer.h"
#include "orderdb/order_entry_fields.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using jet4::ColumnType;

// Rows in groups of three that share the table's key (its first column: the
// job, customer or address): live, deleted, live. The first and the last row
// are deleted too, so deleted records also stand at page edges. A deleted
// record's texts start with "gone", a live one's with "kept".
struct Rows
{
    jet4::Table table;
    std::vector<QStringList> live; // as the cursor reads them
};

Rows withDeletedRecords(jet4::Table table, int count)
{
    std::vector<QStringList> live;
    for (int i = 0; i < count; ++i) {
        const bool deleted = i % 3 == 1 || i == 0 || i == count - 1;
        std::vector<jet4::Value> values;
        QStringList text;
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const jet4::Column& column = table.columns[c];
            if (column.type == ColumnType::Text) {
                const std::string value =
                    (c == 0 ? std::to_string(10000000 + i / 3)
                            : (deleted ? "gone " : "kept ") + std::to_string(i))
                        .substr(0, static_cast<std::size_t>(column.length));
                values.emplace_back(value);
                text << QString::fromStdString(value);
            } else {
                const int value = c == 0 ? i / 3 : i;
                values.emplace_back(value);
                text << QString::number(value);
            }
        }
        table.rows.push_back(values);
        if (deleted)
            table.deletedRows.push_back(static_cast<std::size_t>(i));
        else
            live.push_back(text);
    }
    return {table, live};
}

TEST(DeletedRecords, NeverComeBackInAnyOfTheFourTables)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Enough rows for several data pages in each table.
    std::vector<Rows> tables = {
        withDeletedRecords(ordersSchema(), 700), withDeletedRecords(clientSchema(), 700),
        withDeletedRecords(addressesSchema(), 700), withDeletedRecords(jobLogSchema(), 700)};
    std::vector<jet4::Table> written;
    for (const Rows& rows : tables)
        written.push_back(rows.table);
    const QString file = dir.filePath(QStringLiteral("qmdata.mdb"));
    jet4::writeDatabase(file.toStdString(), written);

    const TableSource source;
    int reports = 0;
    source.notices().setReporter([&](const ShortTable&) { ++reports; });
    for (const Rows& rows : tables) {
        const QString name = QString::fromStdString(rows.table.name);
        SCOPED_TRACE(name.toStdString());
        TableCursor cursor(source);
        cursor.open(file, name);
        const QStringList fields = order_entry::fieldsReadFrom(name);
        std::vector<QStringList> read;
        for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext()) {
            QStringList row;
            for (const QString& field : fields)
                row << cursor.field(field).toText();
            read.push_back(row);
        }
        EXPECT_EQ(read, rows.live);
    }
    EXPECT_EQ(reports, 0); // the definitions count live records only
}

} // namespace
