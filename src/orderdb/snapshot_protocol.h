#pragma once

// The byte stream in which the database reader program hands one table to the
// program. Everything is little-endian and every item is a whole number of
// 16-bit words, so UTF-16 text stays aligned for direct use:
//
//   magic "QMTABLE3"
//   u32 column count, u32 declared row count (what the table definition says;
//       it may be stale, and a damaged table yields fewer rows)
//   per column: u32 kind, then the name as a cell
//   per row: u16 RowMarker, then one cell per column
//   u16 EndMarker, u32 row count
//
// Where a row marker may stand, and before the magic, the reader may put
// KeepAliveWord: it carries nothing and tells the program that the reader is
// still making progress through pages that hold no rows.
//
// A cell starts with a u16 word w:
//   w == NullCell              Null
//   w == LongUtf16Cell         a u32 length follows, then that many UTF-16 units
//   w & Utf16Flag              (w & LengthMask) UTF-16 units follow
//   otherwise                  w Latin-1 bytes follow, padded with a zero byte
//                              to an even count
// Most text of an order-entry database is Latin-1, which this halves in size.
// Numbers travel as their plain decimal text; the column kind tells them apart
// from text. A stream that ends early or breaks this shape is a failed read.

#include <cstdint>

namespace snapshot_protocol {

inline constexpr char Magic[8] = {'Q', 'M', 'T', 'A', 'B', 'L', 'E', '3'};
inline constexpr std::uint16_t RowMarker = 0x5752;     // "RW"
inline constexpr std::uint16_t EndMarker = 0x4e45;     // "EN"
inline constexpr std::uint16_t KeepAliveWord = 0x4b41; // "AK"

inline constexpr std::uint16_t NullCell = 0xffff;
inline constexpr std::uint16_t LongUtf16Cell = 0xfffe;
inline constexpr std::uint16_t Utf16Flag = 0x8000;
inline constexpr std::uint16_t LengthMask = 0x7fff;
inline constexpr std::uint16_t MaxShortUtf16 = 0x7ffd;
inline constexpr std::uint16_t MaxLatin1 = 0x7fff;

enum class ColumnKind : std::uint32_t { Text = 0, Number = 1 };

// Exit codes of the reader program, besides 0 for a complete stream.
enum ExitCode : int {
    ExitUsage = 2,
    ExitNotADatabase = 3,
    ExitNoSuchTable = 4,
    ExitUnreadableTable = 5,
    ExitTooLarge = 6, // the table would not fit the stream limit it was given
};

} // namespace snapshot_protocol
