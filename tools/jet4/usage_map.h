#pragma once

#include <cstdint>
#include <vector>

namespace jet4::detail {

/// A usage map listing a run of consecutive data pages.
///
/// Up to kInlineMapPages pages the map is one row of type 0: 0x00, the first
/// page covered, then a 64-byte bitmap. Larger runs use type 1, as Access
/// does: 0x01, then one u32 per window of kPagesPerBitmapPage pages (counted
/// from page 0 of the file), each naming a bitmap page (type 0x05).
struct UsageMap
{
    static constexpr std::uint32_t kInlineMapPages = 512;
    static constexpr std::uint32_t kPagesPerBitmapPage = (4096 - 4) * 8;

    std::vector<std::uint8_t> row;
    std::vector<std::uint8_t> bitmapPages; ///< type 1 only: pages that go at firstBitmapPage
};

/// Bitmap pages the map of this page run needs (0 for an inline map).
std::uint32_t bitmapPageCount(std::uint32_t firstPage, std::uint32_t pageCount);

/// The map of `pageCount` pages from `firstPage`; its bitmap pages, if any,
/// will be placed from `firstBitmapPage` on.
UsageMap buildUsageMap(std::uint32_t firstPage, std::uint32_t pageCount,
                       std::uint32_t firstBitmapPage);

} // namespace jet4::detail
