// The reader against databases that Access itself wrote: compressed and plain
// Unicode text, control characters, rows moved by edits, deleted columns.

#include "orderdb/mdb_export.h"
#include "orderdb/table_cursor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct RealDatabase
{
    const char* file;
    const char* table;
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
};

TEST_P(RealDatabaseTest, ReadsEveryValueAsMdbExportDoes)
{
    const std::vector<ExportedRow> expected = exportWithMdbExport(m_path, GetParam().table);
    ASSERT_FALSE(expected.empty());

    TableCursor cursor;
    cursor.open(m_path, GetParam().table);
    ASSERT_EQ(cursor.recordCount(), static_cast<qsizetype>(expected.size()));

    cursor.moveFirst();
    for (const ExportedRow& row : expected) {
        ASSERT_FALSE(cursor.eof());
        for (std::size_t c = 0; c < row.size(); ++c) {
            const FieldValue value = cursor.field(static_cast<int>(c));
            if (row[c]) {
                EXPECT_EQ(value.toText(), *row[c]) << "column " << c;
            } else {
                EXPECT_TRUE(value.toText().isEmpty()) << "column " << c;
            }
        }
        cursor.moveNext();
    }
    EXPECT_TRUE(cursor.eof());
}

INSTANTIATE_TEST_SUITE_P(AccessMade, RealDatabaseTest,
                         ::testing::Values(RealDatabase{"testUnicodeCompV2003.mdb", "Table"},
                                           RealDatabase{"overflowTestV2000.mdb", "Table1"},
                                           RealDatabase{"delColTestV2000.mdb", "Table1"}),
                         [](const auto& info) {
                             const std::string file = info.param.file;
                             return file.substr(0, file.find('.'));
                         });

TEST(RealDatabase, MovedRowsComeInPhysicalOrderAndEmptyCellsAreNull)
{
    const QString path = QStringLiteral(REAL_MDB_DIR "/overflowTestV2000.mdb");
    if (!QFile::exists(path))
        GTEST_SKIP() << "the Access-made sample databases are not here: " << REAL_MDB_DIR;
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("copy.mdb"));
    ASSERT_TRUE(QFile::copy(path, copy));

    TableCursor cursor;
    cursor.open(copy, QStringLiteral("Table1"));
    QStringList firstColumn;
    for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext())
        firstColumn << cursor.field(u"data3").toText();
    EXPECT_EQ(firstColumn,
              QStringList({"", "row2col3", "row4col2", "row6col2", "", "row3col3", "row5col2"}));
    cursor.moveFirst();
    EXPECT_TRUE(cursor.field(u"data3").isNull());
    EXPECT_EQ(cursor.field(u"DATA1").kind(), FieldValue::Kind::Text);
}

} // namespace
