#pragma once

#include "jet4/data_pages.h"
#include "jet4/jet4_writer.h"
#include "jet4/long_value_pages.h"
#include "jet4/stored_column.h"

#include <cstdint>
#include <vector>

namespace jet4::detail {

/// A user table's rows packed into pages.
struct EncodedRows
{
    DataPages data;
    LongValuePages longValues;   ///< placed right after the data pages
    std::size_t deletedRows = 0; ///< of the rows stored, those flagged deleted
};

/// The table's columns as stored, laid out. Throws std::invalid_argument for
/// a Text length outside 1..255.
std::vector<StoredColumn> storedColumnsOf(const Table& table);

/// Encodes the table's rows in order into data pages owned by
/// `definitionPage` that will be placed from `firstDataPage` on. Throws
/// std::invalid_argument naming the table, row and column of a value that
/// cannot be stored, or a deleted row that is not one of the table's.
EncodedRows encodeRows(const Table& table, const std::vector<StoredColumn>& columns,
                       std::uint32_t definitionPage, std::uint32_t firstDataPage);

} // namespace jet4::detail
