// The reader against databases that Access itself wrote: compressed and plain
// Unicode text, control characters, rows moved by edits, deleted columns.

#include "orderdb/table_cursor.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The rows of a table as the mdb-export command prints them: the reference
// reader the program's own reading is compared with. It prints Null and empty
// text alike. Its delimiters are ones no test text contains, so commas,
// quotes, tabs and line breaks inside values stay unambiguous.
QList<QStringList> exportWithMdbExport(const QString& databaseFile, const QString& table)
{
    QProcess process;
    process.start(QStringLiteral("mdb-export"),
                  {"-H", "-Q", "-d", "<|col|>", "-R", "<|row|>", databaseFile, table});
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QList<QStringList> rows;
    for (const QString& line :
         QString::fromUtf8(process.readAllStandardOutput()).split("<|row|>", Qt::SkipEmptyParts))
        rows << line.split("<|col|>");
    return rows;
}

struct RealDatabase
{
    const char* file;
    const char* table;
    const char* nullInFirstRow; // a field mdb-export prints as nothing
};

class RealDatabaseTest : public ::testing::TestWithParam<RealDatabase>
{
protected:
    void SetUp() override
    {
        const QString source = QStringLiteral(REAL_MDB_DIR "/") + GetParam().file;
        if (!QFile::exists(source))
            GTEST_SKIP() << "the Access-made sample databases are not here: " << REAL_MDB_DIR;
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(GetParam().file);
        ASSERT_TRUE(QFile::copy(source, m_path));
    }

    QTemporaryDir m_dir;
    QString m_path;
    TableSource m_tables;
};

TEST_P(RealDatabaseTest, ReadsEveryValueInOrderAsMdbExportDoes)
{
    const QString table = GetParam().table;
    const QList<QStringList> expected = exportWithMdbExport(m_path, table);
    ASSERT_FALSE(expected.empty());

    // Deleted columns and rows moved by edits are no damage.
    int notices = 0;
    m_tables.notices().setReporter([&](const ShortTable&) { ++notices; });
    TableCursor cursor(m_tables);
    cursor.open(m_path, table);
    m_tables.notices().setReporter({});
    EXPECT_EQ(notices, 0);
    ASSERT_EQ(cursor.recordCount(), expected.size());
    cursor.moveFirst();
    for (const QStringList& row : expected) {
        for (int c = 0; c < row.size(); ++c)
            EXPECT_EQ(cursor.field(c).toText(), row[c]) << "column " << c;
        cursor.moveNext();
    }
    EXPECT_TRUE(cursor.eof());
    if (GetParam().nullInFirstRow) {
        cursor.moveFirst();
        EXPECT_TRUE(cursor.field(QString::fromLatin1(GetParam().nullInFirstRow)).isNull());
    }
}

INSTANTIATE_TEST_SUITE_P(AccessMade, RealDatabaseTest,
                         ::testing::Values(RealDatabase{"testUnicodeCompV2003.mdb", "Table",
                                                        nullptr},
                                           RealDatabase{"overflowTestV2000.mdb", "Table1", "data3"},
                                           RealDatabase{"delColTestV2000.mdb", "Table1", nullptr}),
                         [](const auto& info) {
                             const std::string file = info.param.file;
                             return file.substr(0, file.find('.'));
                         });

} // namespace
