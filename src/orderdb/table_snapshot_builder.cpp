#include "orderdb/snapshot_protocol.h"
#include "orderdb/table_snapshot.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace snapshot_protocol;

namespace {

constexpr std::uint32_t MaxColumns = 4096;

std::uint32_t readU32(const char* at)
{
    std::uint32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// The size of the cell at `at` when all of it lies before `end`; 0 when the
// stream ends inside it, with `needed` what it takes as far as that is known.
// A tag that no cell may carry gives SIZE_MAX.
constexpr std::size_t BrokenCell = std::numeric_limits<std::size_t>::max();

std::size_t cellSize(const char* at, const char* end, bool repeatAllowed, std::size_t& needed)
{
    const auto available = static_cast<std::size_t>(end - at);
    if (available == 0) {
        needed = 1;
        return 0;
    }
    const auto tag = static_cast<std::uint8_t>(*at);
    std::size_t size = 0;
    if (tag <= MaxShortLatin1) {
        size = 1 + std::size_t{tag};
    } else if (tag == NullTag || (tag == RepeatTag && repeatAllowed)) {
        size = 1;
    } else if (tag == LongLatin1Tag || tag == Utf16Tag) {
        if (available < 5) {
            needed = 5;
            return 0;
        }
        const std::size_t length = readU32(at + 1);
        size = 5 + (tag == Utf16Tag ? 2 * length : length);
    } else {
        return BrokenCell;
    }
    if (available < size) {
        needed = size;
        return 0;
    }
    return size;
}

} // namespace

TableSnapshot::Builder::Builder(std::size_t maxBytes, std::size_t blockSize)
    : m_maxBytes(maxBytes)
    , m_blockSize(std::max<std::size_t>(blockSize, 64))
{
}

std::span<char> TableSnapshot::Builder::room()
{
    if (m_broken)
        return {};
    if (m_table.m_blocks.empty() ||
        m_table.m_blocks.back().filled == m_table.m_blocks.back().capacity) {
        if (!newBlock()) {
            m_broken = true;
            return {};
        }
    }
    Block& block = m_table.m_blocks.back();
    return {block.bytes.get() + block.filled, block.capacity - block.filled};
}

bool TableSnapshot::Builder::newBlock()
{
    std::vector<Block>& blocks = m_table.m_blocks;
    if (blocks.empty()) {
        const std::size_t capacity = std::min(m_blockSize, m_maxBytes);
        blocks.push_back(Block{
            std::unique_ptr<char, BlockFree>(static_cast<char*>(std::malloc(capacity))), capacity});
        return capacity > 0 && blocks.back().bytes;
    }
    // The last block is full; its unchecked tail is an item cut short.
    Block& full = blocks.back();
    if (!m_headerRead && m_parsed > 0) {
        // Keep-alive tags before the stream's head are dropped.
        std::memmove(full.bytes.get(), full.bytes.get() + m_parsed, full.filled - m_parsed);
        full.filled -= m_parsed;
        m_parsed = 0;
        if (full.filled < full.capacity)
            return true;
    }
    // The tail moves on whole, to a block large enough for what it is known
    // to need.
    const std::size_t tail = full.filled - m_parsed;
    const std::size_t capacity = std::max({m_blockSize, 2 * tail, m_needed});
    if (capacity > m_maxBytes)
        return false;
    if (m_parsed == 0) {
        // Nothing in it is complete yet: it grows where it is.
        char* grown = static_cast<char*>(std::realloc(full.bytes.get(), capacity));
        if (!grown)
            return false;
        (void)full.bytes.release();
        full.bytes.reset(grown);
        full.capacity = capacity;
        return true;
    }
    Block next{std::unique_ptr<char, BlockFree>(static_cast<char*>(std::malloc(capacity))),
               capacity};
    if (!next.bytes)
        return false;
    std::memcpy(next.bytes.get(), full.bytes.get() + m_parsed, tail);
    next.filled = tail;
    full.filled = m_parsed;
    // The moved tail's room is given back.
    if (char* shrunk = static_cast<char*>(std::realloc(full.bytes.get(), m_parsed))) {
        (void)full.bytes.release();
        full.bytes.reset(shrunk);
        full.capacity = m_parsed;
    }
    blocks.push_back(std::move(next));
    m_parsed = 0;
    return true;
}

bool TableSnapshot::Builder::received(std::size_t size)
{
    if (m_broken)
        return false;
    Block& block = m_table.m_blocks.back();
    block.filled += size;
    parse();
    return !m_broken;
}

TableSnapshot::Builder::Item TableSnapshot::Builder::parseHeader(const char*& at, const char* end)
{
    while (at < end && static_cast<std::uint8_t>(*at) == KeepAliveTag)
        ++at;
    const char* item = at;
    m_needed = sizeof Magic + 8;
    const auto available = static_cast<std::size_t>(end - item);
    if (std::memcmp(item, Magic, std::min(available, sizeof Magic)) != 0)
        return Item::Broken;
    if (available < m_needed)
        return Item::Incomplete;
    const std::uint32_t columns = readU32(item + sizeof Magic);
    const std::uint32_t declared = readU32(item + sizeof Magic + 4);
    if (columns == 0 || columns > MaxColumns)
        return Item::Broken;
    const char* next = item + m_needed;
    QStringList names;
    std::vector<FieldValue::Kind> kinds;
    for (std::uint32_t c = 0; c < columns; ++c) {
        if (end - next < 4) {
            m_needed = static_cast<std::size_t>(next - item) + 4;
            return Item::Incomplete;
        }
        const std::uint32_t kind = readU32(next);
        if (kind > static_cast<std::uint32_t>(ColumnKind::Number))
            return Item::Broken;
        next += 4;
        std::size_t needed = 0;
        const std::size_t size = cellSize(next, end, false, needed);
        if (size == BrokenCell || (size > 0 && static_cast<std::uint8_t>(*next) == NullTag))
            return Item::Broken;
        if (size == 0) {
            m_needed = static_cast<std::size_t>(next - item) + needed;
            return Item::Incomplete;
        }
        names.append(cellString(next));
        kinds.push_back(kind == static_cast<std::uint32_t>(ColumnKind::Number)
                            ? FieldValue::Kind::Number
                            : FieldValue::Kind::Text);
        next += size;
    }
    m_table.m_columnNames = std::move(names);
    m_table.m_kinds = std::move(kinds);
    m_table.m_declaredRowCount = static_cast<qsizetype>(declared);
    at = next;
    return Item::Complete;
}

// The end: the rows and the damaged values the reader counted.
TableSnapshot::Builder::Item TableSnapshot::Builder::parseEnd(const char*& at, const char* end)
{
    m_needed = 9;
    if (end - at < 9)
        return Item::Incomplete;
    m_announcedRows = readU32(at + 1);
    m_table.m_damageCount = static_cast<qsizetype>(readU32(at + 5));
    m_ended = true;
    at += 9;
    return Item::Complete;
}

// A row holding every value itself, at `at`. False when its place cannot be
// kept.
bool TableSnapshot::Builder::noteKeyRow(qsizetype row, const char* at)
{
    m_lastKeyRow = row;
    // Key rows are noted half an interval apart at least: close enough to
    // reach any row in a few dozen steps, few enough to cost nothing.
    const std::vector<KeyRow>& keys = m_table.m_keyRows;
    if (keys.empty() || row - keys.back().row >= KeyRowInterval / 2) {
        const std::size_t block = m_table.m_blocks.size() - 1;
        const auto offset = static_cast<std::size_t>(at - m_table.m_blocks.back().bytes.get());
        if (row > UINT32_MAX || block > UINT32_MAX || offset > UINT32_MAX)
            return false;
        m_table.m_keyRows.push_back(KeyRow{static_cast<std::uint32_t>(row),
                                           static_cast<std::uint32_t>(block),
                                           static_cast<std::uint32_t>(offset)});
    }
    return true;
}

TableSnapshot::Builder::Item TableSnapshot::Builder::parseRow(const char*& at, const char* end)
{
    const auto tag = static_cast<std::uint8_t>(*at);
    if (tag == KeepAliveTag) {
        ++at;
        return Item::Complete;
    }
    if (tag == EndTag)
        return parseEnd(at, end);
    // The row's length first: the row must be there whole.
    const auto available = static_cast<std::size_t>(end - at);
    std::size_t head = 1;
    std::size_t length = tag;
    if (tag == RowLength16Tag || tag == RowLength32Tag) {
        head = tag == RowLength16Tag ? 3 : 5;
        if (available < head) {
            m_needed = head;
            return Item::Incomplete;
        }
        length = tag == RowLength16Tag
                     ? (static_cast<std::uint8_t>(at[1]) |
                        static_cast<std::size_t>(static_cast<std::uint8_t>(at[2])) << 8)
                     : readU32(at + 1);
    } else if (tag > MaxShortRow) {
        return Item::Broken;
    }
    if (available < head + length) {
        m_needed = head + length;
        return Item::Incomplete;
    }

    // The first row, and one at least every KeyRowInterval rows, holds
    // every value itself.
    const qsizetype row = m_table.m_rowCount;
    const bool repeatAllowed = row > 0 && row - m_lastKeyRow < KeyRowInterval;
    bool repeats = false;
    const char* next = at + head;
    const char* rowEnd = next + length;
    for (qsizetype c = 0; c < m_table.columnCount(); ++c) {
        std::size_t needed = 0;
        const std::size_t size = cellSize(next, rowEnd, repeatAllowed, needed);
        if (size == 0 || size == BrokenCell)
            return Item::Broken; // a cell breaks or overruns its row
        repeats = repeats || static_cast<std::uint8_t>(*next) == RepeatTag;
        next += size;
    }
    if (next != rowEnd)
        return Item::Broken; // the cells do not fill the row
    if (!repeats && !noteKeyRow(row, at))
        return Item::Broken;
    ++m_table.m_rowCount;
    at = next;
    return Item::Complete;
}

void TableSnapshot::Builder::parse()
{
    Block& block = m_table.m_blocks.back();
    const char* base = block.bytes.get();
    const char* at = base + m_parsed;
    const char* end = base + block.filled;
    while (at < end) {
        if (m_ended) {
            m_broken = true; // nothing may follow the end
            return;
        }
        const Item result = m_headerRead ? parseRow(at, end) : parseHeader(at, end);
        if (result == Item::Broken) {
            m_broken = true;
            return;
        }
        // Keep-alive tags before the stream's head are done with even when
        // the head itself is not complete yet.
        m_parsed = static_cast<std::size_t>(at - base);
        if (result == Item::Incomplete)
            return;
        m_needed = 0;
        if (!m_headerRead) {
            m_headerRead = true;
            block.rowsBegin = m_parsed;
        }
        if (!m_ended)
            block.rowsEnd = m_parsed;
    }
}

std::optional<TableSnapshot> TableSnapshot::Builder::finish()
{
    if (m_broken || !m_ended || m_table.m_blocks.empty())
        return std::nullopt;
    Block& last = m_table.m_blocks.back();
    if (m_parsed != last.filled ||
        m_announcedRows != static_cast<std::uint32_t>(m_table.m_rowCount) ||
        m_table.m_rowCount > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    if (char* shrunk = static_cast<char*>(std::realloc(last.bytes.get(), last.filled))) {
        (void)last.bytes.release();
        last.bytes.reset(shrunk);
        last.capacity = last.filled;
    }
    m_table.m_keyRows.shrink_to_fit();
    m_table.m_blocks.shrink_to_fit();
    m_broken = true; // one snapshot per stream
    return std::move(m_table);
}
