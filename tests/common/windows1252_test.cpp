// Windows-1252 against the C library's own converter, every character of
// the basic plane; every byte reads back as the character that is written
// as it. The five bytes the code page leaves
// unassigned keep their own number, as the settings files written by earlier
// releases expect.

#include "common/windows1252.h"

#include <iconv.h>

#include <gtest/gtest.h>

#include <optional>

namespace {

// The converted bytes, or nothing when the converter has no mapping.
std::optional<QByteArray> convert(iconv_t cd, QByteArray in)
{
    char out[8];
    char* inPtr = in.data();
    char* outPtr = out;
    std::size_t inLeft = static_cast<std::size_t>(in.size()), outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    return QByteArray(out, outPtr - out);
}

TEST(Windows1252, EveryCharacterConvertsAsTheCLibraryConvertsItAndBack)
{
    const iconv_t encode = iconv_open("WINDOWS-1252", "UTF-16LE");
    ASSERT_NE(encode, reinterpret_cast<iconv_t>(-1));
    const auto unassigned = [](unsigned c) {
        return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
    };
    for (unsigned c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const auto character = static_cast<char16_t>(c);
        const QByteArray utf16(reinterpret_cast<const char*>(&character), 2);
        const QByteArray fallback = unassigned(c) ? QByteArray(1, static_cast<char>(c)) : "?";
        EXPECT_EQ(toWindows1252(QStringView(&character, 1)),
                  convert(encode, utf16).value_or(fallback))
            << "U+" << std::hex << c;
    }
    iconv_close(encode);
    for (unsigned byte = 0; byte < 256; ++byte) {
        const QByteArray in(1, static_cast<char>(byte));
        EXPECT_EQ(toWindows1252(fromWindows1252(in)), in) << "byte " << byte;
    }
    // Beyond the basic plane, and a lone half: one question mark each.
    EXPECT_EQ(toWindows1252(QString::fromUtf8("x\xF0\x9F\x98\x80y")), "x?y");
    EXPECT_EQ(toWindows1252(QString(QChar(0xD800))), "?");
}

} // namespace
