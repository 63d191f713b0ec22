#pragma once

// Locating and taking apart the rows of Jet 4 data pages, and following long
// values across their pages, without the database library. Everything here
// works on page bytes it is given and checks every offset against them, so a
// damaged or hostile page can only make a row unreadable.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace jet_rows {

inline constexpr int PageSize = 4096;
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

// Takes a row apart for the given columns; false when the row's own counts
// and offsets contradict its length. `tableHasVariableColumns` says whether
// the row carries a variable-offset table at all.
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
// one long-value row, or in a chain of them. Its bytes are appended to `out`;
// a value longer than maxBytes is refused rather than cut.
LongValueResult readLongValue(std::span<const std::uint8_t> field, const PageReader& readPage,
                              std::size_t maxBytes, std::vector<std::uint8_t>& out);

} // namespace jet_rows
