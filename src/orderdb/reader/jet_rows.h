#pragma once

// Locating and taking apart the rows of Jet 4 data pages, and following long
// values across their pages, without the database library. Everything here
// works on page bytes it is given and checks every offset against them, so a
// damaged or hostile page can only make a row unreadable.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace jet_rows {

inline constexpr int PageSize = 4096;

// Column type codes of a table definition.
namespace types {
inline constexpr int Boolean = 0x01, Byte = 0x02, Integer = 0x03, LongInteger = 0x04,
                     Currency = 0x05, Single = 0x06, Double = 0x07, DateTime = 0x08, Text = 0x0a,
                     Memo = 0x0c, ReplicationId = 0x0f, Numeric = 0x10, Complex = 0x12;
} // namespace types
using Page = std::span<const std::uint8_t, PageSize>;

// Where one row of a data page lies. A row ends where the nearest row above
// it begins, whatever order the slot table lists the rows in: pages whose
// slot entries are out of order still give every row.
struct RowSpan
{
    int start = 0;
    int length = 0;
    bool deleted = false; // left out by every reader
};

// The rows of one data page. The slot table is read once, and every row's
// end found in one pass over the sorted starts.
class PageRows
{
public:
    explicit PageRows(Page page);

    // The slots the page claims, limited to what its slot table can hold.
    int count() const { return m_count; }
    std::optional<RowSpan> row(int slot) const;

private:
    Page m_page;
    int m_count = 0;
    std::vector<std::uint16_t> m_ends; // by slot: where the nearest row above begins
};

// A column as the table definition describes it.
struct ColumnLayout
{
    int number = 0; // its bit in the null mask
    bool fixed = false;
    int fixedOffset = 0;
    int fixedOrdinal = 0; // fixed columns: how many fixed columns come before it
    int variableIndex = 0;
    int size = 0; // fixed columns: bytes in the fixed area (0 for Booleans)
};

// One value of a cracked row. `held` is false for a column the row does not
// hold (one added to the table after the row was written): it reads as Null.
struct Cell
{
    bool present = false; // the null-mask bit: set = a value (Booleans: true)
    bool held = false;
    int start = 0; // from the row start
    int length = 0;
};

// Whether a cell's value can be read where the row and the definition put it.
enum class CellCheck {
    Sound,
    DamagedValue, // a fixed value reaching past the row's fixed area: not this column's bytes
    DamagedRow,   // a variable value outside the row: the row's offsets are damaged
};

// The frame of one row: its column counts, null mask and variable-offset
// table, checked against the row's length. Reading a row's cells through it
// costs no more than the cells themselves, so rows are read cell by cell.
class RowFrame
{
public:
    // False when the row's own counts and offsets contradict its length.
    // `tableHasVariableColumns` says whether the row carries a
    // variable-offset table at all.
    inline bool read(std::span<const std::uint8_t> row, bool tableHasVariableColumns);

    // Where the column's value lies in the row, and whether it can be read
    // there. A Null, or a column the row does not hold, is always sound.
    inline CellCheck cell(const ColumnLayout& column, Cell& cell) const;

private:
    unsigned variableOffset(int index) const
    {
        const std::uint8_t* at = m_variableTable - 2 * index;
        return at[0] | unsigned{at[1]} << 8;
    }

    const std::uint8_t* m_mask = nullptr;
    const std::uint8_t* m_variableTable = nullptr; // the first entry; later ones lie below
    int m_maskBytes = 0;
    int m_fixedColumns = 0;
    int m_variableColumns = 0;
    int m_valuesEnd = 0; // where the variable-offset table begins
    int m_fixedEnd = 0;  // where the fixed area ends: the variable values begin
};

// Takes a row apart for the given columns; false when the row's own counts
// and offsets contradict its length, or a value lies outside its place.
bool crackRow(std::span<const std::uint8_t> row, bool tableHasVariableColumns,
              const std::vector<ColumnLayout>& columns, std::vector<Cell>& cells);

// The fixed size a column type dictates, whatever the definition declares;
// -1 for types without one.
int fixedSizeOfType(int type);

// Reads one whole page into a buffer the callee owns; nullptr when the page
// cannot be read. The buffer stays valid until the next call.
using PageReader = std::function<const std::uint8_t*(std::uint32_t page)>;

enum class LongValueResult { Read, Damaged, TooLong };

// A long value (memo) from its 12-byte field in the row: stored inline, in
// one long-value row, or in a chain of them. Its bytes are appended to `out`.
// A value longer than maxBytes is refused rather than cut; a length its
// pages do not hold, or a chain that runs short or comes back to a piece it
// passed, is damaged.
LongValueResult readLongValue(std::span<const std::uint8_t> field, const PageReader& readPage,
                              std::size_t maxBytes, std::vector<std::uint8_t>& out);

// Rows are read through these for every row of a table, so they are inline.

inline bool RowFrame::read(std::span<const std::uint8_t> row, bool tableHasVariableColumns)
{
    const int length = static_cast<int>(row.size());
    if (length < 2)
        return false;
    const int rowColumns = row[0] | row[1] << 8;
    m_maskBytes = (rowColumns + 7) / 8;
    if (2 + m_maskBytes > length)
        return false;
    m_mask = row.data() + length - m_maskBytes;
    m_variableColumns = 0;
    m_valuesEnd = length - m_maskBytes;
    m_fixedEnd = m_valuesEnd;
    if (tableHasVariableColumns) {
        if (2 + m_maskBytes + 2 > length)
            return false;
        m_variableColumns = m_mask[-2] | m_mask[-1] << 8;
        m_valuesEnd = length - m_maskBytes - 2 - 2 * (m_variableColumns + 1);
        if (m_valuesEnd < 2 || m_variableColumns > rowColumns)
            return false;
        m_variableTable = m_mask - 4;
        m_fixedEnd = std::min(static_cast<int>(variableOffset(0)), m_valuesEnd);
    }
    m_fixedColumns = rowColumns - m_variableColumns;
    return true;
}

inline CellCheck RowFrame::cell(const ColumnLayout& column, Cell& cell) const
{
    const auto number = static_cast<unsigned>(column.number);
    cell.present =
        static_cast<int>(number / 8) < m_maskBytes && (m_mask[number / 8] >> (number % 8) & 1) != 0;
    if (column.fixed && column.fixedOrdinal < m_fixedColumns) {
        cell.held = true;
        cell.start = 2 + column.fixedOffset;
        cell.length = column.size;
        // Past the fixed area lie the variable values: reading there would
        // give another column's bytes as this one's value.
        return !cell.present || cell.start + cell.length <= m_fixedEnd ? CellCheck::Sound
                                                                       : CellCheck::DamagedValue;
    }
    if (!column.fixed && column.variableIndex < m_variableColumns) {
        cell.held = true;
        cell.start = static_cast<int>(variableOffset(column.variableIndex));
        cell.length = static_cast<int>(variableOffset(column.variableIndex + 1)) - cell.start;
        // A value must lie inside the row; where it does not, the row is damaged.
        return !cell.present || (cell.length >= 0 && cell.start >= 2 &&
                                 cell.start + cell.length <= m_valuesEnd)
                   ? CellCheck::Sound
                   : CellCheck::DamagedRow;
    }
    cell.held = false;
    cell.present = false;
    return CellCheck::Sound;
}

} // namespace jet_rows
