// The table stream between the reader program and the program: what the
// reader's writer puts out must index back to the same values, and any
// stream cut short or bent out of shape must be refused, not half-read.

#include "orderdb/reader/jet_values.h"
#include "orderdb/reader/stream_writer.h"
#include "orderdb/snapshot_protocol.h"
#include "orderdb/table_snapshot.h"

#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace snapshot_protocol;

const std::u16string LongText(40000, u'\u20ac');

// Writes a stream as the reader does: a head of two columns (text, number),
// then what `rows` writes, then the end with the announced row count and the
// damage count.
template<typename Rows>
QByteArray stream(Rows&& rows, std::optional<std::uint32_t> announcedRows = {},
                  std::uint32_t damage = 0)
{
    QTemporaryFile file;
    EXPECT_TRUE(file.open());
    StreamWriter out(file.handle());
    out.writeBytes(Magic, sizeof Magic);
    out.writeU32(2);
    out.writeU32(0); // the row hint may be wrong
    out.writeU32(static_cast<std::uint32_t>(ColumnKind::Text));
    out.writeText(u"Name");
    out.writeU32(static_cast<std::uint32_t>(ColumnKind::Number));
    out.writeText(u"Qty");
    rows(out);
    const char end = static_cast<char>(EndTag);
    out.writeBytes(&end, 1);
    out.writeU32(announcedRows.value_or(out.rowsWritten()));
    out.writeU32(damage);
    EXPECT_TRUE(out.flush());
    file.seek(0);
    return file.readAll();
}

// Five rows of every kind of cell, with a row taken back halfway and a
// repeated number.
QByteArray sampleStream(std::optional<std::uint32_t> announcedRows = {}, std::uint32_t damage = 0)
{
    return stream(
        [](StreamWriter& out) {
            out.beginRow();
            out.writeLatin1("Caf\xe9");
            out.writeAscii("-12.5");
            out.endRow();
            out.beginRow();
            out.writeText(u"Rest");
            out.abandonRow();
            out.beginRow();
            out.writeUcs2(reinterpret_cast<const std::uint8_t*>("R\0e\0s\0t\0!"), 9);
            out.writeNull();
            out.endRow();
            out.beginRow();
            out.writeText(u"\u041c\u0438\u0440 \u20ac");
            out.writeDecimal(-9223372036854775807 - 1);
            out.endRow();
            out.beginRow();
            out.writeText(LongText);
            out.writeDecimal(-9223372036854775807 - 1);
            out.endRow();
            out.beginRow(); // what the reader writes for values it does not read
            out.writeAscii({});
            out.writeAscii({});
            out.endRow();
        },
        announcedRows, damage);
}

// Builds a snapshot from pieces of a stream, in blocks of the given size.
std::optional<TableSnapshot> buildInPieces(const QByteArray& bytes, std::size_t blockSize,
                                           std::size_t pieceSize)
{
    TableSnapshot::Builder builder(1 << 20, blockSize);
    for (qsizetype done = 0; done < bytes.size();) {
        const std::span<char> room = builder.room();
        const std::size_t size =
            std::min({room.size(), pieceSize, std::size_t(bytes.size() - done)});
        std::memcpy(room.data(), bytes.constData() + done, size);
        done += qsizetype(size);
        if (!builder.received(size))
            return std::nullopt;
    }
    return builder.finish();
}

