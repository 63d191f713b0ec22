// Windows-1252 against the C library's own converter, every byte and every
// character of the basic plane. The five bytes the code page leaves
// unassigned keep their own number, as the settings files written by earlier
// releases expect.

#include "common/windows1252.h"

#include <iconv.h>

#include <gtest/gtest.h>

#include <optional>

namespace {

bool unassigned(unsigned byte)
{
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

class Converter
{
public:
    Converter(const char* to, const char* from)
        : m_cd(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // The converted bytes, or nothing when the converter has no mapping.
    std::optional<QByteArray> operator()(QByteArray in)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char out[8];
        char* inPtr = in.data();
        char* outPtr = out;
        std::size_t inLeft = static_cast<std::size_t>(in.size());
        std::size_t outLeft = sizeof out;
        if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        return QByteArray(out, outPtr - out);
    }

private:
    iconv_t m_cd;
};

QByteArray utf16(char16_t c)
{
    return QByteArray(reinterpret_cast<const char*>(&c), 2);
}

TEST(Windows1252, EveryByteDecodesAsTheCLibraryDecodesIt)
{
    Converter decode("UTF-16LE", "WINDOWS-1252");
    ASSERT_TRUE(decode.valid());
    for (unsigned byte = 0; byte < 256; ++byte) {
        const QString text = fromWindows1252(QByteArray(1, static_cast<char>(byte)));
        ASSERT_EQ(text.size(), 1);
        const std::optional<QByteArray> expected = decode(QByteArray(1, static_cast<char>(byte)));
        const QByteArray got = utf16(text[0].unicode());
        EXPECT_EQ(got, expected.value_or(utf16(static_cast<char16_t>(byte)))) << "byte " << byte;
        EXPECT_EQ(!expected.has_value(), unassigned(byte)) << "byte " << byte;
    }
}

TEST(Windows1252, EveryCharacterEncodesAsTheCLibraryEncodesItOrAsAQuestionMark)
{
    Converter encode("WINDOWS-1252", "UTF-16LE");
    ASSERT_TRUE(encode.valid());
    for (unsigned c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const auto character = static_cast<char16_t>(c);
        const QByteArray got = toWindows1252(QStringView(&character, 1));
        const QByteArray fallback = unassigned(c) ? QByteArray(1, static_cast<char>(c)) : "?";
        EXPECT_EQ(got, encode(utf16(character)).value_or(fallback)) << "U+" << std::hex << c;
    }
}

TEST(Windows1252, ACharacterBeyondTheBasicPlaneIsOneQuestionMark)
{
    EXPECT_EQ(toWindows1252(QString::fromUtf8("x\xF0\x9F\x98\x80y")), "x?y");
    EXPECT_EQ(toWindows1252(QString(QChar(0xD800))), "?"); // a lone half
}

} // namespace
