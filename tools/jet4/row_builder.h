#pragma once

#include "jet4/stored_column.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace jet4::detail {

/// Assembles one Jet 4 row: column count, fixed area, variable data, the
/// variable offset table (only when the table has variable columns) and the
/// null mask. Reused for every row of a table to avoid allocations.
///
/// Fill the columns in column order, each exactly once, between begin() and
/// finish(); a column left unfilled reads as Null.
class RowBuilder
{
public:
    explicit RowBuilder(const std::vector<StoredColumn>& columns);

    void begin();
    void setNull(std::size_t column);
    void setBoolean(std::size_t column, bool value);
    /// Marks the column present and returns its bytes in the fixed area.
    std::uint8_t* fixedSlot(std::size_t column);
    /// Marks the column present; append its value to the returned buffer.
    std::vector<std::uint8_t>& variableSlot(std::size_t column);
    /// Offset from the row start of the next byte appended to a variable slot.
    std::size_t nextVariableRowOffset() const;

    /// The finished row, valid until the next begin().
    std::span<const std::uint8_t> finish();

private:
    void markPresent(std::size_t column);
    void startVariable(std::size_t column);

    const std::vector<StoredColumn>& columns_;
    std::size_t fixedSize_ = 0;
    std::size_t variableCount_ = 0;
    std::size_t nextVariable_ = 0; ///< variable slots started so far in this row
    std::vector<std::uint8_t> fixed_;
    std::vector<std::uint8_t> variable_;
    std::vector<std::uint16_t> variableStarts_;
    std::vector<std::uint8_t> nullMask_;
    std::vector<std::uint8_t> row_;
};

} // namespace jet4::detail
