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

#include <array>
#include <functional>
#include <unistd.h>

namespace {

using jet4::ColumnType;

class DamagedDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_realReader = table_source::readerProgram();
        table_source::clearCache();
        TableCursor::forgetReportedTables();
        TableCursor::setShortTableReporter(
            [this](const TableCursor::ShortTable& table) { m_reports.push_back(table); });
    }

    void TearDown() override
    {
        TableCursor::setShortTableReporter({});
        table_source::setReaderProgram(m_realReader);
        table_source::setStallLimit(std::chrono::seconds(5));
    }

    QString path(const QString& name = QStringLiteral("qmdata.mdb")) const
    {
        return m_dir.filePath(name);
    }

    QString write(const std::vector<std::uint8_t>& bytes, const QString& name = "qmdata.mdb")
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path(name);
    }

    // A reader program that runs `before` (shell) and then the real reader.
    void wrapReader(const QString& before)
    {
        const QString script = path(QStringLiteral("reader.sh"));
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n" + before + "\nexec '" + m_realReader + "' \"$@\"\n").toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        table_source::setReaderProgram(script);
    }

    QTemporaryDir m_dir;
    QString m_realReader;
    std::vector<TableCursor::ShortTable> m_reports;
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

// Finding: every long text in 80 rows points at one 1.1 MB chain, so the
// file is small and the text it stands for is huge.
TEST_F(DamagedDatabaseTest, AHugeSharedLongTextFailsWhenReadAndCostsNothingWhenNot)
{
    const std::string huge(1'100'000, 'x');
    for (const char* memoColumn : {"Notes", "Description"}) {
        SCOPED_TRACE(memoColumn);
        table_source::clearCache();
        jet4::Table orders{"Orders",
                           {{"OrderNo", ColumnType::Text, 8},
                            {"Description", ColumnType::Memo},
                            {"Notes", ColumnType::Memo}},
                           {}};
        orders.shareLongValues = true;
        for (int i = 0; i < 80; ++i) {
            const bool inDescription = std::string(memoColumn) == "Description";
            orders.rows.push_back({std::to_string(10000000 + i), inDescription ? huge : "Part",
                                   inDescription ? "" : huge});
        }
        const QString file = write(jet4::buildDatabase({orders}).bytes);
        ASSERT_LT(QFileInfo(file).size(), 2'000'000);

        TableCursor cursor;
        const int error = errorNumberOf([&] { cursor.open(file, QStringLiteral("Orders")); });
        if (std::string(memoColumn) == "Notes") {
            // The program never reads "Notes", so it never travels.
            EXPECT_EQ(error, 0);
            EXPECT_EQ(cursor.recordCount(), 80);
        } else {
            EXPECT_EQ(error, int(ErrorCode::UnreadableDatabase));
        }
    }
}

