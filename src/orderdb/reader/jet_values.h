#pragma once

// Value decoding for the database reader that needs no database library:
// Jet 4 text bytes to UTF-16, and date/time day counts to text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace jet_values {

// Decodes a Jet 4 text value: plain UCS-2LE, or the compressed form that
// starts with FF FE and switches between one-byte and two-byte characters at
// each 0x00 byte. An odd trailing byte is dropped.
std::u16string decodeText(const std::uint8_t* bytes, std::size_t length);

// A date/time value (days since 1899-12-30, the fraction being the time of
// day) as "M/D/YYYY", "h:mm:ss AM" or "M/D/YYYY h:mm:ss PM": the date is left
// out at day 0 and the time at midnight. Empty for what no date stands for:
// a value that is not finite, or millennia beyond the calendar's years.
std::string dateTimeText(double days);

// UTF-8 to UTF-16; malformed sequences become U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);

} // namespace jet_values
