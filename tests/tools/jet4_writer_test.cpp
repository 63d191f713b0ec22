// The test-database writer, read back through the program's own cursor: every
// table comes back value for value, in the order written.

#include "jet4/jet4_writer.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace {

using jet4::ColumnType;
using jet4::Null;
using jet4::Table;
using jet4::Value;
using Rows = std::vector<QStringList>; // "<null>" for a Null

struct RoundTrip
{
    const char* name;
    Table table;
    Rows expected;
};

std::string repeated(const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

RoundTrip allTypes()
{
    constexpr auto int64Min = std::numeric_limits<std::int64_t>::min();
    constexpr auto int64Max = std::numeric_limits<std::int64_t>::max();
    return {"AllTypes",
            {"AllTypes",
             {{"Name", ColumnType::Text, 20},
              {"Note", ColumnType::Memo},
              {"Small", ColumnType::Byte},
              {"Qty", ColumnType::Integer},
              {"Total", ColumnType::Long},
              {"Ratio", ColumnType::Double},
              {"Paid", ColumnType::Boolean},
              {"Price", ColumnType::Currency}},
             {{"ACME", "memo", 17, 1200, 123456, 2.5, true, Value::currency(35000)},
              {"low", "", 0, -32768, -2147483647 - 1, 0.1, false, Value::currency(int64Min)},
              {"high", "x", 255, 32767, 2147483647, 1e15, true, Value::currency(int64Max)},
              {"a, \"b\"\nc", "tab\there", 1, -1, -1, -0.000123, false, 1.23456},
              {Null, Null, Null, Null, Null, Null, Null, Null}}},
            {{"ACME", "memo", "17", "1200", "123456", "2.5", "-1", "3.5"},
             {"low", "", "0", "-32768", "-2147483648", "0.1", "0", "-922337203685477.5808"},
             {"high", "x", "255", "32767", "2147483647", "1000000000000000", "-1",
              "922337203685477.5807"},
             {"a, \"b\"\nc", "tab\there", "1", "-1", "-1", "-0.000123", "0", "1.2346"},
             {"<null>", "<null>", "<null>", "<null>", "<null>", "<null>", "0", "<null>"}}};
}

// Compressed text (all characters up to U+00FF), plain UTF-16, two-character
// texts not worth compressing, and a text of exactly the column's length.
RoundTrip texts()
{
    RoundTrip trip{"Texts", {"Texts", {{"Name", ColumnType::Text, 255}}}, {}};
    for (const std::string& text :
         {std::string("M\xC3\xBCller"), std::string("\xD0\x9C\xD0\xB8\xD1\x80, \xE6\x9D\xB1"),
          std::string("\xC4\x80xyz"), std::string("ab"), std::string("\xC3\xBF\xC3\xBE"),
          std::string("Gr\xC3\xB6\xC3\x9F\x65\xE2\x82\xAC"), repeated("\xCE\xA9", 255)}) {
        trip.table.rows.push_back({text});
        trip.expected.push_back({QString::fromStdString(text)});
    }
    return trip;
}

RoundTrip memos()
{
    const std::string longLatin = std::string(30000, 'q') + "end";
    const std::string longCyrillic = repeated("\xD0\x96", 6000);
    return {"Memos",
            {"Memos",
             {{"Id", ColumnType::Long}, {"Body", ColumnType::Memo}},
             {{1, longLatin}, {2, longCyrillic}, {3, Null}}},
            {{"1", QString::fromStdString(longLatin)},
             {"2", QString::fromStdString(longCyrillic)},
             {"3", "<null>"}}};
}

// More rows than one page holds (255 at most), of varying length.
RoundTrip manyPages()
{
    RoundTrip trip{
        "Pages", {"Pages", {{"Id", ColumnType::Long}, {"Text", ColumnType::Text, 200}}}, {}};
    for (int i = 0; i < 1200; ++i) {
        const std::string text(static_cast<std::size_t>(i % 190), static_cast<char>('a' + i % 26));
        trip.table.rows.push_back({i, i % 7 == 0 ? Value(Null) : Value(text)});
        trip.expected.push_back(
            {QString::number(i), i % 7 == 0 ? "<null>" : QString::fromStdString(text)});
    }
    return trip;
}

// A definition longer than one page.
RoundTrip wide()
{
    RoundTrip trip{"Wide", {"Wide", {}, {{}, {}}}, {{}, {}}};
    for (int c = 0; c < 200; ++c) {
        trip.table.columns.push_back({"Column" + std::to_string(c), ColumnType::Long});
        trip.table.rows[0].push_back(c);
        trip.table.rows[1].push_back(-c);
        trip.expected[0] << QString::number(c);
        trip.expected[1] << QString::number(-c);
    }
    return trip;
}

// The stale row count Access leaves after an unclean shutdown.
RoundTrip staleCount()
{
    return {
        "Stale", {"Stale", {{"Id", ColumnType::Long}}, {{1}, {2}, {3}}, 0u}, {{"1"}, {"2"}, {"3"}}};
}

RoundTrip empty()
{
    return {"Empty", {"Empty", {{"Id", ColumnType::Long}}}, {}};
}

class Jet4WriterTest : public ::testing::TestWithParam<RoundTrip>
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_database = s_dir->filePath(QStringLiteral("all.mdb"));
        std::vector<Table> tables;
        for (const auto& make : {allTypes, texts, memos, manyPages, wide, staleCount, empty})
            tables.push_back(make().table);
        table_source::clearCache();
        jet4::writeDatabase(s_database.toStdString(), tables);
    }
    static void TearDownTestSuite() { delete s_dir; }

    static QTemporaryDir* s_dir;
    static QString s_database;
};

