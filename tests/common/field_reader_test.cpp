#include "common/field_reader.h"
#include "common/runtime_error.h"
#include "support/test_files.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

QStringList readAllFields(const QByteArray& data)
{
    DelimitedFieldReader reader(data);
    QStringList values;
    while (!reader.atEnd())
        values << reader.read();
    return values;
}

QStringList readAllLines(const QByteArray& data)
{
    LineReader reader(data);
    QStringList lines;
    while (!reader.atEnd())
        lines << reader.readLine();
    return lines;
}

TEST(DelimitedFieldReader, SplitsAtCommasAndEveryKindOfLineEnd)
{
    EXPECT_EQ(readAllFields("a,b\r\nc\rd\ne"), QStringList({"a", "b", "c", "d", "e"}));
    EXPECT_EQ(readAllFields("E:\\Shop, Main\\Data\r\nE:\\Est\r\n"),
              QStringList({"E:\\Shop", "Main\\Data", "E:\\Est"}));
}

TEST(DelimitedFieldReader, SkipsLeadingBlanksOnlyAndKeepsTrailingOnes)
{
    EXPECT_EQ(readAllFields(" \t a b ,  c\r\n"), QStringList({"a b ", "c"}));
}

TEST(DelimitedFieldReader, QuotedValueRunsToTheClosingQuote)
{
    EXPECT_EQ(readAllFields("\"E:\\Shop, Main\"\r\nnext"), QStringList({"E:\\Shop, Main", "next"}));
    // Whatever follows the closing quote up to the delimiter is dropped.
    EXPECT_EQ(readAllFields("  \"a\" junk,b"), QStringList({"a", "b"}));
    EXPECT_EQ(readAllFields("\"\"\r\nx"), QStringList({"", "x"}));
    EXPECT_EQ(readAllFields("\"two\r\nlines\",z"), QStringList({"two\r\nlines", "z"}));
    EXPECT_EQ(readAllFields("\"never closed, at all"), QStringList({"never closed, at all"}));
}

TEST(DelimitedFieldReader, EmptyLinesGiveEmptyValues)
{
    EXPECT_EQ(readAllFields("\r\nsecond\r\n"), QStringList({"", "second"}));
    EXPECT_EQ(readAllFields("\n\n"), QStringList({"", ""}));
    EXPECT_EQ(readAllFields("a,,b"), QStringList({"a", "", "b"}));
}

TEST(DelimitedFieldReader, LastValueNeedsNoLineEnd)
{
    DelimitedFieldReader reader("1");
    EXPECT_EQ(reader.read(), "1");
    EXPECT_TRUE(reader.atEnd());
}

TEST(DelimitedFieldReader, ReadingPastTheEndFails)
{
    DelimitedFieldReader reader("only\r\n");
    EXPECT_EQ(reader.read(), "only");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(errorNumberOf([&] { reader.read(); }), 62);

    DelimitedFieldReader empty("");
    EXPECT_TRUE(empty.atEnd());
    EXPECT_EQ(errorNumberOf([&] { empty.read(); }), 62);
}

TEST(DelimitedFieldReader, DecodesWindows1252)
{
    EXPECT_EQ(readAllFields("\x80\xE9\r\n"), QStringList({QString::fromUtf16(u"\u20AC\u00E9")}));
}

TEST(LineReader, EndsLinesAtCrOrCrLfOnly)
{
    EXPECT_EQ(readAllLines("a, \"b\"\r\nc\rd\ne\r\n"), QStringList({"a, \"b\"", "c", "d\ne"}));
}

TEST(LineReader, KeepsEmptyLinesAndAnUnterminatedLastLine)
{
    EXPECT_EQ(readAllLines("\r\n\r\nlast"), QStringList({"", "", "last"}));
    EXPECT_EQ(readAllLines("  padded  \r\n"), QStringList({"  padded  "}));
}

TEST(LineReader, EmptyFileIsAtItsEndAndReadingPastTheEndFails)
{
    LineReader empty("");
    EXPECT_TRUE(empty.atEnd());
    EXPECT_EQ(errorNumberOf([&] { empty.readLine(); }), 62);

    LineReader reader("one\r\n");
    EXPECT_EQ(reader.readLine(), "one");
    EXPECT_EQ(errorNumberOf([&] { reader.readLine(); }), 62);
}

} // namespace
