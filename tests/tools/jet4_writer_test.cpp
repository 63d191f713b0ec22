#include "jet4/jet4_writer.h"
#include "mdb_read_back.h"
#include "read_back_expectations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace fs = std::filesystem;
using jet4::Column;
using jet4::ColumnType;
using jet4::Null;
using jet4::Table;
using jet4::Value;

namespace {

std::string repeated(const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

template<typename Build>
std::string errorOf(Build build)
{
    try {
        build();
    } catch (const std::invalid_argument& error) {
        return error.what();
    }
    return "<no std::invalid_argument>";
}

bool contains(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to,
              const std::vector<std::uint8_t>& needle)
{
    return std::search(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                       bytes.begin() + static_cast<std::ptrdiff_t>(to), needle.begin(),
                       needle.end()) != bytes.begin() + static_cast<std::ptrdiff_t>(to);
}

std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

class Jet4WriterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "jet4-writer-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path write(const std::vector<Table>& tables)
    {
        const fs::path file = dir_ / ("db" + std::to_string(++files_) + ".mdb");
        jet4::writeDatabase(file, tables);
        return file;
    }

    /// Both libmdb and mdb-export must return exactly the table's rows in order.
    static void expectReadsBack(const fs::path& file, const Table& table)
    {
        const auto viaLibmdb = readWithLibmdb(file, table.name);
        ASSERT_TRUE(viaLibmdb.has_value()) << table.name;
        std::vector<std::string> names;
        for (const Column& column : table.columns) {
            names.push_back(column.name);
        }
        EXPECT_EQ(viaLibmdb->columnNames, names);
        EXPECT_EQ(differenceFromLibmdb(viaLibmdb->rows, table), "") << table.name;

        const auto exported = readWithMdbExport(file, table.name);
        ASSERT_TRUE(exported.has_value()) << table.name;
        EXPECT_EQ(differenceFromMdbExport(*exported, table), "") << table.name;
    }

    fs::path dir_;
    int files_ = 0;
};

Table allTypesTable()
{
    Table table{"AllTypes",
                {{"Name", ColumnType::Text, 20},
                 {"Note", ColumnType::Memo},
                 {"Small", ColumnType::Byte},
                 {"Qty", ColumnType::Integer},
                 {"Total", ColumnType::Long},
                 {"Ratio", ColumnType::Double},
                 {"Paid", ColumnType::Boolean},
                 {"Price", ColumnType::Currency}},
                {},
                {},
                {}};
    constexpr auto int32Min = std::numeric_limits<std::int32_t>::min();
    constexpr auto int32Max = std::numeric_limits<std::int32_t>::max();
    constexpr auto int64Min = std::numeric_limits<std::int64_t>::min();
    constexpr auto int64Max = std::numeric_limits<std::int64_t>::max();
    table.rows = {
        {"ACME", "short memo", 17, 1200, 123456, 2.5, true, Value::currency(35000)},
        {"low", "", 0, -32768, int32Min, 0.1, false, Value::currency(int64Min)},
        {"high", "x", 255, 32767, int32Max, 1e15, true, Value::currency(int64Max)},
        {"a, \"b\"\nc", "tab\there", 1, -1, -1, -0.000123, false, 1.23456},
        {"", "", 2, 0, 0, 12, true, -42},
        {Null, Null, Null, Null, Null, Null, Null, Null},
    };
    return table;
}

TEST_F(Jet4WriterTest, EveryColumnTypeReadsBackWithTypicalAndExtremeValues)
{
    expectReadsBack(write({allTypesTable()}), allTypesTable());
}

TEST_F(Jet4WriterTest, EmptyTextAndNullStayDistinctForLibmdb)
{
    const fs::path file = write({allTypesTable()});
    const auto rows = readWithLibmdb(file, "AllTypes")->rows;
    EXPECT_EQ(rows[4][0], ReadCell(""));
    EXPECT_EQ(rows[4][1], ReadCell(""));
    EXPECT_EQ(rows[5][0], std::nullopt);
    EXPECT_EQ(rows[5][1], std::nullopt);
    EXPECT_EQ(rows[5][6], ReadCell("0")) << "a Null boolean reads as false";
}

TEST_F(Jet4WriterTest, NonAsciiTextUsesBothStorageFormsAndReadsBack)
{
    Table table{"Names", {{"Id", ColumnType::Long}, {"Name", ColumnType::Text, 30}}, {}, {}, {}};
    const std::vector<std::string> texts = {"Müller", "Ärger öl", "é ü € Ω", "Привет, мир",
                                            "東京都", "Āxyz",     "Ѐxyz",    "ab",
                                            "é",      "x",        "ÿþý",     "Größe€"};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        table.rows.push_back({static_cast<int>(i), texts[i]});
    }
    const fs::path file = write({table});
    expectReadsBack(file, table);

