#include "common/windows1252.h"

#include <array>

namespace {

// Characters of the bytes 0x80-0x9F; the unassigned bytes keep their own
// number.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

constexpr unsigned kTableStart = 0x80;

char encodeOne(char16_t c)
{
    if (c < kTableStart || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (unsigned i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == c)
            return static_cast<char>(kTableStart + i);
    }
    return '?';
}

} // namespace

QString fromWindows1252(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= kTableStart && value < kTableStart + kHighTable.size())
            text += QChar(kHighTable[value - kTableStart]);
        else
            text += QChar(value);
    }
    return text;
}

QByteArray toWindows1252(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            // One character beyond the basic plane: one replacement, not two.
            bytes += '?';
            ++i;
        } else {
            bytes += encodeOne(c.unicode());
        }
    }
    return bytes;
}
