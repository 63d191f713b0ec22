#pragma once

#include "orderdb/field_value.h"
#include "orderdb/snapshot_protocol.h"

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// The rows of one table as they were when the table was read, in the order
// the database returned them. Built from the reader program's table stream
// while it arrives: the stream's bytes are kept as they came, in blocks, with
// the place of a key row (see snapshot_protocol.h) noted every few dozen
// rows. That costs far less memory than one string object, or one offset,
// per value; a row is found by walking on from the nearest key row before it.
class TableSnapshot
{
public:
    class Builder;
    class Row;

    // Checks and indexes a complete table stream; nullopt when it is cut
    // short or malformed in any way.
    static std::optional<TableSnapshot> fromStream(const QByteArray& stream);

    qsizetype rowCount() const { return m_rowCount; }
    // The row count the table's definition declares. A table yielding
    // fewer rows than that may be damaged (or the count is stale).
    qsizetype declaredRowCount() const { return m_declaredRowCount; }
    // What the reader found damaged and left out: rows dropped, and values
    // read as Null because they could not be read as what they claim to be.
    qsizetype damageCount() const { return m_damageCount; }
    // What the snapshot holds in memory, give or take its bookkeeping.
    qint64 memoryBytes() const;
    qsizetype columnCount() const { return m_columnNames.size(); }
    const QStringList& columnNames() const { return m_columnNames; }

    // Column index by name, letter case ignored as the database does; -1 if
    // there is no such column.
    int columnIndex(QStringView name) const;

    // A cell is where its value starts in the stream; cells come from a Row.
    FieldValue cellValue(const char* cell, int column) const;
    // Whether the cell holds exactly this text (a Null holds none), without
    // making a string of it: scans compare every record of large tables.
    static bool cellMatches(const char* cell, QStringView text);

    // The same for any row: each call walks from the nearest key row.
    FieldValue value(qsizetype row, int column) const;
    bool cellEquals(qsizetype row, int column, QStringView text) const;

private:
    struct BlockFree
    {
        void operator()(char* bytes) const;
    };
    struct Block
    {
        std::unique_ptr<char, BlockFree> bytes;
        std::size_t capacity = 0;
        std::size_t filled = 0;
        // Where its rows (and keep-alive tags between them) begin and end.
        std::size_t rowsBegin = 0;
        std::size_t rowsEnd = 0;
    };
    struct KeyRow
    {
        std::uint32_t row = 0;
        std::uint32_t block = 0;
        std::uint32_t offset = 0;
    };

    TableSnapshot() = default;
    // The cell's text; Null gives empty text.
    static QString cellString(const char* cell);

    QStringList m_columnNames;
    std::vector<FieldValue::Kind> m_kinds; // Text or Number, by column
    std::vector<Block> m_blocks;
    // In row order, no more than 1.5 × KeyRowInterval rows apart.
    std::vector<KeyRow> m_keyRows;
    qsizetype m_rowCount = 0;
    qsizetype m_declaredRowCount = 0;
    qsizetype m_damageCount = 0;
};

// Walks the rows of a snapshot. The next row costs one step over its length;
// a cell costs a pass over the cells before it in its row, and a repeat the
// cell above it, which is at hand when the field was read on the row above.
// Any other cell, like any other row, is found from the nearest key row.
class TableSnapshot::Row
{
public:
    explicit Row(const TableSnapshot& table);

    // The row at hand; -1 before the first move.
    qsizetype index() const { return m_index; }
    // 0 <= row < rowCount().
    inline void moveTo(qsizetype row);
    inline const char* cell(int column);
    // Whether the next row repeats this row's cell (false on the last row).
    inline bool repeatedBelow(int column);

private:
    // A place in the blocks where a row, or keep-alive tags before it, begin.
    struct Place
    {
        std::size_t block = 0;
        const char* at = nullptr;
        const char* end = nullptr; // where the rows of its block end
    };

    // The row starting at or after `place`: its first cell, and the place
    // after it.
    const char* rowAt(Place& place) const;
    void goTo(qsizetype row, Place place);
    // To the nearest key row at or before `row`.
    void goToKeyRowBefore(qsizetype row);
    void next();
    // The next row when its length is a byte in this block; false otherwise.
    inline bool stepOn();
    void walkTo(qsizetype row);
    // Reads the cells of the row at hand up to this column.
    void readCells(int last);
    void readCell(int column);
    // Finds the cell of a column whose repeat points above the rows read.
    void findFromKeyRow(int column);
    bool readBelow(int column);

