#include "jet4/long_value_pages.h"

#include "jet4/byte_order.h"

#include <algorithm>

namespace jet4::detail {

namespace {

constexpr std::size_t kPointerSize = 4;
constexpr std::size_t kMaxPiece = DataPages::kMaxRowSize - kPointerSize;

std::uint32_t readU32(const std::uint8_t* at)
{
    return std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 |
           std::uint32_t{at[3]} << 24;
}

} // namespace

LongValuePages::LongValuePages()
    : pages_(kLongValueOwner)
{
}

std::uint32_t LongValuePages::store(std::span<const std::uint8_t> data)
{
    std::uint32_t first = 0;
    std::size_t previousPointer = 0;
    bool hasPrevious = false;
    std::size_t done = 0;
    do {
        const std::size_t length = std::min(kMaxPiece, data.size() - done);
        piece_.assign(kPointerSize, 0);
        piece_.insert(piece_.end(), data.begin() + static_cast<std::ptrdiff_t>(done),
                      data.begin() + static_cast<std::ptrdiff_t>(done + length));
        const DataPages::Placement placed = pages_.add(piece_);
        const std::uint32_t here = pageRow(placed.pageIndex, placed.row);
        if (hasPrevious) {
            putU32(pages_.bytes().data() + previousPointer, here);
            pointerOffsets_.push_back(previousPointer);
        } else {
            first = here;
        }
        previousPointer = placed.offsetInBytes;
        hasPrevious = true;
        done += length;
    } while (done < data.size());
    return first;
}

void LongValuePages::relocate(std::uint32_t firstPage)
{
    for (const std::size_t offset : pointerOffsets_) {
        std::uint8_t* at = pages_.bytes().data() + offset;
        putU32(at, readU32(at) + pageRow(firstPage, 0));
    }
    pointerOffsets_.clear();
}

} // namespace jet4::detail
