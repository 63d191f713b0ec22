// Every damage the reader can see is told, and none is read as data: a small
// file per kind of damage, read whole, against the same file sound.

#include "common/runtime_error.h"
#include "jet4/jet4_writer.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"
#include "support/test_files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

namespace {

using jet4::ColumnType;

// Jobs: Job (variable slot 0), Notes (slot 1), Qty (fixed bytes 0-3), Amount
// (fixed bytes 4-11), Code (slot 2). Row 2's notes lie in a chain of three
// long-value pieces; row 3's amount, read as days, is far beyond any calendar.
enum Column { Job, Notes, Qty, Amount, Code };
constexpr int Rows = 5;
const std::string LongNotes = std::string(9990, 'n') + "0123456789";

jet4::Table jobs()
{
    jet4::Table table{"Jobs",
                      {{"Job", ColumnType::Text, 8},
                       {"Notes", ColumnType::Memo},
                       {"Qty", ColumnType::Long},
                       {"Amount", ColumnType::Double},
                       {"Code", ColumnType::Text, 4}}};
    for (int i = 0; i < Rows; ++i)
        table.rows.push_back({"J" + std::to_string(i),
                              i == 2 ? LongNotes : "note " + std::to_string(i), 10 * i,
                              i == 3 ? 5e6 : i + 0.5, "C" + std::to_string(i)});
    return table;
}

QStringList soundRow(int i)
{
    return {"J" + QString::number(i),
            i == 2 ? QString::fromStdString(LongNotes) : "note " + QString::number(i),
            QString::number(10 * i), i == 3 ? "5000000" : QString::number(i + 0.5),
            "C" + QString::number(i)};
}

struct Damage
{
    const char* what;
    std::function<void(std::uint8_t* file, const jet4::TableLayout&)> damage;
    std::set<int> droppedRows;
    std::set<int> nullColumns;
    std::vector<std::tuple<int, int, QString>> cells; // read otherwise than sound ("" for Null)
    qsizetype damaged;
};

// The table definition's column record of a column (no indexes come before).
std::uint8_t* columnRecord(std::uint8_t* file, const jet4::TableLayout& table, int column)
{
    return file + table.definitionPage * jet4::kPageSize + 63 + 25 * column;
}

void putU16(std::uint8_t* at, unsigned value)
{
    at[0] = static_cast<std::uint8_t>(value), at[1] = static_cast<std::uint8_t>(value >> 8);
}

// The row at a slot of a page.
std::uint8_t* rowAt(std::uint8_t* file, std::uint32_t page, int slot)
{
    std::uint8_t* bytes = file + page * jet4::kPageSize;
    return bytes + ((bytes[14 + 2 * slot] | bytes[15 + 2 * slot] << 8) & 0x1fff);
}

// Row 2's long-value field: its length, 0xFF 0xFE and 10,000 one-byte characters.
std::uint8_t* longNotesField(std::uint8_t* file, const jet4::TableLayout& table)
{
    std::uint8_t* page = file + table.firstDataPage * jet4::kPageSize;
    const std::uint8_t length[] = {0x12, 0x27, 0, 0};
    std::uint8_t* field =
        std::search(page, page + jet4::kPageSize, std::begin(length), std::end(length));
    EXPECT_NE(field, page + jet4::kPageSize);
    return field;
}

const Damage Damages[] = {
    {"sound", {}, {}, {}, {}, 0},
    {"a long-value chain that loops back",
     [](std::uint8_t* file, const jet4::TableLayout& table) {
         const std::uint32_t lval = table.firstDataPage + table.dataPageCount;
         std::uint8_t* second = rowAt(file, lval + 1, 0); // a piece fills its page
         putU16(second, lval << 8 & 0xffff), putU16(second + 2, lval >> 8); // back to piece 0
     },
     {2},
     {},
     {},
     1},
    {"a long value claiming a gigabyte",
     [](std::uint8_t* file, const jet4::TableLayout& table) {
         std::uint8_t* field = longNotesField(file, table);
         putU16(field, 0xffff), putU16(field + 2, 0x3fff);
     },
     {2},
     {},
     {},
     1},
    {"an unknown column type",
     [](std::uint8_t* file, const jet4::TableLayout& table) {
         *columnRecord(file, table, Qty) = 0x0d;
     },
     {},
     {Qty},
     {},
     Rows},
    {"text whose type says date",
     [](std::uint8_t* file, const jet4::TableLayout& table) {
         *columnRecord(file, table, Job) = 0x08;
     },
     {},
     {Job},
     {},
     Rows},
    {"a double whose type says date",
     [](std::uint8_t* file, const jet4::TableLayout& table) {
         *columnRecord(file, table, Amount) = 0x08;
     },
     {},
     {},
     {{0, Amount, "12:00:00 PM"},
      {1, Amount, "12/31/1899 12:00:00 PM"},
      {2, Amount, "1/1/1900 12:00:00 PM"},
      {3, Amount, ""},
      {4, Amount, "1/3/1900 12:00:00 PM"}},
     1},
    {"a fixed offset past the fixed area",
     [](std::uint8_t* file, const jet4::TableLayout& table) {
         putU16(columnRecord(file, table, Amount) + 21, 8);
     },
     {},
     {Amount},
     {},
     Rows},
    {"two columns claiming the same bytes",
     [](std::uint8_t* file, const jet4::TableLayout& table) {
         putU16(columnRecord(file, table, Amount) + 21, 2);
     },
     {},
     {Qty, Amount},
     {},
     2 * Rows},
    {"two columns claiming the same variable slot",
     [](std::uint8_t* file, const jet4::TableLayout& table) {
         putU16(columnRecord(file, table, Code) + 7, 0);
     },
     {},
     {Job, Code},
     {},
     2 * Rows},
    {"a null-mask bit beyond the columns",
     [](std::uint8_t* file, const jet4::TableLayout& table) {
         putU16(columnRecord(file, table, Qty) + 5, 200);
     },
     {},
     {Qty},
     {},
     Rows},
};

class DamageNoticeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        table_source::clearCache();
        TableCursor::forgetReportedTables();
        TableCursor::setShortTableReporter(
            [this](const TableCursor::ShortTable& table) { m_reports.push_back(table); });
    }
    void TearDown() override { TableCursor::setShortTableReporter({}); }

    QTemporaryDir m_dir;
    std::vector<TableCursor::ShortTable> m_reports;
};

