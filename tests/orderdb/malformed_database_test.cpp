// Damaged and foreign files must give "unreadable database" or read; they
// must never crash or hang the program, and leave no reader process behind.

#include "common/runtime_error.h"
#include "jet4/jet4_writer.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"
#include "support/test_files.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/wait.h>

namespace {

// Opens the table; true when it read (any number of rows), false for the
// unreadable-database failure. Any other failure fails the test.
bool opensOrIsUnreadable(const TableSource& tables, const QString& path, const QString& table)
{
    TableCursor cursor(tables);
    try {
        cursor.open(path, table);
        for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext()) {
            for (int c = 0; c < cursor.fieldCount(); ++c)
                (void)cursor.field(c);
        }
        return true;
    } catch (const RuntimeError& error) {
        EXPECT_TRUE(error.code() == ErrorCode::UnreadableDatabase ||
                    error.code() == ErrorCode::TableNotFound)
            << error.what();
        return false;
    }
}

bool noChildLeft()
{
    return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

class MalformedDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString writeFile(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("qmdata.mdb"));
        writeFileContents(path, bytes);
        return path;
    }

    QTemporaryDir m_dir;
    TableSource m_tables;
};

TEST_F(MalformedDatabaseTest, FilesThatAreNoDatabaseAreUnreadable)
{
    QRandomGenerator random(4711);
    QByteArray noise(3 * 4096, Qt::Uninitialized);
    for (char& byte : noise)
        byte = static_cast<char>(random.generate());
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray(100, 'x'), noise, QByteArray("Not a database at all\r\n"),
          QByteArray(8 * 4096, '\0')}) {
        EXPECT_EQ(errorNumberOf([&] { TableCursor(m_tables).open(writeFile(bytes), "Orders"); }),
                  int(ErrorCode::UnreadableDatabase))
            << bytes.size() << " bytes";
    }
    EXPECT_TRUE(noChildLeft());
}

TEST_F(MalformedDatabaseTest, TruncatedAccessFilesNeverCrash)
{
    const QByteArray original =
        fileContents(QStringLiteral(REAL_MDB_DIR "/testUnicodeCompV2003.mdb"));
    if (original == "<missing>")
        GTEST_SKIP() << "the Access-made sample databases are not here: " << REAL_MDB_DIR;
    for (qsizetype size : {qsizetype{4096}, qsizetype{3 * 4096}, original.size() / 2,
                           original.size() - 4096, original.size() - 1})
        opensOrIsUnreadable(m_tables, writeFile(original.left(size)), QStringLiteral("Table"));
    EXPECT_TRUE(noChildLeft());
}

// Definitions that crashed (an empty or missing usage-map row: libmdb 1.0.0
// dereferenced NULL) or hung (a catalog property blob: it looped without
// output) the library that the reader once left them to.
TEST_F(MalformedDatabaseTest, DefinitionsThatBrokeTheLibraryGiveUnreadableOrRead)
{
    jet4::Table orders{"Orders",
                       {{"OrderNo", jet4::ColumnType::Text, 8},
                        {"PartNo", jet4::ColumnType::Integer},
                        {"Description", jet4::ColumnType::Text, 100}}};
    for (int i = 0; i < 2000; ++i)
        orders.rows.push_back(
            {std::to_string(10000000 + i), i % 9, "Part description " + std::to_string(i)});
    jet4::BuiltDatabase badMap = jet4::buildDatabase({orders});
    badMap.bytes[badMap.layout.table("Orders").definitionPage * jet4::kPageSize + 55] = 0xff;
    orders.catalogProperties = std::vector<std::uint8_t>{'M', 'R', '2', 0, 0, 0, 0, 0, 0x80, 0};
    const std::vector<std::uint8_t> blob = jet4::buildDatabase({orders}).bytes;
    const auto bytesOf = [](const std::vector<std::uint8_t>& bytes) {
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    };

    m_tables.setStallLimit(std::chrono::milliseconds(1500));
    EXPECT_FALSE(
        opensOrIsUnreadable(m_tables, writeFile(bytesOf(badMap.bytes)), QStringLiteral("Orders")));
    EXPECT_TRUE(opensOrIsUnreadable(m_tables, writeFile(bytesOf(blob)), QStringLiteral("Orders")));
    EXPECT_TRUE(noChildLeft());
}

} // namespace
