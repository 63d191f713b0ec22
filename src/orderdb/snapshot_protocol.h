#pragma once

// The byte stream in which the database reader program hands one table to the
// program. Everything is little-endian and every item is a multiple of two
// bytes long, so text units stay aligned for direct use as UTF-16:
//
//   magic "QMTABLE1"
//   u32 column count, then per column: u32 kind, u32 name length, name units
//   per row: u32 RowMarker, then per column: u32 length (NullLength for Null),
//            then that many UTF-16 units
//   u32 EndMarker, u32 row count
//
// Numbers travel as their plain decimal text; the column kind tells them apart
// from text. A stream that ends early or breaks this shape is a failed read.

#include <cstdint>

namespace snapshot_protocol {

inline constexpr char Magic[8] = {'Q', 'M', 'T', 'A', 'B', 'L', 'E', '1'};
inline constexpr std::uint32_t RowMarker = 0x21574f52; // "ROW!"
inline constexpr std::uint32_t EndMarker = 0x21444e45; // "END!"
inline constexpr std::uint32_t NullLength = 0xffffffff;

enum class ColumnKind : std::uint32_t { Text = 0, Number = 1 };

// Exit codes of the reader program, besides 0 for a complete stream.
enum ExitCode : int {
    ExitUsage = 2,
    ExitNotADatabase = 3,
    ExitNoSuchTable = 4,
    ExitUnreadableTable = 5,
};

} // namespace snapshot_protocol