TEST_F(DamageNoticeTest, EveryDamageSeenIsToldOnceAndNoneIsReadAsData)
{
    for (const Damage& damage : Damages) {
        SCOPED_TRACE(damage.what);
        table_source::clearCache();
        TableCursor::forgetReportedTables();
        m_reports.clear();
        jet4::BuiltDatabase built = jet4::buildDatabase({jobs()});
        if (damage.damage)
            damage.damage(built.bytes.data(), built.layout.table("Jobs"));
        const QString file = m_dir.filePath(QStringLiteral("%1.mdb").arg(&damage - Damages));
        writeFileContents(file, QByteArray(reinterpret_cast<const char*>(built.bytes.data()),
                                           qsizetype(built.bytes.size())));

        QStringList expected;
        for (int i = 0; i < Rows; ++i) {
            if (damage.droppedRows.count(i))
                continue;
            QStringList row = soundRow(i);
            for (const int column : damage.nullColumns)
                row[column] = "<null>";
            for (const auto& [atRow, column, text] : damage.cells) {
                if (atRow == i)
                    row[column] = text.isEmpty() ? "<null>" : text;
            }
            expected << row.join(" | ");
        }
        TableCursor cursor;
        cursor.open(file, QStringLiteral("Jobs"), {});
        QStringList read;
        for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext()) {
            QStringList row;
            for (const QString column : {"Job", "Notes", "Qty", "Amount", "Code"}) {
                const FieldValue value = cursor.field(column);
                row << (value.isNull() ? QStringLiteral("<null>") : value.toText());
            }
            read << row.join(" | ");
        }
        EXPECT_EQ(read.join("\n").toStdString(), expected.join("\n").toStdString());

        TableCursor again; // once per run, not once per open
        again.open(file, QStringLiteral("Jobs"), {});
        ASSERT_EQ(m_reports.size(), damage.damaged ? 1u : 0u);
        if (damage.damaged) {
            EXPECT_EQ(m_reports[0].table, QStringLiteral("Jobs"));
            EXPECT_EQ(m_reports[0].damaged, damage.damaged);
            const QString count = damage.droppedRows.empty() ? QString::number(damage.damaged)
                                                             : QString::number(Rows - 1);
            EXPECT_TRUE(m_reports[0].message().contains(" Jobs ") &&
                        m_reports[0].message().contains(count) &&
                        m_reports[0].message().endsWith(
                            "The database may be damaged: please have it repaired in the "
                            "order-entry program."))
                << m_reports[0].message().toStdString();
        }
    }
}

// A table read in the background that cannot be read at all fails its first
// use, as ever, and is told once; one opened at once is told by its failure.
TEST_F(DamageNoticeTest, ATableReadInTheBackgroundThatCannotBeReadIsToldOnce)
{
    jet4::BuiltDatabase built = jet4::buildDatabase({jobs()});
    // The catalog's third row is the table's entry: its slot points off the page.
    const std::size_t slot = built.layout.catalogFirstDataPage * jet4::kPageSize + 18;
    built.bytes[slot] = 0xff, built.bytes[slot + 1] = 0x1f;
    const QString file = m_dir.filePath(QStringLiteral("qmdata.mdb"));
    writeFileContents(file, QByteArray(reinterpret_cast<const char*>(built.bytes.data()),
                                       qsizetype(built.bytes.size())));

    const int unreadable = int(ErrorCode::UnreadableDatabase);
    EXPECT_EQ(errorNumberOf([&] { TableCursor().open(file, QStringLiteral("Jobs"), {}); }),
              unreadable);
    EXPECT_TRUE(m_reports.empty());
    for (int selection = 0; selection < 2; ++selection) {
        TableCursor cursor;
        cursor.openDeferred(file, QStringLiteral("Jobs"), {});
        cursor.startReading();
        EXPECT_EQ(errorNumberOf([&] { cursor.moveFirst(); }), unreadable);
        EXPECT_FALSE(cursor.isOpen());
    }
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].message(),
              "The table Jobs of the order-entry database could not be read. The database may "
              "be damaged: please have it repaired in the order-entry program.");
}

} // namespace
