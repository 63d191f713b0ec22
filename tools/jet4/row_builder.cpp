#include "jet4/row_builder.h"

#include "jet4/byte_order.h"

#include <algorithm>
#include <cassert>

namespace jet4::detail {

RowBuilder::RowBuilder(const std::vector<StoredColumn>& columns)
    : columns_(columns)
{
    for (const StoredColumn& column : columns_) {
        if (column.fixed) {
            fixedSize_ = std::max<std::size_t>(fixedSize_, column.fixedOffset + column.size);
        } else {
            ++variableCount_;
        }
    }
    fixed_.resize(fixedSize_);
    variableStarts_.resize(variableCount_);
    nullMask_.resize((columns_.size() + 7) / 8);
}

void RowBuilder::begin()
{
    std::fill(fixed_.begin(), fixed_.end(), std::uint8_t{0});
    std::fill(nullMask_.begin(), nullMask_.end(), std::uint8_t{0});
    variable_.clear();
    nextVariable_ = 0;
}

void RowBuilder::markPresent(std::size_t column)
{
    const std::uint16_t bit = columns_[column].number;
    nullMask_[bit / 8] = static_cast<std::uint8_t>(nullMask_[bit / 8] | (1u << (bit % 8)));
}

void RowBuilder::startVariable(std::size_t column)
{
    const std::size_t slot = columns_[column].variableIndex;
    assert(slot == nextVariable_ && "variable columns must be filled in order");
    // Slots skipped so far are Null: zero length, starting here.
    for (; nextVariable_ <= slot; ++nextVariable_) {
        variableStarts_[nextVariable_] = static_cast<std::uint16_t>(variable_.size());
    }
}

void RowBuilder::setNull(std::size_t column)
{
    if (!columns_[column].fixed) {
        startVariable(column);
    }
}

void RowBuilder::setBoolean(std::size_t column, bool value)
{
    if (value) {
        markPresent(column);
    }
}

std::uint8_t* RowBuilder::fixedSlot(std::size_t column)
{
    markPresent(column);
    return fixed_.data() + columns_[column].fixedOffset;
}

std::vector<std::uint8_t>& RowBuilder::variableSlot(std::size_t column)
{
    markPresent(column);
    startVariable(column);
    return variable_;
}

std::size_t RowBuilder::nextVariableRowOffset() const
{
    return 2 + fixedSize_ + variable_.size();
}

std::span<const std::uint8_t> RowBuilder::finish()
{
    for (; nextVariable_ < variableCount_; ++nextVariable_) {
        variableStarts_[nextVariable_] = static_cast<std::uint16_t>(variable_.size());
    }

    const std::size_t trailer = variableCount_ > 0 ? 2 * (variableCount_ + 2) : 0;
    row_.resize(2 + fixedSize_ + variable_.size() + trailer + nullMask_.size());
    std::uint8_t* at = row_.data();
    putU16(at, static_cast<std::uint32_t>(columns_.size()));
    at += 2;
    at = std::copy(fixed_.begin(), fixed_.end(), at);
    at = std::copy(variable_.begin(), variable_.end(), at);
    if (variableCount_ > 0) {
        // Offsets count from the row start. The end of the variable data comes
        // first, then the slots in reverse order, then the slot count.
        const std::size_t base = 2 + fixedSize_;
        putU16(at, static_cast<std::uint32_t>(base + variable_.size()));
        at += 2;
        for (std::size_t slot = variableCount_; slot-- > 0;) {
            putU16(at, static_cast<std::uint32_t>(base + variableStarts_[slot]));
            at += 2;
        }
        putU16(at, static_cast<std::uint32_t>(variableCount_));
        at += 2;
    }
    std::copy(nullMask_.begin(), nullMask_.end(), at);
    return row_;
}

} // namespace jet4::detail
