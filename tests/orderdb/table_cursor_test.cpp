// Cursors over writer-made databases: values, Nulls, order, counts, moves,
// reopening, and every failure code of the database layer.

#include "common/runtime_error.h"
#include "jet4/jet4_writer.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"
#include "support/test_files.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using jet4::ColumnType;

jet4::Table jobLog()
{
    jet4::Table table{"JobLog",
                      {{"Job", ColumnType::Text, 8},
                       {"Description", ColumnType::Text, 100},
                       {"Invoiced", ColumnType::Text, 1},
                       {"QuoteNo", ColumnType::Text, 10}},
                      {}};
    table.rows = {
        {"00012345", "Brochures", "1", "Q-1"},
        {"00000017", jet4::Null, "0", ""},
        {"00000003", "Caf\xC3\xA9 menus \xE2\x82\xAC", jet4::Null, jet4::Null},
    };
    return table;
}

class TableCursorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_database = m_dir.filePath(QStringLiteral("qmdata.mdb"));
        jet4::Table empty{"Addresses", {{"AddressID", ColumnType::Long}}, {}};
        jet4::writeDatabase(m_database.toStdString(), {jobLog(), empty});
    }

    QTemporaryDir m_dir;
    TableSource m_tables;
    QString m_database;
};

TEST_F(TableCursorTest, WalksRecordsInTableOrderWithTextNullAndEmptyApart)
{
    TableCursor cursor(m_tables);
    cursor.open(m_database, QStringLiteral("JobLog"));
    EXPECT_EQ(cursor.recordCount(), 3);

    QStringList jobs;
    for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext())
        jobs << cursor.field(u"Job").toText();
    EXPECT_EQ(jobs, QStringList({"00012345", "00000017", "00000003"}));

    cursor.moveFirst();
    cursor.moveNext();
    EXPECT_TRUE(cursor.field(u"Description").isNull());
    EXPECT_EQ(cursor.field(u"QuoteNo"), FieldValue::text(QString()));
    EXPECT_FALSE(cursor.field(u"QuoteNo").isNull());

    cursor.moveNext();
    EXPECT_EQ(cursor.field(u"description").toText(),
              QString::fromUtf8("Caf\xC3\xA9 menus \xE2\x82\xAC"));
    EXPECT_TRUE(cursor.field(u"QuoteNo").isNull());
    EXPECT_FALSE(cursor.field(u"Invoiced").equalsValue(0));
    EXPECT_FALSE(cursor.field(u"Invoiced").equalsValue(1));
}

// A table of many pages is read in chunks on several threads: its records
// come back whole and in table order, runs of repeated values among them.
TEST_F(TableCursorTest, ALargeTableKeepsItsOrderAndEveryValue)
{
    jet4::Table table = jobLog();
    table.rows.clear();
    constexpr int Rows = 40000;
    for (int i = 0; i < Rows; ++i)
        table.rows.push_back({std::to_string(10000000 + i), "Run " + std::to_string(i / 7),
                              i % 5 ? jet4::Value("0") : jet4::Value(jet4::Null), ""});
    jet4::writeDatabase(m_database.toStdString(), {table});

    TableCursor cursor(m_tables);
    cursor.open(m_database, QStringLiteral("JobLog"));
    ASSERT_EQ(cursor.recordCount(), Rows);
    int row = 0;
    for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext(), ++row) {
        ASSERT_EQ(cursor.field(0).toText(), QString::number(10000000 + row));
        ASSERT_EQ(cursor.field(1).toText(), QStringLiteral("Run %1").arg(row / 7));
        ASSERT_EQ(cursor.field(2).isNull(), row % 5 == 0) << row;
    }
    cursor.moveLast();
    EXPECT_EQ(cursor.field(u"Job").toText(), QString::number(10000000 + Rows - 1));
}

TEST_F(TableCursorTest, MovesStayInsideTheTable)
{
    TableCursor cursor(m_tables);
    cursor.open(m_database, QStringLiteral("JobLog"));
    cursor.moveLast();
    EXPECT_EQ(cursor.field(u"Job").toText(), "00000003");
    cursor.moveNext();
    EXPECT_TRUE(cursor.eof());
    cursor.moveNext();
    EXPECT_TRUE(cursor.eof());
    EXPECT_EQ(errorNumberOf([&] { cursor.field(u"Job"); }), int(ErrorCode::NoCurrentRecord));
    cursor.moveFirst();
    EXPECT_FALSE(cursor.eof());
    EXPECT_EQ(cursor.field(u"Job").toText(), "00012345");

    cursor.open(m_database,
                QStringLiteral("Addresses")); // empty: past its end at once
    EXPECT_TRUE(cursor.eof());
    EXPECT_EQ(cursor.recordCount(), 0);
    cursor.moveLast();
    cursor.moveFirst();
    EXPECT_TRUE(cursor.eof());
}

