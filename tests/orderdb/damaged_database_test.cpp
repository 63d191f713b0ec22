// Damaged, hostile and changing databases: the program reads what can be
// read, says when rows are missing, stays within its memory bound, and never
// builds a table from two versions of a file.

#include "common/runtime_error.h"
#include "jet4/jet4_writer.h"
#include "orderdb/reader/jet_rows.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>
#include <unistd.h>

namespace {

using jet4::ColumnType;

class DamagedDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_realReader = m_tables.readerProgram();
        m_tables.notices().setReporter(
            [this](const ShortTable& table) { m_reports.push_back(table); });
    }

    QString write(const std::vector<std::uint8_t>& bytes, const QString& name = "qmdata.mdb")
    {
        const QString path = m_dir.filePath(name);
        writeFileContents(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<qsizetype>(bytes.size())));
        return path;
    }

    // A reader program that runs `before` (shell, in the test's folder) and
    // then the real reader.
    void wrapReader(const QString& before)
    {
        const QString script = m_dir.filePath(QStringLiteral("reader.sh"));
        writeFileContents(script, QStringLiteral("#!/bin/sh\ncd '%1'\n%2\nexec '%3' \"$@\"\n")
                                      .arg(m_dir.path(), before, m_realReader)
                                      .toUtf8());
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_tables.setReaderProgram(script);
    }

    QTemporaryDir m_dir;
    TableSource m_tables;
    QString m_realReader;
    std::vector<ShortTable> m_reports;
};

jet4::Table jobLog(int rows, ColumnType descriptionType = ColumnType::Text)
{
    jet4::Table table{"JobLog",
                      {{"Job", ColumnType::Text, 8},
                       {"Description", descriptionType, 100},
                       {"Invoiced", ColumnType::Text, 1},
                       {"QuoteNo", ColumnType::Long}},
                      {}};
    for (int i = 0; i < rows; ++i)
        table.rows.push_back({std::to_string(10000000 + i), "Job " + std::to_string(i), "0", i});
    return table;
}

QStringList column(TableCursor& cursor, QStringView field)
{
    QStringList values;
    for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext())
        values << cursor.field(field).toText();
    return values;
}

// Finding: one long text shared by every row makes a small file stand for a
// huge table. A column the program does not read costs nothing; a read one
// must fit the memory budget, row index included, not only the output cap.
TEST_F(DamagedDatabaseTest, ASharedLongTextIsReadOnlyWithinTheMemoryBudget)
{
    jet4::Table orders{"Orders", {{"OrderNo", ColumnType::Text, 8}, {"Notes", ColumnType::Memo}}};
    orders.shareLongValues = true;
    orders.rows.assign(2100, {"1", std::string(32766, 'n')}); // 69 MB of text
    std::vector<std::uint8_t> bytes = jet4::buildDatabase({orders}).bytes;
    const std::size_t size = bytes.size();
    TableCursor cursor(m_tables);
    cursor.open(write(bytes), QStringLiteral("Orders"));
    EXPECT_EQ(cursor.recordCount(), 2100);
    const auto readAll = [&] { m_tables.readTable(write(bytes), QStringLiteral("Orders")); };
    EXPECT_EQ(errorNumberOf(readAll), int(ErrorCode::UnreadableDatabase));

    bytes.resize(size + 1'000'000); // the budget grows with the file
    const qint64 memory = m_tables.readTable(write(bytes), "Orders")->memoryBytes();
    // A budget a few bytes short: the stream fits it, the row index does not.
    const auto shortSize = std::size_t((memory - 1 - TableSource::memoryBudget(0)) / 3);
    ASSERT_GT(shortSize, size);
    bytes.resize(shortSize);
    EXPECT_EQ(errorNumberOf(readAll), int(ErrorCode::UnreadableDatabase));
}

