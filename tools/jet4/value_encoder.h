#pragma once

#include "jet4/jet4_writer.h"
#include "jet4/long_value_pages.h"
#include "jet4/row_builder.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace jet4::detail {

/// The storage column for a user column; throws std::invalid_argument for a
/// Text length outside 1..255.
StoredColumn storedColumnFor(const Column& column);

/// Checks a user value against its column and writes it into the row. Memo
/// text longer than kInlineMemoLimit bytes goes to long-value pages; the
/// row's pointer to it is reported through pendingPointers() because it is
/// relative until those pages get their place in the file.
class ValueEncoder
{
public:
    static constexpr std::size_t kInlineMemoLimit = 256;

    struct PendingPointer
    {
        std::size_t rowOffset;         ///< where the pg_row sits in the row
        std::uint32_t relativePageRow; ///< as returned by LongValuePages::store()
    };

    /// With `shareLongValues`, equal long values are stored once and every
    /// row points at that one chain (a test hook).
    explicit ValueEncoder(LongValuePages& longValues, bool shareLongValues = false);

    /// Throws std::invalid_argument when the value does not fit the column.
    void encode(const Column& column, std::size_t index, const Value& value, RowBuilder& row);

    /// Pointers written since the last call to clearPendingPointers().
    const std::vector<PendingPointer>& pendingPointers() const { return pending_; }
    void clearPendingPointers() { pending_.clear(); }

private:
    void encodeMemo(std::size_t index, const std::string& text, RowBuilder& row);

    LongValuePages& longValues_;
    bool shareLongValues_;
    // Keyed by the stored bytes; looked up through a view, so a repeat costs no copy.
    std::map<std::string, std::uint32_t, std::less<>> storedLongValues_;
    std::vector<std::uint8_t> scratch_;
    std::vector<PendingPointer> pending_;
};

} // namespace jet4::detail
