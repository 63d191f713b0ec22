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

// A table and the rows expected back from it, "<null>" for a Null.
using RoundTrip = std::pair<Table, std::vector<QStringList>>;

std::vector<RoundTrip> roundTrips()
{
    using enum ColumnType;
    using Limits = std::numeric_limits<std::int64_t>;
    const QString longLatin = QString(30000, u'q') + "end";
    const QString longCyrillic = QString::fromUtf8("\xD0\x96").repeated(6000);
    const std::vector<jet4::Column> allTypes = {
        {"Name", Text, 20}, {"Note", Memo},    {"Small", Byte},   {"Qty", Integer},
        {"Total", Long},    {"Ratio", Double}, {"Paid", Boolean}, {"Price", Currency}};
    std::vector<RoundTrip> trips = {
        {{"AllTypes",
          allTypes,
          {{"ACME", "memo", 17, 1200, 123456, 2.5, true, Value::currency(35000)},
           {"low", "", 0, -32768, -2147483647 - 1, 0.1, false, Value::currency(Limits::min())},
           {"high", "x", 255, 32767, 2147483647, 1e15, true, Value::currency(Limits::max())},
           {"a, \"b\"\nc", "tab\there", 1, -1, -1, -0.000123, false, 1.23456},
           {Null, Null, Null, Null, Null, Null, Null, Null}}},
         {{"ACME", "memo", "17", "1200", "123456", "2.5", "-1", "3.5"},
          {"low", "", "0", "-32768", "-2147483648", "0.1", "0", "-922337203685477.5808"},
          {"high", "x", "255", "32767", "2147483647", "1000000000000000", "-1",
           "922337203685477.5807"},
          {"a, \"b\"\nc", "tab\there", "1", "-1", "-1", "-0.000123", "0", "1.2346"},
          {"<null>", "<null>", "<null>", "<null>", "<null>", "<null>", "0", "<null>"}}},
        {{"Texts", {{"Name", Text, 255}}}, {}},
        {{"Memos",
          {{"Id", Long}, {"Body", Memo}},
          {{1, longLatin.toStdString()}, {2, longCyrillic.toStdString()}, {3, Null}}},
         {{"1", longLatin}, {"2", longCyrillic}, {"3", "<null>"}}},
        // More rows than one page holds (255 at most), of varying length.
        {{"Pages", {{"Id", Long}, {"Text", Text, 200}}}, {}},
        // A definition longer than one page.
        {{"Wide", {}, {{}, {}}}, {{}, {}}},
        // The stale row count Access leaves after an unclean shutdown.
        {{"Stale", {{"Id", Long}}, {{1}, {2}, {3}}, 0u}, {{"1"}, {"2"}, {"3"}}},
        {{"Empty", {{"Id", Long}}}, {}}};
    // Compressed text (all characters up to U+00FF), plain UTF-16, two-character
    // texts not worth compressing, and a text of exactly the column's length.
    const QStringList texts =
        QString::fromUtf8("M\xC3\xBCller|\xD0\x9C\xD0\xB8\xD1\x80, \xE6\x9D\xB1|"
                          "\xC4\x80xyz|ab|\xC3\xBF\xC3\xBE|Gr\xC3\xB6\xC3\x9F\x65\xE2\x82\xAC")
            .split(u'|')
        << QString::fromUtf8("\xCE\xA9").repeated(255);
    for (const QString& text : texts) {
        trips[1].first.rows.push_back({text.toStdString()});
        trips[1].second.push_back({text});
    }
    for (int i = 0; i < 1200; ++i) {
        const QString text(i % 190, QChar(u'a' + i % 26));
        trips[3].first.rows.push_back({i, i % 7 == 0 ? Value(Null) : Value(text.toStdString())});
        trips[3].second.push_back({QString::number(i), i % 7 == 0 ? "<null>" : text});
    }
    for (int c = 0; c < 200; ++c) {
        trips[4].first.columns.push_back({"Column" + std::to_string(c), Long});
        trips[4].first.rows[0].push_back(c);
        trips[4].first.rows[1].push_back(-c);
        trips[4].second[0] << QString::number(c);
        trips[4].second[1] << QString::number(-c);
    }
    return trips;
}

TEST(Jet4Writer, EveryTableReadsBackValueForValue)
{
    const std::vector<RoundTrip> trips = roundTrips();
    std::vector<Table> tables;
    for (const RoundTrip& trip : trips)
        tables.push_back(trip.first);
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("all.mdb"));
    jet4::writeDatabase(database.toStdString(), tables);
    const TableSource source;
    for (const auto& [table, expected] : trips) {
        TableCursor cursor(source);
        cursor.open(database, QString::fromStdString(table.name));
        ASSERT_EQ(cursor.fieldCount(), static_cast<int>(table.columns.size())) << table.name;
        std::vector<QStringList> rows;
        for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext()) {
            rows.emplace_back();
            for (int c = 0; c < cursor.fieldCount(); ++c) {
                const FieldValue value = cursor.field(c);
                rows.back() << (value.isNull() ? QStringLiteral("<null>") : value.toText());
            }
        }
        ASSERT_EQ(rows.size(), expected.size()) << table.name;
        for (std::size_t r = 0; r < rows.size(); ++r)
            ASSERT_EQ(rows[r], expected[r]) << table.name << " row " << r;
    }
}

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
    using enum ColumnType;
    const std::pair<ColumnType, Value> refused[] = {
        {Integer, 32768},     {Integer, -32769}, {Byte, 256},
        {Long, 2147483648LL}, {Text, 12},        {Text, "12345678901"},
        {Boolean, 1},         {Currency, 1e300}, {Text, std::string("\xC3\x28")}};
    for (const auto& [type, value] : refused)
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
