#include "jet4/usage_map.h"

#include "jet4/byte_order.h"

namespace jet4::detail {

namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kInlineBitmapBytes = UsageMap::kInlineMapPages / 8;

void setBit(std::uint8_t* bitmap, std::uint32_t bit)
{
    bitmap[bit / 8] = static_cast<std::uint8_t>(bitmap[bit / 8] | (1u << (bit % 8)));
}

} // namespace

std::uint32_t bitmapPageCount(std::uint32_t firstPage, std::uint32_t pageCount)
{
    if (pageCount <= UsageMap::kInlineMapPages) {
        return 0;
    }
    return (firstPage + pageCount - 1) / UsageMap::kPagesPerBitmapPage + 1;
}

UsageMap buildUsageMap(std::uint32_t firstPage, std::uint32_t pageCount,
                       std::uint32_t firstBitmapPage)
{
    UsageMap map;
    if (pageCount <= UsageMap::kInlineMapPages) {
        map.row.assign(5 + kInlineBitmapBytes, 0);
        putU32(map.row.data() + 1, firstPage);
        for (std::uint32_t i = 0; i < pageCount; ++i) {
            setBit(map.row.data() + 5, i);
        }
        return map;
    }

    // Type 1 windows count from page 0 of the file. Every window up to the last
    // one gets a bitmap page, empty or not: libmdb 1.0.0 does not reset its bit
    // offset when it skips a window entry of 0, and would miss the first page
    // of the following window.
    const std::uint32_t lastWindow = (firstPage + pageCount - 1) / UsageMap::kPagesPerBitmapPage;
    map.row.assign(1 + 4 * (lastWindow + 1), 0);
    map.row[0] = 0x01;
    map.bitmapPages.assign((lastWindow + 1) * kPage, 0);
    for (std::uint32_t window = 0; window <= lastWindow; ++window) {
        putU32(map.row.data() + 1 + 4 * window, firstBitmapPage + window);
        std::uint8_t* page = map.bitmapPages.data() + window * kPage;
        page[0] = 0x05;
        page[1] = 0x01;
    }
    for (std::uint32_t p = firstPage; p < firstPage + pageCount; ++p) {
        const std::uint32_t window = p / UsageMap::kPagesPerBitmapPage;
        std::uint8_t* page = map.bitmapPages.data() + window * kPage;
        setBit(page + 4, p % UsageMap::kPagesPerBitmapPage);
    }
    return map;
}

} // namespace jet4::detail