TEST(TableStream, ReadsBackEveryKindOfCell)
{
    const QByteArray whole = sampleStream();
    const std::optional<TableSnapshot> table = TableSnapshot::fromStream(whole);
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(table->columnNames(), QStringList({"Name", "Qty"}));
    ASSERT_EQ(table->rowCount(), 5);
    EXPECT_EQ(table->value(0, 0), FieldValue::text(QString::fromUtf8("Caf\xC3\xA9")));
    EXPECT_EQ(table->value(0, 1), FieldValue::number("-12.5"));
    // The taken-back row leaves no trace, not even as what a repeat stands for.
    EXPECT_EQ(table->value(1, 0), FieldValue::text("Rest"));
    EXPECT_TRUE(table->value(1, 1).isNull());
    EXPECT_EQ(table->value(2, 0),
              FieldValue::text(QString::fromUtf8("\xD0\x9C\xD0\xB8\xD1\x80 \xE2\x82\xAC")));
    EXPECT_EQ(table->value(2, 1), FieldValue::number("-9223372036854775808"));
    EXPECT_EQ(table->value(3, 0).toText(), QString::fromStdU16String(LongText));
    EXPECT_EQ(table->value(3, 1), FieldValue::number("-9223372036854775808"));
    EXPECT_EQ(table->value(4, 0), FieldValue::text(""));
    EXPECT_EQ(table->value(4, 1), FieldValue::number(""));
    EXPECT_EQ(table->columnIndex(u"qty"), 1);
    EXPECT_EQ(table->damageCount(), 0);
    EXPECT_EQ(TableSnapshot::fromStream(sampleStream({}, 70000))->damageCount(), 70000);

    // A cell equals its own text, and a Null no text, not even an empty one.
    for (qsizetype row = 0; row < 5; ++row) {
        for (int column = 0; column < 2; ++column)
            EXPECT_EQ(table->cellEquals(row, column, table->value(row, column).toText()),
                      !table->value(row, column).isNull());
    }
    EXPECT_FALSE(table->cellEquals(0, 0, u"Caf"));
    EXPECT_FALSE(table->cellEquals(2, 0, u"\u041c\u0438\u0440 \u20ad"));
    EXPECT_EQ(table->columnIndex(u"Quantity"), -1);

    // The same table, however the stream is cut into pieces and blocks.
    for (const auto& [blockSize, pieceSize] : {std::pair{64, 1}, {64, 7}, {100, 4096}}) {
        const std::optional<TableSnapshot> pieces = buildInPieces(whole, blockSize, pieceSize);
        ASSERT_TRUE(pieces.has_value()) << blockSize << " " << pieceSize;
        for (qsizetype row = 0; row < 5; ++row) {
            for (int column = 0; column < 2; ++column)
                EXPECT_EQ(pieces->value(row, column), table->value(row, column));
        }
    }
}

// A cell like the one above it travels as one byte; every key row carries
// its values itself, so any row reads alike walked to or jumped to.
TEST(TableStream, RepeatsTravelAsOneByteAndEveryRowReadsAlike)
{
    constexpr int Rows = 200;
    const QByteArray bytes = stream([](StreamWriter& out) {
        for (int row = 0; row < Rows; ++row) {
            out.beginRow();
            out.writeLatin1(row < 100 ? "Acme Printing" : "Bluewater");
            out.writeDecimal(row / 3);
            out.endRow();
        }
    });
    // Head 33 and end 9 bytes; each row its length and two one-byte repeats,
    // each key row and each change some 14 + 3 bytes more.
    EXPECT_LT(bytes.size(), 33 + 9 + Rows * 3 + 4 * 14 + 70 * 3);
    for (const auto& [blockSize, pieceSize] : {std::pair{1 << 20, 1 << 20}, {64, 5}}) {
        const std::optional<TableSnapshot> table = buildInPieces(bytes, blockSize, pieceSize);
        ASSERT_TRUE(table.has_value());
        ASSERT_EQ(table->rowCount(), Rows);
        // Walked row by row, each field read on every row or only now and
        // then (a repeat then finds its cell above the rows read), or jumped to.
        TableSnapshot::Row walked(*table);
        TableSnapshot::Row sparse(*table);
        for (int row = 0; row < Rows; ++row) {
            walked.moveTo(row);
            sparse.moveTo(row);
            const FieldValue name = FieldValue::text(row < 100 ? "Acme Printing" : "Bluewater");
            const FieldValue number = FieldValue::number(QString::number(row / 3));
            EXPECT_EQ(table->cellValue(walked.cell(0), 0), name);
            EXPECT_EQ(table->cellValue(walked.cell(1), 1), number);
            if (row % 7 == 3) {
                EXPECT_EQ(table->cellValue(sparse.cell(0), 0), name) << row;
            }
            if (row % 5 == 4) {
                EXPECT_EQ(table->cellValue(sparse.cell(1), 1), number) << row;
            }
            EXPECT_EQ(table->value(row, 0), name) << row;
            EXPECT_TRUE(table->cellEquals(row, 1, QString::number(row / 3))) << row;
        }
        for (const int row : {199, 64, 63, 0, 130})
            EXPECT_EQ(table->value(row, 1), FieldValue::number(QString::number(row / 3)));
    }
}

