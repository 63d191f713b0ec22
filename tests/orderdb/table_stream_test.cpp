// The table stream between the reader program and the program: what the
// reader's writer puts out must index back to the same values, and any
// stream cut short or bent out of shape must be refused, not half-read.

#include "orderdb/reader/jet_values.h"
#include "orderdb/reader/stream_writer.h"
#include "orderdb/snapshot_protocol.h"
#include "orderdb/table_snapshot.h"

#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace {

using namespace snapshot_protocol;

const std::u16string LongText(40000, u'\u20ac');

// A stream of two columns (text, number) and three rows, as the reader writes it.
QByteArray sampleStream(std::uint32_t announcedRows = 3)
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

    out.writeU16(RowMarker);
    out.writeLatin1("Caf\xe9"); // odd length: padded
    out.writeAscii("-12.5");
    out.writeU16(RowMarker);
    out.writeText(u"\u041c\u0438\u0440 \u20ac");
    out.writeNull();
    out.writeU16(RowMarker);
    out.writeText(LongText);
    out.writeText(u"");
    out.writeU16(EndMarker);
    out.writeU32(announcedRows);
    EXPECT_TRUE(out.flush());
    file.seek(0);
    return file.readAll();
}

TEST(TableStream, ReadsBackEveryKindOfCell)
{
    const std::optional<TableSnapshot> table = TableSnapshot::fromStream(sampleStream());
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(table->columnNames(), QStringList({"Name", "Qty"}));
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->value(0, 0), FieldValue::text(QString::fromUtf8("Caf\xC3\xA9")));
    EXPECT_EQ(table->value(0, 1), FieldValue::number("-12.5"));
    EXPECT_EQ(table->value(1, 0),
              FieldValue::text(QString::fromUtf8("\xD0\x9C\xD0\xB8\xD1\x80 \xE2\x82\xAC")));
    EXPECT_TRUE(table->value(1, 1).isNull());
    EXPECT_EQ(table->value(2, 0).toText(), QString::fromStdU16String(LongText));
    EXPECT_EQ(table->value(2, 1), FieldValue::number(""));
    EXPECT_EQ(table->columnIndex(u"qty"), 1);

    // A cell equals its own text, and a Null no text, not even an empty one.
    for (qsizetype row = 0; row < 3; ++row) {
        for (int column = 0; column < 2; ++column)
            EXPECT_EQ(table->cellEquals(row, column, table->value(row, column).toText()),
                      !table->value(row, column).isNull());
    }
    EXPECT_FALSE(table->cellEquals(0, 0, u"Caf"));
    EXPECT_EQ(table->columnIndex(u"Quantity"), -1);
}

TEST(TableStream, RefusesEveryTruncationAndAWrongRowCount)
{
    const QByteArray whole = sampleStream();
    // Every cut in the small cells and the end, and cuts through the long text.
    for (qsizetype size = 0; size < whole.size();
         size += size < 200 || size > whole.size() - 200 ? 1 : 997)
        ASSERT_FALSE(TableSnapshot::fromStream(whole.left(size))) << "cut at " << size;
    EXPECT_FALSE(TableSnapshot::fromStream(sampleStream(2)));
    EXPECT_FALSE(TableSnapshot::fromStream(whole + QByteArray(2, '\0')));

    QByteArray badMarker = whole;
    badMarker[36] = 'X'; // the first row marker: after 8 + 4 + 4 + (4 + 2 + 4) + (4 + 2 + 4) bytes
    EXPECT_FALSE(TableSnapshot::fromStream(badMarker));
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
