#include "jet4/data_pages.h"

#include "jet4/byte_order.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace jet4::detail {

namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kHeaderSize = 14;

} // namespace

DataPages::DataPages(std::uint32_t owner)
    : owner_(owner)
{
}

void DataPages::startPage()
{
    pageStart_ = bytes_.size();
    bytes_.resize(bytes_.size() + kPage);
    std::uint8_t* page = bytes_.data() + pageStart_;
    page[0] = 0x01;
    page[1] = 0x01;
    putU32(page + 4, owner_);
    rowsOnPage_ = 0;
    lowestRowStart_ = kPage;
}

DataPages::Placement DataPages::add(std::span<const std::uint8_t> row)
{
    if (row.size() > kMaxRowSize) {
        throw std::invalid_argument("row of " + std::to_string(row.size()) +
                                    " bytes is larger than a data page holds (" +
                                    std::to_string(kMaxRowSize) + " bytes)");
    }
    const bool fits = !bytes_.empty() && rowsOnPage_ < kMaxRowsPerPage &&
                      lowestRowStart_ >= row.size() + kHeaderSize + 2 * (rowsOnPage_ + 1);
    if (!fits) {
        startPage();
    }

    std::uint8_t* page = bytes_.data() + pageStart_;
    const std::size_t start = lowestRowStart_ - row.size();
    if (!row.empty()) {
        std::memcpy(page + start, row.data(), row.size());
    }
    const auto slot = static_cast<std::uint8_t>(rowsOnPage_);
    putU16(page + kHeaderSize + 2 * rowsOnPage_, static_cast<std::uint32_t>(start));
    ++rowsOnPage_;
    lowestRowStart_ = start;
    putU16(page + 12, static_cast<std::uint32_t>(rowsOnPage_));
    putU16(page + 2, static_cast<std::uint32_t>(start - (kHeaderSize + 2 * rowsOnPage_)));

    return Placement{pageCount() - 1, slot, pageStart_ + start};
}

void DataPages::markDeleted(const Placement& placement)
{
    constexpr std::uint8_t kDeletedSlot = 0xc0; // the high byte of the slot's offset
    bytes_[placement.pageIndex * kPage + kHeaderSize + 2 * std::size_t{placement.row} + 1] |=
        kDeletedSlot;
}

std::uint32_t DataPages::pageCount() const
{
    return static_cast<std::uint32_t>(bytes_.size() / kPage);
}

} // namespace jet4::detail