    const jet4::BuiltDatabase built = jet4::buildDatabase({table});
    const auto& layout = built.layout.table("Names");
    const std::size_t from = layout.firstDataPage * jet4::kPageSize;
    const std::size_t to = from + layout.dataPageCount * jet4::kPageSize;
    // "Müller": all characters up to U+00FF, so compressed.
    EXPECT_TRUE(contains(built.bytes, from, to, {0xFF, 0xFE, 'M', 0xFC, 'l', 'l', 'e', 'r'}));
    // "Āxyz": U+0100 has a zero low byte and must stay plain UTF-16.
    EXPECT_TRUE(contains(built.bytes, from, to, {0x00, 0x01, 'x', 0, 'y', 0, 'z', 0}));
    // Two characters are not worth compressing.
    EXPECT_TRUE(contains(built.bytes, from, to, {'a', 0, 'b', 0}));
}

TEST_F(Jet4WriterTest, TextOfExactlyTheColumnLengthIsAccepted)
{
    Table table{
        "Codes", {{"Code", ColumnType::Text, 5}}, {{"abcde"}, {"ΩΩΩΩΩ"}, {"€bcde"}}, {}, {}};
    expectReadsBack(write({table}), table);

    table.rows.push_back({"abcdef"});
    EXPECT_NE(errorOf([&] { jet4::buildDatabase({table}); }).find("Text(5)"), std::string::npos);
}

TEST_F(Jet4WriterTest, ValuesTheColumnCannotHoldAreRejectedWithTheirPlace)
{
    const auto oneCell = [](ColumnType type, Value value) {
        return errorOf([&] {
            jet4::buildDatabase({Table{"T", {{"C", type, 10}}, {{value}}, {}, {}}});
        });
    };
    for (const auto& [type, value] : std::vector<std::pair<ColumnType, Value>>{
             {ColumnType::Integer, 32768},
             {ColumnType::Integer, -32769},
             {ColumnType::Byte, -1},
             {ColumnType::Byte, 256},
             {ColumnType::Long, 2147483648LL},
             {ColumnType::Long, "12"},
             {ColumnType::Text, 12},
             {ColumnType::Integer, 2.0},
             {ColumnType::Boolean, 1},
             {ColumnType::Double, "1.5"},
             {ColumnType::Currency, true},
             {ColumnType::Currency, 1e300},
             {ColumnType::Text, std::string("\xC3\x28")},
         }) {
        const std::string error = oneCell(type, value);
        EXPECT_NE(error.find("table 'T', row 0, column 'C'"), std::string::npos)
            << value.describe() << ": " << error;
    }

    const std::string omegas = repeated("Ω", 255);
    Table big{"Big", {}, {{}}, {}, {}};
    for (int c = 0; c < 9; ++c) {
        big.columns.push_back({"T" + std::to_string(c), ColumnType::Text, 255});
        big.rows[0].push_back(omegas);
    }
    EXPECT_NE(errorOf([&] { jet4::buildDatabase({big}); }).find("larger than a data page"),
              std::string::npos);

    Table good{"Good", {{"A", ColumnType::Long}}, {{1}}, {}, {}};
    Table shortRow = good;
    shortRow.rows = {{1, 2}};
    EXPECT_NE(errorOf([&] { jet4::buildDatabase({shortRow}); }).find("2 values for 1 columns"),
              std::string::npos);
    Table badLength{"Bad", {{"A", ColumnType::Text, 256}}, {}, {}, {}};
    EXPECT_NE(errorOf([&] { jet4::buildDatabase({badLength}); }), "<no std::invalid_argument>");
    Table sameName = good;
    sameName.name = "GOOD";
    EXPECT_NE(errorOf([&] {
                  jet4::buildDatabase({good, sameName});
              }),
              "<no std::invalid_argument>");
    EXPECT_THROW(Value(std::numeric_limits<std::uint64_t>::max()), std::invalid_argument);
}