TEST_F(TableCursorTest, AnUnchangedFileIsReadOnceAndAChangedOneAgain)
{
    TableCursor cursor(m_tables);
    cursor.open(m_database, QStringLiteral("JobLog"));
    cursor.moveLast();

    // Without a reader program only the kept snapshot can serve the table.
    const QString reader = m_tables.readerProgram();
    m_tables.setReaderProgram(m_dir.filePath(QStringLiteral("no-reader-here")));
    TableCursor again(m_tables);
    again.open(m_database, QStringLiteral("JOBLOG"));
    EXPECT_EQ(again.recordCount(), 3);

    QFile file(m_database);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(errorNumberOf([&] { again.open(m_database, "JobLog"); }),
              int(ErrorCode::UnreadableDatabase));
    m_tables.setReaderProgram(reader);

    jet4::Table grown = jobLog();
    grown.rows.push_back({"00099999", "Late job", "0", "Q-9"});
    jet4::writeDatabase(m_database.toStdString(), {grown});
    cursor.open(m_database, QStringLiteral("JobLog"));
    EXPECT_EQ(cursor.recordCount(), 4);
    EXPECT_EQ(cursor.field(u"Job").toText(), "00012345"); // a reopened cursor starts at the top
    cursor.moveLast();
    EXPECT_EQ(cursor.field(u"Description").toText(), "Late job");
}

// The cache belongs to its source: a copy of the source is the same
// service, another source reads the file itself.
TEST_F(TableCursorTest, EachSourceKeepsItsOwnCache)
{
    TableCursor(m_tables).open(m_database, QStringLiteral("JobLog"));
    const QString noReader = m_dir.filePath(QStringLiteral("no-reader-here"));
    TableSource copy = m_tables;
    copy.setReaderProgram(noReader);
    TableCursor cached(copy);
    cached.open(m_database, QStringLiteral("JobLog"));
    EXPECT_EQ(cached.recordCount(), 3);
    EXPECT_EQ(errorNumberOf([&] { TableCursor(m_tables).open(m_database, "Addresses"); }),
              int(ErrorCode::UnreadableDatabase));

    TableSource other;
    other.setReaderProgram(noReader);
    EXPECT_EQ(errorNumberOf([&] { TableCursor(other).open(m_database, "JobLog"); }),
              int(ErrorCode::UnreadableDatabase));
}

// The data folder may come from Windows, where the file's name may be spelt
// in any case.
TEST_F(TableCursorTest, ADeferredOpenReadsTheSameAndFailsAtFirstUse)
{
    ASSERT_TRUE(QFile::rename(m_database, m_dir.filePath(QStringLiteral("QMDATA.MDB"))));
    TableCursor cursor(m_tables);
    cursor.openDeferred(m_database, QStringLiteral("JobLog"));
    EXPECT_TRUE(cursor.isOpen());
    EXPECT_EQ(cursor.recordCount(), 3);
    EXPECT_EQ(cursor.field(u"Job").toText(), "00012345");

    EXPECT_EQ(errorNumberOf([&] { cursor.openDeferred(m_dir.filePath("none.mdb"), "JobLog"); }),
              int(ErrorCode::DatabaseFileNotFound));
    cursor.openDeferred(m_database, QStringLiteral("NoSuchTable"));
    cursor.startReading();
    EXPECT_EQ(errorNumberOf([&] { cursor.eof(); }), int(ErrorCode::TableNotFound));
    EXPECT_FALSE(cursor.isOpen());
    EXPECT_EQ(errorNumberOf([&] { cursor.eof(); }), int(ErrorCode::ObjectNotSet));
    EXPECT_EQ(errorNumberOf([&] { cursor.field(u"Job"); }), int(ErrorCode::ObjectNotSet));
}

TEST_F(TableCursorTest, FailuresCarryTheirCodes)
{
    TableCursor cursor(m_tables);
    EXPECT_EQ(errorNumberOf([&] { cursor.moveFirst(); }), int(ErrorCode::ObjectNotSet));
    EXPECT_EQ(errorNumberOf([&] { cursor.open(m_dir.filePath("missing/qmdata.mdb"), "JobLog"); }),
              int(ErrorCode::InvalidDatabasePath));
    EXPECT_EQ(errorNumberOf([&] { cursor.open(m_dir.filePath("other.mdb"), "JobLog"); }),
              int(ErrorCode::DatabaseFileNotFound));
    EXPECT_EQ(errorNumberOf([&] { cursor.open(m_dir.path(), "JobLog"); }),
              int(ErrorCode::UnreadableDatabase));
    EXPECT_EQ(errorNumberOf([&] { cursor.open(m_database, "Customers"); }),
              int(ErrorCode::TableNotFound));
    EXPECT_FALSE(cursor.isOpen());

    cursor.open(m_database, QStringLiteral("joblog")); // table names ignore case
    for (const int index : {-1, cursor.fieldCount()}) {
        EXPECT_EQ(errorNumberOf([&] { cursor.field(index); }), int(ErrorCode::FieldNotFound));
        EXPECT_EQ(errorNumberOf([&] { cursor.fieldEquals(index, u""); }),
                  int(ErrorCode::FieldNotFound));
    }
    EXPECT_EQ(errorNumberOf([&] { cursor.field(u"Jobs"); }), int(ErrorCode::FieldNotFound));
}

TEST_F(TableCursorTest, TheDatabaseFileIsNeverTouched)
{
    const QDateTime modified = QFileInfo(m_database).lastModified();
    const QByteArray bytes = fileContents(m_database);
    // A database the operator may only read must read all the same.
    ASSERT_TRUE(QFile::setPermissions(m_database, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    TableCursor cursor(m_tables);
    cursor.open(m_database, QStringLiteral("JobLog"));
    m_tables.clearCache();
    cursor.open(m_database, QStringLiteral("Addresses"));

    EXPECT_EQ(fileContents(m_database), bytes);
    EXPECT_EQ(QFileInfo(m_database).lastModified(), modified);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList({"qmdata.mdb"}));
}

} // namespace
