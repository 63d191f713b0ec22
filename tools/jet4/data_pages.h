#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace jet4::detail {

/// Packs rows into consecutive data pages (type 0x01): rows fill each page
/// from its end downwards in slot order, and a new page starts when the next
/// row does not fit or the page holds 255 rows (a pg_row has one byte for the
/// row). Serves table rows, long-value (LVAL) rows and usage-map rows alike.
class DataPages
{
public:
    /// Largest row a page can hold: the page minus its header and one slot.
    static constexpr std::size_t kMaxRowSize = 4096 - 14 - 2;
    static constexpr std::size_t kMaxRowsPerPage = 255;

    /// `owner` goes to offset 4 of every page: the table definition page,
    /// the text "LVAL" for long values, or 0 for usage maps.
    explicit DataPages(std::uint32_t owner);

    struct Placement
    {
        std::uint32_t pageIndex;   ///< counted from the first page of this object
        std::uint8_t row;          ///< slot on that page
        std::size_t offsetInBytes; ///< where the row starts in bytes()
    };

    /// Throws std::invalid_argument when the row is larger than kMaxRowSize.
    Placement add(std::span<const std::uint8_t> row);

    /// Flags a placed row's slot as Access flags a deleted record; the row's
    /// bytes stay where they are.
    void markDeleted(const Placement& placement);

    std::uint32_t pageCount() const;
    std::vector<std::uint8_t>& bytes() { return bytes_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    void startPage();

    std::uint32_t owner_;
    std::vector<std::uint8_t> bytes_;
    std::size_t pageStart_ = 0;
    std::size_t rowsOnPage_ = 0;
    std::size_t lowestRowStart_ = 0;
};

/// The owner tag of long-value pages.
inline constexpr std::uint32_t kLongValueOwner = 'L' | ('V' << 8) | ('A' << 16) | ('L' << 24);

} // namespace jet4::detail
