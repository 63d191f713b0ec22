#include "common/field_reader.h"
#include "support/test_files.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Fields end at a comma or any line end (CR LF counts once); leading blanks
// and TABs are skipped, trailing ones kept; a quoted value runs to the
// closing quote and whatever follows it up to the delimiter is dropped.
TEST(DelimitedFieldReader, SplitsTheFileIntoItsFields)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {"a,b\r\nc\rd\ne", {"a", "b", "c", "d", "e"}},
        {"E:\\Shop, Main\\Data\r\nE:\\Est\r\n", {"E:\\Shop", "Main\\Data", "E:\\Est"}},
        {" \t a b ,  c\r\n", {"a b ", "c"}},
        {"\"E:\\Shop, Main\"\r\nnext", {"E:\\Shop, Main", "next"}},
        {"  \"a\" junk,b", {"a", "b"}},
        {"\"\"\r\nx", {"", "x"}},
        {"\"two\r\nlines\",z", {"two\r\nlines", "z"}},
        {"\"never closed, at all", {"never closed, at all"}},
        {"\r\nsecond\r\n", {"", "second"}},
        {"\n\n", {"", ""}},
        {"a,,b", {"a", "", "b"}},
        {"1", {"1"}},
        {"\x80\xE9\r\n", {QString::fromUtf16(u"\u20AC\u00E9")}},
        {"", {}},
    };
    for (const auto& [data, fields] : cases) {
        DelimitedFieldReader reader(data);
        QStringList read;
        while (!reader.atEnd())
            read << reader.read();
        EXPECT_EQ(read, fields) << data.toStdString();
        EXPECT_EQ(errorNumberOf([&] { reader.read(); }), 62) << data.toStdString();
    }
}

// Lines end at CR or CR LF only; empty lines and an unterminated last line
// are kept.
TEST(LineReader, SplitsTheFileIntoItsLines)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {"a, \"b\"\r\nc\rd\ne\r\n", {"a, \"b\"", "c", "d\ne"}},
        {"\r\n\r\nlast", {"", "", "last"}},
        {"  padded  \r\n", {"  padded  "}},
        {"one\r\n", {"one"}},
        {"", {}},
    };
    for (const auto& [data, lines] : cases) {
        LineReader reader(data);
        QStringList read;
        while (!reader.atEnd())
            read << reader.readLine();
        EXPECT_EQ(read, lines) << data.toStdString();
        EXPECT_EQ(errorNumberOf([&] { reader.readLine(); }), 62) << data.toStdString();
    }
}

} // namespace