TEST_F(Jet4WriterTest, ThousandsOfRowsSpanManyPagesInOrder)
{
    Table table{"Orders",
                {{"Id", ColumnType::Long},
                 {"Customer", ColumnType::Text, 40},
                 {"Amount", ColumnType::Double},
                 {"Open", ColumnType::Boolean},
                 {"Qty", ColumnType::Integer}},
                {},
                {},
                {}};
    for (int i = 0; i < 20000; ++i) {
        table.rows.push_back({i, "Customer " + std::to_string(i * 7919 % 20000), i * 0.25,
                              i % 3 == 0, i % 5 == 0 ? Value(Null) : Value(i % 30000)});
    }
    const fs::path file = write({table});
    const auto built = jet4::buildDatabase({table});
    EXPECT_GT(built.layout.table("Orders").dataPageCount, 100u);
    expectReadsBack(file, table);
}

TEST_F(Jet4WriterTest, TableOfOverFiveThousandDataPagesReadsCompletely)
{
    // Four 255-character non-Latin texts make rows of about 2 KB: one per page.
    Table table{"Pages", {{"Id", ColumnType::Long}}, {}, {}, {}};
    for (int c = 0; c < 4; ++c) {
        table.columns.push_back({"Text" + std::to_string(c), ColumnType::Text, 255});
    }
    const std::string fill = repeated("Ж", 250);
    for (int i = 0; i < 5100; ++i) {
        const std::string text = std::to_string(i) + fill;
        table.rows.push_back({i, text, text, text, text});
    }
    const fs::path file = write({table});
    EXPECT_GE(jet4::buildDatabase({table}).layout.table("Pages").dataPageCount, 5000u);
    expectReadsBack(file, table);
}

TEST_F(Jet4WriterTest, SeveralTablesIncludingEmptyWideAndLongMemoShareOneFile)
{
    Table empty{"Empty", {{"Id", ColumnType::Long}, {"Name", ColumnType::Text, 10}}, {}, {}, {}};
    Table memos{"Memos", {{"Id", ColumnType::Long}, {"Body", ColumnType::Memo}}, {}, {}, {}};
    memos.rows = {
        {1, std::string(30000, 'q') + "end"}, {2, repeated("Ж", 6000)}, {3, "short"}, {4, Null}};
    Table wide{"Wide", {}, {{}, {}}, {}, {}};
    for (int c = 0; c < 200; ++c) {
        wide.columns.push_back({"Column" + std::to_string(c), ColumnType::Long});
        wide.rows[0].push_back(c);
        wide.rows[1].push_back(-c);
    }
    const std::vector<Table> tables = {allTypesTable(), empty, memos, wide};
    const fs::path file = write(tables);

    EXPECT_EQ(userTablesWithLibmdb(file),
              (std::vector<std::string>{"AllTypes", "Empty", "Memos", "Wide"}));
    for (const Table& table : tables) {
        expectReadsBack(file, table);
    }
    const auto built = jet4::buildDatabase(tables);
    const auto& layout = built.layout.table("Memos");
    const std::size_t longValuePage = layout.firstDataPage + layout.dataPageCount;
    EXPECT_EQ(u32At(built.bytes, longValuePage * jet4::kPageSize + 4), 0x4C41564Cu) << "LVAL";
    EXPECT_GT(built.layout.table("Wide").firstDataPage,
              built.layout.table("Wide").definitionPage + 1)
        << "200 columns need a definition of more than one page";
}

