#include "orderdb/reader/jet_rows.h"

#include <algorithm>
#include <unordered_set>

namespace jet_rows {
namespace {

constexpr int SlotTableStart = 14;
constexpr int OffsetMask = 0x1fff;
constexpr std::uint16_t DeletedFlag = 0x4000;

unsigned readU16(const std::uint8_t* at)
{
    return at[0] | unsigned{at[1]} << 8;
}

std::uint32_t readU32(const std::uint8_t* at)
{
    return at[0] | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 |
           std::uint32_t{at[3]} << 24;
}

} // namespace

PageRows::PageRows(Page page)
    : m_page(page)
{
    m_count =
        std::min<int>(static_cast<int>(readU16(page.data() + 12)), (PageSize - SlotTableStart) / 2);
    // Each slot's start beside its number, sorted by start.
    std::vector<std::uint32_t> bySlot(static_cast<std::size_t>(m_count));
    for (int slot = 0; slot < m_count; ++slot)
        bySlot[static_cast<std::size_t>(slot)] =
            (readU16(page.data() + SlotTableStart + 2 * slot) & OffsetMask) << 16 |
            static_cast<std::uint32_t>(slot);
    std::sort(bySlot.begin(), bySlot.end());
    // A row ends where the nearest greater start begins; rows that share a
    // start share an end. A damaged slot may claim a start beyond the page:
    // no row reaches past it.
    m_ends.resize(static_cast<std::size_t>(m_count));
    std::uint32_t above = PageSize;
    std::uint32_t groupStart = UINT32_MAX;
    for (auto entry = bySlot.rbegin(); entry != bySlot.rend(); ++entry) {
        const std::uint32_t start = *entry >> 16;
        if (start != groupStart) {
            if (groupStart != UINT32_MAX)
                above = groupStart;
            groupStart = start;
        }
        m_ends[*entry & 0xffff] =
            static_cast<std::uint16_t>(std::min<std::uint32_t>(above, PageSize));
    }
}

std::optional<RowSpan> PageRows::row(int slot) const
{
    if (slot < 0 || slot >= m_count)
        return std::nullopt;
    const unsigned raw = readU16(m_page.data() + SlotTableStart + 2 * slot);
    const int start = static_cast<int>(raw & OffsetMask);
    if (start < SlotTableStart + 2 * m_count || start >= PageSize)
        return std::nullopt;
    const int end = m_ends[static_cast<std::size_t>(slot)];
    return RowSpan{start, end - start, (raw & DeletedFlag) != 0};
}

bool crackRow(std::span<const std::uint8_t> row, bool tableHasVariableColumns,
              const std::vector<ColumnLayout>& columns, std::vector<Cell>& cells)
{
    RowFrame frame;
    if (!frame.read(row, tableHasVariableColumns))
        return false;
    cells.resize(columns.size());
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (frame.cell(columns[c], cells[c]) != CellCheck::Sound)
            return false;
    }
    return true;
}

int fixedSizeOfType(int type)
{
    switch (type) {
    case 0x01: // Boolean: only its null-mask bit
        return 0;
    case 0x02: // byte
        return 1;
    case 0x03: // integer
        return 2;
    case 0x04: // long integer
    case 0x06: // single
    case 0x12: // complex
        return 4;
    case 0x05: // currency
    case 0x07: // double
    case 0x08: // date/time
        return 8;
    case 0x0f: // replication id
        return 16;
    case 0x10: // numeric
        return 17;
    default:
        return -1;
    }
}

namespace {

// The bytes of the row a pg_row names, copied out of the page.
bool fetchRow(std::uint32_t pageRow, const PageReader& readPage, std::vector<std::uint8_t>& bytes)
{
    const std::uint8_t* data = readPage(pageRow >> 8);
    if (!data || data[0] != 0x01)
        return false;
    const Page page(data, PageSize);
    const std::optional<RowSpan> span = PageRows(page).row(static_cast<int>(pageRow & 0xff));
    if (!span)
        return false;
    bytes.assign(data + span->start, data + span->start + span->length);
    return true;
}

} // namespace

LongValueResult readLongValue(std::span<const std::uint8_t> field, const PageReader& readPage,
                              std::size_t maxBytes, std::vector<std::uint8_t>& out)
{
    constexpr std::uint32_t Inline = 0x80000000, SingleRow = 0x40000000;
    if (field.size() < 12)
        return LongValueResult::Damaged;
    const std::uint32_t word = readU32(field.data());
    const std::size_t length = word & 0x3fffffff;
    const std::uint32_t kind = word & 0xc0000000;

    // Inline and in one row, the bytes are at hand: a length beyond them is
    // a damaged field, however long it claims the value is.
    if (kind == Inline) {
        if (length > field.size() - 12)
            return LongValueResult::Damaged;
        out.insert(out.end(), field.begin() + 12,
                   field.begin() + 12 + static_cast<std::ptrdiff_t>(length));
        return LongValueResult::Read;
    }

    std::uint32_t pointer = readU32(field.data() + 4);
    std::vector<std::uint8_t> row;
    if (kind == SingleRow) {
        if (!fetchRow(pointer, readPage, row) || row.size() < length)
            return LongValueResult::Damaged;
        out.insert(out.end(), row.begin(), row.begin() + static_cast<std::ptrdiff_t>(length));
        return LongValueResult::Read;
    }
    if (kind != 0)
        return LongValueResult::Damaged;

    // A chain: each piece is the next pg_row and then data. A piece met
    // twice would repeat the text between, so the chain is damaged; a length
    // the pieces do not reach is found where the chain ends, and one that is
    // truly longer than the value may be where its bytes pass maxBytes.
    std::unordered_set<std::uint32_t> passed;
    std::size_t remaining = length;
    const std::size_t firstByte = out.size();
    while (remaining > 0) {
        if (out.size() - firstByte > maxBytes)
            return LongValueResult::TooLong;
        if (pointer == 0 || !passed.insert(pointer).second || !fetchRow(pointer, readPage, row) ||
            row.size() <= 4)
            return LongValueResult::Damaged;
        pointer = readU32(row.data());
        const std::size_t piece = std::min(row.size() - 4, remaining);
        out.insert(out.end(), row.begin() + 4,
                   row.begin() + 4 + static_cast<std::ptrdiff_t>(piece));
        remaining -= piece;
    }
    return out.size() - firstByte > maxBytes ? LongValueResult::TooLong : LongValueResult::Read;
}

} // namespace jet_rows
