// Damaged and foreign files must give "unreadable database" or read; they
// must never crash or hang the program, and leave no reader process behind.

#include "common/runtime_error.h"
#include "jet4/jet4_writer.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/wait.h>

namespace {

// Opens the table; true when it read (any number of rows), false for the
// unreadable-database failure. Any other failure fails the test.
bool opensOrIsUnreadable(const QString& path, const QString& table)
{
    TableCursor cursor;
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
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        table_source::clearCache();
    }

    QString writeFile(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("qmdata.mdb"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(MalformedDatabaseTest, FilesThatAreNoDatabaseAreUnreadable)
{
    QRandomGenerator random(4711);
    QByteArray noise(3 * 4096, Qt::Uninitialized);
    for (char& byte : noise)
        byte = static_cast<char>(random.generate());

    const QList<QByteArray> files = {
        QByteArray(), QByteArray(100, 'x'),       QByteArray("Not a database at all\r\n"),
        noise,        QByteArray(8 * 4096, '\0'),
    };
    for (const QByteArray& bytes : files) {
        const QString path = writeFile(bytes);
        try {
            TableCursor cursor;
            cursor.open(path, QStringLiteral("Orders"));
            ADD_FAILURE() << "opened a file of " << bytes.size() << " bytes";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.code(), ErrorCode::UnreadableDatabase);
        }
    }
    EXPECT_TRUE(noChildLeft());
}

TEST_F(MalformedDatabaseTest, TruncatedAccessFilesNeverCrash)
{
    QFile source(QStringLiteral(REAL_MDB_DIR "/testUnicodeCompV2003.mdb"));
    if (!source.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "the Access-made sample databases are not here: " << REAL_MDB_DIR;
    const QByteArray original = source.readAll();

    for (qsizetype size : {qsizetype{4096}, qsizetype{3 * 4096}, original.size() / 2,
                           original.size() - 4096, original.size() - 1})
        opensOrIsUnreadable(writeFile(original.left(size)), QStringLiteral("Table"));

    EXPECT_TRUE(noChildLeft());
}

jet4::Table sampleOrders()
{
    jet4::Table orders{"Orders",
                       {{"OrderNo", jet4::ColumnType::Text, 8},
                        {"PartNo", jet4::ColumnType::Integer},
                        {"Description", jet4::ColumnType::Text, 100}},
                       {}};
    for (int i = 0; i < 2000; ++i)
        orders.rows.push_back(
            {std::to_string(10000000 + i), i % 9, "Part description " + std::to_string(i)});
    return orders;
}

TEST_F(MalformedDatabaseTest, AUsageMapPointerThatCrashesTheLibraryGivesUnreadable)
{
    // An empty or missing usage-map row makes libmdb 1.0.0 dereference NULL.
    jet4::BuiltDatabase built = jet4::buildDatabase({sampleOrders()});
    const std::size_t tdef = built.layout.table("Orders").definitionPage * jet4::kPageSize;
    built.bytes[tdef + 55] = 0xff;
    const QString path = writeFile(QByteArray(reinterpret_cast<const char*>(built.bytes.data()),
                                              static_cast<qsizetype>(built.bytes.size())));
    EXPECT_FALSE(opensOrIsUnreadable(path, QStringLiteral("Orders")));
    EXPECT_TRUE(noChildLeft());
}

TEST_F(MalformedDatabaseTest, ACatalogPropertyBlobThatHangsTheLibraryIsNeverParsed)
{
    jet4::Table orders = sampleOrders();
    orders.catalogProperties = std::vector<std::uint8_t>{'M', 'R', '2', 0, 0, 0, 0, 0, 0x80, 0};
    jet4::BuiltDatabase built = jet4::buildDatabase({orders});
    const QString path = writeFile(QByteArray(reinterpret_cast<const char*>(built.bytes.data()),
                                              static_cast<qsizetype>(built.bytes.size())));

    table_source::setStallLimit(std::chrono::milliseconds(1500));
    const bool read = opensOrIsUnreadable(path, QStringLiteral("Orders"));
    table_source::setStallLimit(std::chrono::seconds(5));
    EXPECT_TRUE(read);
    EXPECT_TRUE(noChildLeft());
}

} // namespace