TEST(TableStream, RefusesEveryTruncationAndEveryBentShape)
{
    const QByteArray whole = sampleStream();
    // Every cut in the small cells and the end, and cuts through the long text.
    for (qsizetype size = 0; size < whole.size();
         size += size < 200 || size > whole.size() - 200 ? 1 : 997)
        ASSERT_FALSE(TableSnapshot::fromStream(whole.left(size))) << "cut at " << size;
    EXPECT_FALSE(TableSnapshot::fromStream(sampleStream(4)));
    EXPECT_FALSE(TableSnapshot::fromStream(whole + QByteArray(1, '\0')));
    EXPECT_FALSE(TableSnapshot::fromStream(whole + QByteArray(1, char(KeepAliveTag))));

    // The first row: after 8 + 4 + 4 + (4 + 5) + (4 + 4) bytes, its length,
    // then its first cell. A cell may not break, nor overrun or fall short
    // of its row.
    constexpr int FirstRow = 33;
    for (const auto& [at, byte] : {std::pair{FirstRow + 1, 0xf0},
                                   {FirstRow + 1, RepeatTag},
                                   {FirstRow + 1, EndTag},
                                   {FirstRow, 0xf2},
                                   {FirstRow, 0xff}}) {
        QByteArray bent = whole;
        bent[at] = char(byte);
        EXPECT_FALSE(TableSnapshot::fromStream(bent)) << at << " " << int(byte);
    }
    for (const int change : {-1, 1}) {
        QByteArray bent = whole;
        bent[FirstRow] = char(bent[FirstRow] + change);
        EXPECT_FALSE(TableSnapshot::fromStream(bent)) << change;
    }

    // A repeat may stand at most KeyRowInterval - 1 rows after a row without one.
    const auto repeatedRows = [&](int rows) {
        QByteArray bytes = whole.left(FirstRow) + "\x04\x01x\x01"
                                                  "1";
        for (int row = 1; row < rows; ++row)
            bytes += QByteArray(1, '\x02') + QByteArray(2, char(RepeatTag));
        const std::uint32_t count = std::uint32_t(rows);
        return bytes + char(EndTag) + QByteArray(reinterpret_cast<const char*>(&count), 4) +
               QByteArray(4, '\0');
    };
    EXPECT_TRUE(TableSnapshot::fromStream(repeatedRows(KeyRowInterval)));
    EXPECT_FALSE(TableSnapshot::fromStream(repeatedRows(KeyRowInterval + 1)));

    // Keep-alive tags may stand before the head and between rows.
    QByteArray keptAlive = QByteArray(3, char(KeepAliveTag)) + whole;
    keptAlive.insert(3 + FirstRow, QByteArray(2, char(KeepAliveTag)));
    const std::optional<TableSnapshot> table = buildInPieces(keptAlive, 64, 3);
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(table->value(1, 0), FieldValue::text("Rest"));
}

TEST(JetText, DecodesBothStoredForms)
{
    const std::pair<std::vector<unsigned char>, std::u16string> cases[] = {
        {{'A', 0, 0xe9, 0, 0xac, 0x20}, u"A\u00e9\u20ac"}, // UCS-2LE
        {{0xff, 0xfe, 'a', 'b', 'c'}, u"abc"},             // compressed
        // A zero byte switches to two-byte characters and back.
        {{0xff, 0xfe, 'x', 0, 0xac, 0x20, 0, 'y'}, u"x\u20acy"},
        {{'A', 0, 'B'}, u"A"}, // an odd trailing byte is dropped
        {{}, u""}};
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(jet_values::decodeText(bytes.data(), bytes.size()), text);
}

TEST(JetText, DateTimesReadAsDatesAndTimesOfDay)
{
    const std::pair<double, const char*> cases[] = {
        {36526.0, "1/1/2000"}, {36526.75, "1/1/2000 6:00:00 PM"}, {0.5, "12:00:00 PM"},
        {0.0, "12:00:00 AM"},  {-1.25, "12/29/1899 6:00:00 AM"},  {2958465.0, "12/31/9999"}};
    for (const auto& [days, text] : cases)
        EXPECT_EQ(jet_values::dateTimeText(days), text) << days;
}

TEST(JetText, Utf8BecomesUtf16WithReplacementForBrokenBytes)
{
    EXPECT_EQ(jet_values::utf8ToUtf16("Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x98\x80"),
              u"Gr\u00fc\u00df \u20ac \U0001F600");
    EXPECT_EQ(jet_values::utf8ToUtf16("a\xC3"), u"a\ufffd");
    EXPECT_EQ(jet_values::utf8ToUtf16("\xFF"
                                      "b"),
              u"\ufffdb");
}

} // namespace