// Finding: rows lost without a word. Each case damages a good file; the
// table reads what it can and says so once when rows are missing.
TEST_F(DamagedDatabaseTest, RowsAreRecoveredWhereIntactAndMissingOnesAreReported)
{
    struct Case
    {
        const char* name;
        std::function<void(jet4::Table&)> define;
        std::function<void(jet4::BuiltDatabase&)> damage;
        qsizetype rows;
        qsizetype reportedDeclared; // 0: no report
    };
    const auto page = [](jet4::BuiltDatabase& built, std::uint32_t number) {
        return built.bytes.data() + std::size_t{number} * jet4::kPageSize;
    };
    const Case cases[] = {
        {"definition declares more rows than the pages hold",
         [](jet4::Table& t) { t.storedRowCount = 605; }, [](jet4::BuiltDatabase&) {}, 600, 605},
        {"a long integer declared 4000 bytes wide",
         [](jet4::Table& t) { t.columns[3].declaredSize = 4000; }, [](jet4::BuiltDatabase&) {}, 600,
         0},
        {"slot entries out of order", [](jet4::Table&) {},
         [&](jet4::BuiltDatabase& built) {
             std::uint8_t* data = page(built, built.layout.table("JobLog").firstDataPage);
             std::swap(data[14], data[16]);
             std::swap(data[15], data[17]);
         },
         600, 0},
        {"a row whose slot points outside the page", [](jet4::Table&) {},
         [&](jet4::BuiltDatabase& built) {
             std::uint8_t* data = page(built, built.layout.table("JobLog").firstDataPage);
             data[14] = 0xff;
             data[15] = 0x1f;
         },
         599, 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table_source::clearCache();
        TableCursor::forgetReportedTables();
        m_reports.clear();
        jet4::Table table = jobLog(600);
        c.define(table);
        jet4::BuiltDatabase built = jet4::buildDatabase({table});
        c.damage(built);
        const QString file = write(built.bytes);

        TableCursor cursor;
        cursor.open(file, QStringLiteral("JobLog"));
        EXPECT_EQ(cursor.recordCount(), c.rows);
        const QStringList quotes = column(cursor, u"QuoteNo");
        EXPECT_EQ(QSet<QString>(quotes.begin(), quotes.end()).size(), c.rows);
        EXPECT_TRUE(quotes.contains(QStringLiteral("599")));
        if (c.rows == 600) {
            EXPECT_TRUE(quotes.contains(QStringLiteral("0")) && quotes.contains("1"));
        }

        TableCursor again; // once per run, not once per open
        again.open(file, QStringLiteral("JobLog"));
        if (c.reportedDeclared == 0) {
            EXPECT_TRUE(m_reports.empty());
        } else {
            ASSERT_EQ(m_reports.size(), 1u);
            EXPECT_EQ(m_reports[0].table, QStringLiteral("JobLog"));
            EXPECT_EQ(m_reports[0].read, c.rows);
            EXPECT_EQ(m_reports[0].declared, c.reportedDeclared);
            EXPECT_TRUE(m_reports[0].message().contains(QString::number(c.rows)));
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
    const QString file = write(built.bytes);

    TableCursor cursor;
    cursor.open(file, QStringLiteral("JobLog"));
    const QStringList read = column(cursor, u"Description");
    ASSERT_EQ(read.size(), qsizetype(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_TRUE(read[i] == QString::fromStdString(texts[i])) << "row " << i;

    // The long-value pages follow the data pages: break the chains there.
    const jet4::TableLayout& layout = built.layout.table("JobLog");
    built.bytes[std::size_t{layout.firstDataPage + layout.dataPageCount} * jet4::kPageSize] = 0x07;
    table_source::clearCache();
    cursor.open(write(built.bytes, QStringLiteral("broken.mdb")), QStringLiteral("JobLog"));
    EXPECT_LT(cursor.recordCount(), qsizetype(texts.size()));
    EXPECT_EQ(column(cursor, u"Description").first(), QString::fromStdString(emoji));
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].declared, qsizetype(texts.size()));
}

// Finding: a file rewritten while a table is read. The wrapped reader
// rewrites the file (alternating two versions) on its first runs.
TEST_F(DamagedDatabaseTest, AFileChangedDuringTheReadIsReadAgainOrFails)
{
    const QString file = write(jet4::buildDatabase({jobLog(3)}).bytes);
    write(jet4::buildDatabase({jobLog(3)}).bytes, QStringLiteral("a.mdb"));
    write(jet4::buildDatabase({jobLog(5)}).bytes, QStringLiteral("b.mdb"));
    struct Case
    {
        int changingRuns;
        int error;
        qsizetype rows;
    } const cases[] = {{1, 0, 5}, {2, 0, 3}, {3, int(ErrorCode::UnreadableDatabase), 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.changingRuns);
        table_source::clearCache();
        QFile::remove(path(QStringLiteral("runs")));
        QFile::copy(path(QStringLiteral("a.mdb")), path(QStringLiteral("copy.mdb")));
        QFile::remove(file);
        QFile::rename(path(QStringLiteral("copy.mdb")), file);
        const QString dir = m_dir.path();
        wrapReader(QStringLiteral("echo x >> '%1/runs'\n"
                                  "n=$(wc -l < '%1/runs')\n"
                                  "if [ $n -le %2 ]; then\n"
                                  "  v=b; [ $((n % 2)) -eq 0 ] && v=a\n"
                                  "  sleep 0.01; cat \"%1/$v.mdb\" > \"$1\"\n"
                                  "fi")
                       .arg(dir)
                       .arg(c.changingRuns));
        TableCursor cursor;
        EXPECT_EQ(errorNumberOf([&] { cursor.open(file, QStringLiteral("JobLog")); }), c.error);
        if (c.error == 0) {
            EXPECT_EQ(cursor.recordCount(), c.rows);
        }
    }
}

// Finding: the reader is stopped when it makes no progress, however large
// the file; one that keeps sending is left to finish.
TEST_F(DamagedDatabaseTest, AStalledReaderIsStoppedAndABusyOneIsNot)
{
    const QString file = write(jet4::buildDatabase({jobLog(3)}).bytes);
    table_source::setStallLimit(std::chrono::milliseconds(1500));
    struct Case
    {
        const char* before;
        int error;
    } const cases[] = {
        {"sleep 60", int(ErrorCode::UnreadableDatabase)},
        {"for i in 1 2 3 4 5 6 7 8 9 10 11 12; do printf AK; sleep 0.25; done", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        table_source::clearCache();
        wrapReader(QString::fromLatin1(c.before));
        TableCursor cursor;
        EXPECT_EQ(errorNumberOf([&] { cursor.open(file, QStringLiteral("JobLog")); }), c.error);
    }
}

// Findings: a short tail, a damaged catalog, a folder that may not be
// entered: each says what is true of the file.
TEST_F(DamagedDatabaseTest, SmallMisreportsSayWhatIsTrueOfTheFile)
{
    jet4::BuiltDatabase built = jet4::buildDatabase({jobLog(3)});
    std::vector<std::uint8_t> withTail = built.bytes;
    withTail.insert(withTail.end(), 100, 0);
    std::vector<std::uint8_t> badCatalog = built.bytes;
    // The catalog's third row is the table's entry.
    std::uint8_t* slot =
        badCatalog.data() + std::size_t{built.layout.catalogFirstDataPage} * jet4::kPageSize + 18;
    slot[0] = 0xff;
    slot[1] = 0x1f;

    EXPECT_EQ(errorNumberOf([&] {
                  TableCursor cursor;
                  cursor.open(write(withTail), QStringLiteral("JobLog"));
                  EXPECT_EQ(cursor.recordCount(), 3);
              }),
              0);
    EXPECT_EQ(errorNumberOf([&] {
                  TableCursor().open(write(badCatalog, "catalog.mdb"), QStringLiteral("JobLog"));
              }),
              int(ErrorCode::UnreadableDatabase));
    EXPECT_EQ(errorNumberOf([&] {
                  TableCursor().open(write(built.bytes, "good.mdb"), QStringLiteral("Missing"));
              }),
              int(ErrorCode::TableNotFound));

    if (::geteuid() == 0)
        GTEST_SKIP() << "as root every folder may be entered";
    QDir(m_dir.path()).mkdir(QStringLiteral("locked"));
    const QString locked = write(built.bytes, QStringLiteral("locked/qmdata.mdb"));
    QFile::setPermissions(m_dir.filePath(QStringLiteral("locked")), QFile::ReadOwner);
    const int error = errorNumberOf([&] { TableCursor().open(locked, QStringLiteral("JobLog")); });
    const int deferred =
        errorNumberOf([&] { TableCursor().openDeferred(locked, QStringLiteral("JobLog")); });
    QFile::setPermissions(m_dir.filePath(QStringLiteral("locked")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
