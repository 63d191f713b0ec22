#include "common/field_reader.h"
#include "support/test_files.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Reads each data to its end, then once more: past the end is error 62.
template<typename Reader>
void expectParts(std::initializer_list<std::pair<QByteArray, QStringList>> cases,
                 QString (Reader::*read)())
{
    for (const auto& [data, parts] : cases) {
        Reader reader(data);
        QStringList got;
        while (!reader.atEnd())
            got << (reader.*read)();
        EXPECT_EQ(got, parts) << data.toStdString();
        EXPECT_EQ(errorNumberOf([&] { (reader.*read)(); }), 62) << data.toStdString();
    }
}

// Fields end at a comma or any line end (CR LF counts once); leading blanks
// and TABs are skipped, trailing ones kept; a quoted value runs to the
// closing quote and whatever follows it up to the delimiter is dropped.
TEST(DelimitedFieldReader, SplitsTheFileIntoItsFields)
{
    expectParts<DelimitedFieldReader>({{"a,b\r\nc\rd\ne", {"a", "b", "c", "d", "e"}},
                                       {" \t a b ,  c\r\n", {"a b ", "c"}},
                                       {"\"E:\\Shop, Main\"\r\nnext", {"E:\\Shop, Main", "next"}},
                                       {"  \"a\" junk,b", {"a", "b"}},
                                       {"\"\"\r\nx", {"", "x"}},
                                       {"\"two\r\nlines\",z", {"two\r\nlines", "z"}},
                                       {"\"never closed, at all", {"never closed, at all"}},
                                       {"\r\nsecond\r\n", {"", "second"}},
                                       {"a,,b", {"a", "", "b"}},
                                       {"\x80\xE9\r\n", {QString::fromUtf16(u"\u20AC\u00E9")}},
                                       {"", {}}},
                                      &DelimitedFieldReader::read);
}

// Lines end at CR or CR LF only; empty lines and an unterminated last line
// are kept.
TEST(LineReader, SplitsTheFileIntoItsLines)
{
    expectParts<LineReader>({{"a, \"b\"\r\nc\rd\ne\r\n", {"a, \"b\"", "c", "d\ne"}},
                             {"\r\n\r\n  last  ", {"", "", "  last  "}},
                             {"", {}}},
                            &LineReader::readLine);
}

} // namespace
