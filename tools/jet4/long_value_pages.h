#pragma once

#include "jet4/data_pages.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace jet4::detail {

/// Long values (memo text) that are too long to sit inside their row. Each
/// value is a chain of LVAL rows `next pg_row (0 = last) + up to 4076 bytes`.
/// Page numbers are relative until relocate() learns where the pages go.
class LongValuePages
{
public:
    LongValuePages();

    /// Stores `data` and returns the pg_row of its first piece, relative to the
    /// first long-value page.
    std::uint32_t store(std::span<const std::uint8_t> data);

    /// Makes every chain pointer absolute; call once, when the first page is known.
    void relocate(std::uint32_t firstPage);

    std::uint32_t pageCount() const { return pages_.pageCount(); }
    const std::vector<std::uint8_t>& bytes() const { return pages_.bytes(); }

private:
    DataPages pages_;
    std::vector<std::size_t> pointerOffsets_; ///< non-zero chain pointers in bytes()
    std::vector<std::uint8_t> piece_;
};

/// A pg_row: page number in the upper 24 bits, slot in the lower 8.
inline std::uint32_t pageRow(std::uint32_t page, std::uint8_t row)
{
    return (page << 8) | row;
}

} // namespace jet4::detail