// Finding: rows lost without a word. Each case damages a good file; the
// table reads what it can and says so once when rows are missing.
TEST_F(DamagedDatabaseTest, RowsAreRecoveredWhereIntactAndMissingOnesAreReported)
{
    struct Case
    {
        std::optional<std::uint32_t> storedRows;
        std::optional<std::uint16_t> quoteNoSize;
        void (*damage)(std::uint8_t* firstDataPage);
        qsizetype rows;
        qsizetype reportedDeclared; // 0: no report
    } const cases[] = {
        // The definition declares more rows than the pages hold.
        {605, {}, nullptr, 600, 605},
        // A long integer declared 4000 bytes wide.
        {{}, 4000, nullptr, 600, 0},
        // Slot entries out of order.
        {{}, {}, [](std::uint8_t* p) { std::swap(p[14], p[16]), std::swap(p[15], p[17]); }, 600, 0},
        // A row whose slot points outside the page.
        {{}, {}, [](std::uint8_t* p) { p[14] = 0xff, p[15] = 0x1f; }, 599, 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        m_tables.clearCache();
        m_tables.notices().forgetReported();
        m_reports.clear();
        jet4::Table table = jobLog(600);
        table.storedRowCount = c.storedRows;
        table.columns[3].declaredSize = c.quoteNoSize;
        jet4::BuiltDatabase built = jet4::buildDatabase({table});
        if (c.damage)
            c.damage(&built.bytes[built.layout.table("JobLog").firstDataPage * jet4::kPageSize]);
        const QString file = write(built.bytes);

        TableCursor cursor(m_tables);
        cursor.open(file, QStringLiteral("JobLog"));
        const QStringList quotes = column(cursor, u"QuoteNo");
        EXPECT_EQ(quotes.size(), c.rows);
        EXPECT_EQ(QSet<QString>(quotes.begin(), quotes.end()).size(), c.rows);
        EXPECT_TRUE(quotes.contains("599") && (c.rows < 600 || quotes.contains("0")));

        TableCursor again(m_tables); // once per run, not once per open
        again.open(file, QStringLiteral("JobLog"));
        ASSERT_EQ(m_reports.size(), c.reportedDeclared ? 1u : 0u);
        if (c.reportedDeclared) {
            EXPECT_EQ(m_reports[0].table, QStringLiteral("JobLog"));
            EXPECT_EQ(m_reports[0].read, c.rows);
            EXPECT_EQ(m_reports[0].declared, c.reportedDeclared);
        }
    }
}

// Finding: long texts come back whole, whatever their characters and length,
// inline or on long-value pages; a broken chain loses its row, not its tail.
TEST_F(DamagedDatabaseTest, LongTextsAreReadWholeOrTheirRowIsReported)
{
    const std::string emoji = "Proof \xF0\x9F\x98\x80 approved";
    const std::string longLatin = std::string(1'500'000, 'a') + "\xC3\xA9nd";
    const std::string longUnicode =
        std::string(600'000, 'b') + "\xF0\x9F\x93\xA6" + std::string(600'000, 'c');
    const std::vector<std::string> texts = {emoji, emoji + std::string(400, '.'), longLatin,
                                            longUnicode};
    jet4::Table table = jobLog(static_cast<int>(texts.size()), ColumnType::Memo);
    for (std::size_t i = 0; i < texts.size(); ++i)
        table.rows[i][1] = texts[i];
    jet4::BuiltDatabase built = jet4::buildDatabase({table});
    TableCursor cursor(m_tables);
    cursor.open(write(built.bytes), QStringLiteral("JobLog"));
    QStringList read = column(cursor, u"Description");
    ASSERT_EQ(read.size(), qsizetype(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_TRUE(read[i] == QString::fromStdString(texts[i])) << "row " << i;

    // A length one byte short of its chain (compressed: 0xFF 0xFE, then one
    // byte a character) leaves the rest of the last piece unread.
    const jet4::TableLayout& layout = built.layout.table("JobLog");
    std::vector<std::uint8_t> shortened = built.bytes;
    const auto rows = shortened.begin() + layout.firstDataPage * jet4::kPageSize;
    const std::uint8_t length[] = {0x65, 0xe3, 0x16, 0}; // 1'500'005 bytes
    const auto header = std::search(rows, rows + 4096, std::begin(length), std::end(length));
    ASSERT_NE(header, rows + 4096);
    *header -= 1;
    cursor.open(write(shortened, QStringLiteral("short.mdb")), QStringLiteral("JobLog"));
    read = column(cursor, u"Description");
    ASSERT_EQ(read.size(), qsizetype(texts.size()));
    EXPECT_TRUE(read[2] == QString::fromStdString(longLatin).chopped(1));

    // The long-value pages follow the data pages: break the chains there.
    built.bytes[std::size_t{layout.firstDataPage + layout.dataPageCount} * jet4::kPageSize] = 0x07;
    cursor.open(write(built.bytes, QStringLiteral("broken.mdb")), QStringLiteral("JobLog"));
    EXPECT_LT(cursor.recordCount(), qsizetype(texts.size()));
    EXPECT_EQ(column(cursor, u"Description").first(), QString::fromStdString(emoji));
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].declared, qsizetype(texts.size()));
}

// Findings: a file rewritten while a table is read (the wrapped reader
// rewrites it on its first n runs, alternating two versions) is read again or
// fails, never mixed; a reader that makes no progress is stopped, however
// large the file; one that keeps sending is left to finish.
TEST_F(DamagedDatabaseTest, AChangingFileOrAStalledReaderNeverGivesAMixedOrEndlessRead)
{
    const std::vector<std::uint8_t> first = jet4::buildDatabase({jobLog(3)}).bytes;
    write(first, QStringLiteral("a.mdb"));
    write(jet4::buildDatabase({jobLog(5)}).bytes, QStringLiteral("b.mdb"));
    const QString changing =
        QStringLiteral("echo x >> runs%1; n=$(wc -l < runs%1)\n"
                       "if [ $n -le %1 ]; then v=b; [ $((n % 2)) -eq 0 ] && v=a\n"
                       "sleep 0.01; cat $v.mdb > \"$1\"; fi");
    const int unreadable = int(ErrorCode::UnreadableDatabase);
    const std::tuple<QString, int, qsizetype> cases[] = {
        {changing.arg(1), 0, 5},
        {changing.arg(2), 0, 3},
        {changing.arg(3), unreadable, 0},
        {"sleep 60", unreadable, 0},
        // Keep-alive tags (octal 375) every quarter second, for three seconds.
        {"for i in 1 2 3 4 5 6 7 8 9 10 11 12; do printf '\\375'; sleep 0.25; done", 0, 3},
    };
    m_tables.setStallLimit(std::chrono::milliseconds(1500));
    for (const auto& [before, error, rows] : cases) {
        SCOPED_TRACE(before.toStdString());
        m_tables.clearCache();
        const QString file = write(first);
        wrapReader(before);
        TableCursor cursor(m_tables);
        EXPECT_EQ(errorNumberOf([&] { cursor.open(file, QStringLiteral("JobLog")); }), error);
        if (error == 0) {
            EXPECT_EQ(cursor.recordCount(), rows);
        }
    }
}

// Findings: a damaged catalog, a folder that may not be entered: each says
// what is true of the file. (A tail after the last page is ignored: see the
// memory budget test.)
TEST_F(DamagedDatabaseTest, SmallMisreportsSayWhatIsTrueOfTheFile)
{
    jet4::BuiltDatabase built = jet4::buildDatabase({jobLog(3)});
    std::vector<std::uint8_t> badCatalog = built.bytes;
    // The catalog's third row is the table's entry: its slot points off the page.
    const std::size_t slot = built.layout.catalogFirstDataPage * jet4::kPageSize + 18;
    badCatalog[slot] = 0xff, badCatalog[slot + 1] = 0x1f;
    const auto errorOf = [this](const QString& file, const char* table, bool deferred = false) {
        return errorNumberOf([&] {
            deferred ? TableCursor(m_tables).openDeferred(file, table)
                     : TableCursor(m_tables).open(file, table);
        });
    };
    EXPECT_EQ(errorOf(write(badCatalog), "JobLog"), int(ErrorCode::UnreadableDatabase));
    EXPECT_EQ(errorOf(write(built.bytes), "Missing"), int(ErrorCode::TableNotFound));

    if (::geteuid() == 0)
        GTEST_SKIP() << "as root every folder may be entered";
    const QString locked = m_dir.filePath(QStringLiteral("locked"));
    QDir().mkdir(locked);
    write(built.bytes, QStringLiteral("locked/qmdata.mdb"));
    QFile::setPermissions(locked, QFile::ReadOwner);
    const int error = errorOf(locked + "/qmdata.mdb", "JobLog");
    const int deferred = errorOf(locked + "/qmdata.mdb", "JobLog", true);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(error, int(ErrorCode::UnreadableDatabase));
    EXPECT_EQ(deferred, int(ErrorCode::UnreadableDatabase));
}

// A damaged slot that claims a start beyond the page must not stretch the
// row below it past the page's end.
TEST(PageRows, NoRowReachesPastThePage)
{
    std::array<std::uint8_t, jet_rows::PageSize> page{};
    page[0] = 0x01;
    page[12] = 2;                     // two slots
    page[14] = 0xff, page[15] = 0x1f; // slot 0: beyond the page
    page[16] = 0xa0, page[17] = 0x0f; // slot 1: 4000
    const jet_rows::PageRows rows{jet_rows::Page(page)};
    EXPECT_FALSE(rows.row(0).has_value());
    ASSERT_TRUE(rows.row(1).has_value());
    EXPECT_EQ(rows.row(1)->start + rows.row(1)->length, jet_rows::PageSize);
}

} // namespace
