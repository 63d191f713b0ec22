#pragma once

// The byte stream in which the database reader program hands one table to the
// program. Numbers in it are little-endian; nothing is aligned:
//
//   magic "QMTABLE5"
//   u32 column count, u32 declared row count (what the table definition says;
//       it may be stale, and a damaged table yields fewer rows)
//   per column: u32 kind, then the name as a cell
//   per row: its length in bytes, then one cell per column, filling it exactly
//   EndTag, u32 row count, u32 damage count
//
// The damage count tells what the reader found damaged and left out: each
// row it dropped, and each value it sent as Null because the value, or its
// column's definition, could not be read as what it claims to be. A sound
// table counts 0.
//
// A row's length is one byte l <= MaxShortRow, or RowLength16Tag and a u16,
// or RowLength32Tag and a u32: a row can be stepped over without reading it.
//
// Where a row may start, and before the magic, the reader may put KeepAliveTag:
// it carries nothing and tells the program that the reader is still making
// progress through pages that hold no rows.
//
// A cell starts with a tag byte t:
//   t <= MaxShortLatin1    t Latin-1 bytes follow
//   LongLatin1Tag          a u32 length follows, then that many Latin-1 bytes
//   Utf16Tag               a u32 length follows, then that many UTF-16 units
//   NullTag                Null
//   RepeatTag              the same cell as this column's in the row before
// Any other tag breaks the stream. A repeat may not stand in the first row,
// nor in a row KeyRowInterval or more rows after the last row that holds
// none: from such a key row on, a table can be read without the rows before.
//
// Most text of an order-entry database is Latin-1, and the lines of one job
// repeat its customer, phone and order number: a table travels, and is kept,
// in about half the bytes of its values. Numbers travel as their plain decimal
// text; the column kind tells them apart from text. A stream that ends early
// or breaks this shape is a failed read.

#include <cstdint>

namespace snapshot_protocol {

inline constexpr char Magic[8] = {'Q', 'M', 'T', 'A', 'B', 'L', 'E', '5'};

inline constexpr std::uint8_t MaxShortRow = 0xef;
inline constexpr std::uint8_t RowLength16Tag = 0xf0;
inline constexpr std::uint8_t RowLength32Tag = 0xf1;

inline constexpr std::uint8_t MaxShortLatin1 = 0xef;
inline constexpr std::uint8_t Utf16Tag = 0xf9;
inline constexpr std::uint8_t LongLatin1Tag = 0xfa;
inline constexpr std::uint8_t RepeatTag = 0xfb;
inline constexpr std::uint8_t NullTag = 0xfc;
inline constexpr std::uint8_t KeepAliveTag = 0xfd;
inline constexpr std::uint8_t EndTag = 0xfe;

inline constexpr std::uint32_t KeyRowInterval = 64;

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