QTemporaryDir* Jet4WriterTest::s_dir = nullptr;
QString Jet4WriterTest::s_database;

TEST_P(Jet4WriterTest, EveryTableReadsBackValueForValue)
{
    TableCursor cursor;
    cursor.open(s_database, QString::fromLatin1(GetParam().table.name));
    ASSERT_EQ(cursor.fieldCount(), static_cast<int>(GetParam().table.columns.size()));
    Rows rows;
    for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext()) {
        QStringList row;
        for (int c = 0; c < cursor.fieldCount(); ++c) {
            const FieldValue value = cursor.field(c);
            row << (value.isNull() ? QStringLiteral("<null>") : value.toText());
        }
        rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), GetParam().expected.size());
    for (std::size_t r = 0; r < rows.size(); ++r)
        ASSERT_EQ(rows[r], GetParam().expected[r]) << "row " << r;
}

INSTANTIATE_TEST_SUITE_P(Tables, Jet4WriterTest,
                         ::testing::Values(allTypes(), texts(), memos(), manyPages(), wide(),
                                           staleCount(), empty()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Jet4Writer, RefusesWhatTheColumnCannotHoldNamingItsPlace)
{
    const auto errorOf = [](const std::vector<Table>& tables) -> std::string {
        try {
            jet4::buildDatabase(tables);
        } catch (const std::invalid_argument& error) {
            return error.what();
        }
        return "<accepted>";
    };
    for (const auto& [type, value] : std::vector<std::pair<ColumnType, Value>>{
             {ColumnType::Integer, 32768},
             {ColumnType::Integer, -32769},
             {ColumnType::Byte, 256},
             {ColumnType::Long, 2147483648LL},
             {ColumnType::Text, 12},
             {ColumnType::Text, "12345678901"},
             {ColumnType::Boolean, 1},
             {ColumnType::Currency, 1e300},
             {ColumnType::Text, std::string("\xC3\x28")},
         })
        EXPECT_NE(errorOf({Table{"T", {{"C", type, 10}}, {{value}}}})
                      .find("table 'T', row 0, column 'C'"),
                  std::string::npos)
            << value.describe();

    const Table good{"Good", {{"A", ColumnType::Long}}, {{1}}};
    EXPECT_NE(errorOf({Table{"Good", good.columns, {{1, 2}}}}).find("2 values for 1 columns"),
              std::string::npos);
    EXPECT_NE(errorOf({good, Table{"GOOD", good.columns}}), "<accepted>");
    EXPECT_EQ(errorOf({good}), "<accepted>");
}

} // namespace
