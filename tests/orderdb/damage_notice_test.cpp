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

// Where a damage is made: a field of a column's definition record, or row
// 2's long value.
enum Target { Sound = -1, ChainLoop = -2, HugeLength = -3 };
enum RecordField { TypeCode = 0, MaskBit = 5, VariableSlot = 7, FixedOffset = 21 };

struct Read
{
    std::set<int> dropped = {};        // rows
    std::set<int> nulls = {};          // columns read as Null in every row
    std::vector<QString> amounts = {}; // the Amount column, where it reads otherwise
    qsizetype damaged = 0;
};

struct Damage
{
    const char* what;
    int target; // a Column, or a Target
    int field;
    unsigned value;
    Read read;
};

const Damage Damages[] = {
    {"sound", Sound, 0, 0, {}},
    {"a long-value chain that loops back", ChainLoop, 0, 0, {.dropped = {2}, .damaged = 1}},
    {"a long value claiming a gigabyte", HugeLength, 0, 0, {.dropped = {2}, .damaged = 1}},
    {"an unknown column type", Qty, TypeCode, 0x0d, {.nulls = {Qty}, .damaged = Rows}},
    {"text whose type says date", Job, TypeCode, 0x08, {.nulls = {Job}, .damaged = Rows}},
    {"a double whose type says date",
     Amount,
     TypeCode,
     0x08,
     {.amounts = {"12:00:00 PM", "12/31/1899 12:00:00 PM", "1/1/1900 12:00:00 PM", "<null>",
                  "1/3/1900 12:00:00 PM"},
      .damaged = 1}},
    {"a fixed offset past the fixed area",
     Amount,
     FixedOffset,
     8,
     {.nulls = {Amount}, .damaged = Rows}},
    {"two columns claiming the same bytes",
     Amount,
     FixedOffset,
     2,
     {.nulls = {Qty, Amount}, .damaged = 2 * Rows}},
    {"two columns claiming one variable slot",
     Code,
     VariableSlot,
     0,
     {.nulls = {Job, Code}, .damaged = 2 * Rows}},
    {"a null-mask bit beyond the columns", Qty, MaskBit, 200, {.nulls = {Qty}, .damaged = Rows}},
};

void putU16(std::uint8_t* at, unsigned value)
{
    at[0] = static_cast<std::uint8_t>(value), at[1] = static_cast<std::uint8_t>(value >> 8);
}

void damage(const Damage& damage, std::uint8_t* file, const jet4::TableLayout& table)
{
    if (damage.target >= 0) {
        // The definition's column records follow its head (no indexes come first).
        std::uint8_t* record = file + table.definitionPage * jet4::kPageSize + 63 +
                               25 * static_cast<std::size_t>(damage.target);
        if (damage.field == TypeCode)
            record[0] = static_cast<std::uint8_t>(damage.value);
        else
            putU16(record + damage.field, damage.value);
    } else if (damage.target == ChainLoop) {
        // Each piece fills a long-value page: the second one's next piece
        // becomes the first.
        const std::uint32_t first = table.firstDataPage + table.dataPageCount;
        std::uint8_t* page = file + (first + 1) * jet4::kPageSize;
        std::uint8_t* second = page + ((page[14] | page[15] << 8) & 0x1fff);
        putU16(second, first << 8 & 0xffff), putU16(second + 2, first >> 8);
    } else if (damage.target == HugeLength) {
        // Row 2's field: the length of 0xFF 0xFE and 10,000 one-byte characters.
        std::uint8_t* page = file + table.firstDataPage * jet4::kPageSize;
        const std::uint8_t length[] = {0x12, 0x27, 0, 0};
        std::uint8_t* field =
            std::search(page, page + jet4::kPageSize, std::begin(length), std::end(length));
        ASSERT_NE(field, page + jet4::kPageSize);
        putU16(field, 0xffff), putU16(field + 2, 0x3fff);
    }
}

class DamageNoticeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_tables.notices().setReporter(
            [this](const ShortTable& table) { m_reports.push_back(table); });
    }

    QTemporaryDir m_dir;
    TableSource m_tables;
    std::vector<ShortTable> m_reports;
};

TEST_F(DamageNoticeTest, EveryDamageSeenIsToldOnceAndNoneIsReadAsData)
{
    for (const Damage& damage : Damages) {
        SCOPED_TRACE(damage.what);
        m_tables.clearCache();
        m_tables.notices().forgetReported();
        m_reports.clear();
        jet4::BuiltDatabase built = jet4::buildDatabase({jobs()});
        ::damage(damage, built.bytes.data(), built.layout.table("Jobs"));
        const QString file = m_dir.filePath(QStringLiteral("%1.mdb").arg(&damage - Damages));
        writeFileContents(file, QByteArray(reinterpret_cast<const char*>(built.bytes.data()),
                                           qsizetype(built.bytes.size())));

        const Read& shouldRead = damage.read;
        QStringList expected;
        for (int i = 0; i < Rows; ++i) {
            if (shouldRead.dropped.count(i))
                continue;
            QStringList row = soundRow(i);
            for (const int column : shouldRead.nulls)
                row[column] = "<null>";
            if (!shouldRead.amounts.empty())
                row[Amount] = shouldRead.amounts[std::size_t(i)];
            expected << row.join(" | ");
        }
        TableCursor cursor(m_tables);
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

        TableCursor again(m_tables); // once per run, not once per open
        again.open(file, QStringLiteral("Jobs"), {});
        ASSERT_EQ(m_reports.size(), shouldRead.damaged ? 1u : 0u);
        if (shouldRead.damaged) {
            EXPECT_EQ(m_reports[0].table, QStringLiteral("Jobs"));
            EXPECT_EQ(m_reports[0].damaged, shouldRead.damaged);
            const QString count = shouldRead.dropped.empty() ? QString::number(shouldRead.damaged)
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
    EXPECT_EQ(errorNumberOf([&] { TableCursor(m_tables).open(file, QStringLiteral("Jobs"), {}); }),
              unreadable);
    EXPECT_TRUE(m_reports.empty());
    for (int selection = 0; selection < 2; ++selection) {
        TableCursor cursor(m_tables);
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