TEST_F(Jet4WriterTest, LayoutNamesTheDefinitionAndDataPagesOfEachTable)
{
    // A page holds at most 255 rows, however small they are.
    Table tiny{"Tiny", {{"A", ColumnType::Byte}}, {}, {}, {}};
    for (int i = 0; i < 1000; ++i) {
        tiny.rows.push_back({i % 256});
    }
    const std::vector<Table> tables = {allTypesTable(), tiny};
    const jet4::BuiltDatabase built = jet4::buildDatabase(tables);
    EXPECT_EQ(built.layout.table("Tiny").dataPageCount, 4u);
    ASSERT_EQ(built.bytes.size(), built.layout.pageCount * jet4::kPageSize);
    EXPECT_EQ(built.bytes[built.layout.catalogDefinitionPage * jet4::kPageSize], 0x02);
    for (const jet4::TableLayout& table : built.layout.tables) {
        EXPECT_EQ(built.bytes[table.definitionPage * jet4::kPageSize], 0x02) << table.name;
        ASSERT_GE(table.dataPageCount, 1u);
        for (std::uint32_t p = 0; p < table.dataPageCount; ++p) {
            const std::size_t page = (table.firstDataPage + p) * jet4::kPageSize;
            EXPECT_EQ(built.bytes[page], 0x01) << table.name;
            EXPECT_EQ(u32At(built.bytes, page + 4), table.definitionPage) << table.name;
        }
    }
    const fs::path file = write(tables);
    EXPECT_EQ(fs::file_size(file), built.bytes.size());
    expectReadsBack(file, tiny);
}

TEST_F(Jet4WriterTest, StaleStoredRowCountIsWrittenWhileAllRowsStillRead)
{
    Table table{"Stale", {{"Id", ColumnType::Long}}, {{1}, {2}, {3}}, 0u, {}};
    const fs::path file = write({table});
    EXPECT_EQ(readWithLibmdb(file, "Stale")->storedRowCount, 0u);
    EXPECT_EQ(mdbCount(file, "Stale"), std::optional<std::string>("0\n"));
    expectReadsBack(file, table);

    table.storedRowCount = 99;
    EXPECT_EQ(mdbCount(write({table}), "Stale"), std::optional<std::string>("99\n"));
}

TEST_F(Jet4WriterTest, CatalogPropertyBlobReachesLibmdbVerbatim)
{
    // An "MR2" blob: a name list with "Description", then a table-level block
    // setting it to the text "hello".
    std::vector<std::uint8_t> blob = {'M', 'R', '2', 0};
    const auto put16 = [&](std::initializer_list<unsigned> words) {
        for (const unsigned word : words) {
            blob.push_back(static_cast<std::uint8_t>(word));
            blob.push_back(static_cast<std::uint8_t>(word >> 8));
        }
    };
    const auto putUtf16 = [&](const std::string& text) {
        for (const char c : text) {
            put16({static_cast<unsigned char>(c)});
        }
    };
    const std::string name = "Description";
    const std::string value = "hello";
    const auto nameBytes = static_cast<unsigned>(2 * name.size());
    const auto valueBytes = static_cast<unsigned>(2 * value.size());
    // Chunk: u32 length, u16 type 0x80 (names), then u16 length + UTF-16 name.
    put16({6 + 2 + nameBytes, 0, 0x80, nameBytes});
    putUtf16(name);
    // Chunk of type 0 holding a block: u32 length, u16 0 (no column name), and
    // one entry: u16 length, type 0x0A (text) in the upper byte, name 0, size.
    const unsigned entry = 8 + valueBytes;
    put16({6 + 6 + entry, 0, 0x00, 6 + entry, 0, 0, entry, 0x0A00, 0, valueBytes});
    putUtf16(value);

    Table table{"Described", {{"Id", ColumnType::Long}}, {{7}}, {}, blob};
    const fs::path file = write({table});
    EXPECT_EQ(tablePropertyWithLibmdb(file, "Described", "Description"),
              std::optional<std::string>("hello"));
    expectReadsBack(file, table);
}

} // namespace