    const TableSnapshot* m_table;
    qsizetype m_index = -1;
    Place m_after;                  // where the row after the one at hand begins
    const char* m_unread = nullptr; // the first cell of the row at hand not read yet
    int m_read = 0;                 // how many of its cells are read
    std::vector<const char*> m_cells;
    std::vector<qsizetype> m_cellRows; // the row each of m_cells was found for
    // The next row's cells as far as repeatedBelow() read them.
    const char* m_belowUnread = nullptr;
    int m_belowRead = 0;
    std::vector<char> m_repeatsBelow;
};

// Takes a table stream apart while it arrives: the bytes are received
// straight into the blocks they are kept in, and each is checked once.
class TableSnapshot::Builder
{
public:
    // No block grows past maxBytes: a stream that needs more is refused.
    explicit Builder(std::size_t maxBytes, std::size_t blockSize = std::size_t{1} << 20);

    // Where the next bytes of the stream go; never empty while the stream
    // is good.
    std::span<char> room();
    // `size` bytes were written at room(). False once the stream is broken.
    bool received(std::size_t size);

    // The snapshot, when what was received is a whole, well-formed stream.
    std::optional<TableSnapshot> finish();

private:
    enum class Item { Complete, Incomplete, Broken };
    Item parseHeader(const char*& at, const char* end);
    Item parseRow(const char*& at, const char* end);
    Item parseEnd(const char*& at, const char* end);
    bool noteKeyRow(qsizetype row, const char* at);
    void parse();
    bool newBlock();

    TableSnapshot m_table;
    std::size_t m_maxBytes;
    std::size_t m_blockSize;
    std::size_t m_parsed = 0; // in the last block: where the first unchecked item starts
    std::size_t m_needed = 0; // the unchecked item's size, as far as it is known
    bool m_headerRead = false;
    bool m_ended = false;
    bool m_broken = false;
    std::uint32_t m_announcedRows = 0;
    qsizetype m_lastKeyRow = 0; // the last row without a repeat
};

// Every record and field read goes through these, so they are kept inline.

inline bool TableSnapshot::Row::stepOn()
{
    const char* at = m_after.at;
    if (at >= m_after.end)
        return false;
    const auto length = static_cast<std::uint8_t>(*at);
    if (length > snapshot_protocol::MaxShortRow)
        return false;
    m_unread = at + 1;
    m_after.at = at + 1 + length;
    // Each row's place depends on the one before, so the memory ahead is
    // asked for early: scans walk whole tables.
    __builtin_prefetch(at + 512);
    ++m_index;
    m_read = 0;
    m_belowRead = 0;
    return true;
}

inline void TableSnapshot::Row::moveTo(qsizetype row)
{
    if (row != m_index && (row != m_index + 1 || !stepOn()))
        walkTo(row);
}

inline const char* TableSnapshot::Row::cell(int column)
{
    using namespace snapshot_protocol;
    const auto c = static_cast<std::size_t>(column);
    if (m_cellRows[c] == m_index)
        return m_cells[c];
    // Fields read in order, and a short text or a Null next: read here.
    const char* at = m_unread;
    const auto tag = static_cast<std::uint8_t>(*at);
    if (column != m_read || (tag > MaxShortLatin1 && tag != NullTag)) {
        readCell(column);
        return m_cells[c];
    }
    m_cells[c] = at;
    m_cellRows[c] = m_index;
    m_unread = at + (tag == NullTag ? 1 : 1 + tag);
    ++m_read;
    return at;
}

inline bool TableSnapshot::Row::repeatedBelow(int column)
{
    // Fields read in order: the next row's next cell is looked at here.
    if (column != m_belowRead || m_belowRead == 0)
        return readBelow(column);
    const char* at = m_belowUnread;
    const auto tag = static_cast<std::uint8_t>(*at);
    if (tag > snapshot_protocol::MaxShortLatin1 && tag != snapshot_protocol::NullTag &&
        tag != snapshot_protocol::RepeatTag)
        return readBelow(column);
    const bool repeated = tag == snapshot_protocol::RepeatTag;
    m_repeatsBelow[static_cast<std::size_t>(column)] = repeated;
    m_belowUnread = at + (tag <= snapshot_protocol::MaxShortLatin1 ? 1 + tag : 1);
    ++m_belowRead;
    return repeated;
}
