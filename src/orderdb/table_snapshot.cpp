#include "orderdb/table_snapshot.h"

#include "orderdb/snapshot_protocol.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

using namespace snapshot_protocol;

// UTF-16 cells are copied into strings as they are.
static_assert(std::endian::native == std::endian::little);

namespace {

std::uint32_t lengthAfterTag(const char* cell)
{
    std::uint32_t length = 0;
    std::memcpy(&length, cell + 1, sizeof length);
    return length;
}

} // namespace

void TableSnapshot::BlockFree::operator()(char* bytes) const
{
    std::free(bytes);
}

std::optional<TableSnapshot> TableSnapshot::fromStream(const QByteArray& stream)
{
    Builder builder(static_cast<std::size_t>(stream.size()) + 1);
    std::size_t done = 0;
    while (done < static_cast<std::size_t>(stream.size())) {
        const std::span<char> room = builder.room();
        const std::size_t size =
            std::min(room.size(), static_cast<std::size_t>(stream.size()) - done);
        std::memcpy(room.data(), stream.constData() + done, size);
        done += size;
        if (!builder.received(size))
            return std::nullopt;
    }
    return builder.finish();
}

qint64 TableSnapshot::memoryBytes() const
{
    qint64 bytes = static_cast<qint64>(m_keyRows.capacity() * sizeof(KeyRow) +
                                       m_blocks.capacity() * sizeof(Block));
    for (const Block& block : m_blocks)
        bytes += static_cast<qint64>(block.capacity);
    return bytes;
}

int TableSnapshot::columnIndex(QStringView name) const
{
    for (int c = 0; c < m_columnNames.size(); ++c) {
        if (QStringView(m_columnNames[c]).compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

QString TableSnapshot::cellString(const char* cell)
{
    const auto tag = static_cast<std::uint8_t>(*cell);
    if (tag <= MaxShortLatin1)
        return QString::fromLatin1(cell + 1, tag);
    if (tag == NullTag)
        return {};
    const auto length = static_cast<qsizetype>(lengthAfterTag(cell));
    if (tag == LongLatin1Tag)
        return QString::fromLatin1(cell + 5, length);
    // Utf16Tag: the builder lets no other tag through.
    QString text(length, Qt::Uninitialized);
    std::memcpy(text.data(), cell + 5, static_cast<std::size_t>(length) * 2);
    return text;
}

FieldValue TableSnapshot::cellValue(const char* cell, int column) const
{
    const auto tag = static_cast<std::uint8_t>(*cell);
    if (tag == NullTag)
        return {};
    QString text = tag <= MaxShortLatin1 ? QString::fromLatin1(cell + 1, tag) : cellString(cell);
    return m_kinds[static_cast<std::size_t>(column)] == FieldValue::Kind::Number
               ? FieldValue::number(std::move(text))
               : FieldValue::text(std::move(text));
}

bool TableSnapshot::cellMatches(const char* cell, QStringView text)
{
    const auto tag = static_cast<std::uint8_t>(*cell);
    if (tag <= MaxShortLatin1)
        return QLatin1StringView(cell + 1, tag) == text;
    if (tag == NullTag)
        return false;
    const auto length = static_cast<qsizetype>(lengthAfterTag(cell));
    if (tag == LongLatin1Tag)
        return QLatin1StringView(cell + 5, length) == text;
    return length == text.size() &&
           std::memcmp(cell + 5, text.data(), static_cast<std::size_t>(length) * 2) == 0;
}

FieldValue TableSnapshot::value(qsizetype row, int column) const
{
    Row at(*this);
    at.moveTo(row);
    return cellValue(at.cell(column), column);
}

bool TableSnapshot::cellEquals(qsizetype row, int column, QStringView text) const
{
    Row at(*this);
    at.moveTo(row);
    return cellMatches(at.cell(column), text);
}

// -------------------------------------------------------------------- rows

TableSnapshot::Row::Row(const TableSnapshot& table)
    : m_table(&table)
    , m_cells(static_cast<std::size_t>(table.columnCount()), nullptr)
{
}

void TableSnapshot::Row::moveTo(qsizetype row)
{
    if (row == m_index + 1 && m_belowRead) {
        std::swap(m_cells, m_belowCells);
        m_block = m_belowBlock;
        m_next = m_belowNext;
        m_index = row;
        m_belowRead = false;
        return;
    }
    m_belowRead = false;
    // A short walk on beats a search for the key row before.
    if (m_index < 0 || row < m_index || row - m_index > KeyRowInterval) {
        const std::vector<KeyRow>& keys = m_table->m_keyRows;
        const auto after = std::upper_bound(
            keys.begin(), keys.end(), row,
            [](qsizetype wanted, const KeyRow& key) { return wanted < qsizetype{key.row}; });
        const KeyRow& key = *std::prev(after); // row 0 is always one
        if (m_index < 0 || row < m_index || key.row > m_index) {
            m_block = key.block;
            m_next = key.offset;
            m_index = qsizetype{key.row} - 1;
        }
    }
    while (m_index < row) {
        m_next = decode(m_next, m_cells);
        ++m_index;
    }
}

bool TableSnapshot::Row::repeatedBelow(int column)
{
    if (m_index + 1 >= m_table->rowCount())
        return false;
    if (!m_belowRead) {
        const std::size_t block = m_block;
        m_belowCells = m_cells;
        m_belowNext = decode(m_next, m_belowCells);
        m_belowBlock = m_block;
        m_block = block;
        m_belowRead = true;
    }
    const auto c = static_cast<std::size_t>(column);
    return m_belowCells[c] == m_cells[c];
}

std::size_t TableSnapshot::Row::decode(std::size_t next, std::vector<const char*>& cells)
{
    // The builder checked every row, so nothing here can run off a block.
    const Block* block = &m_table->m_blocks[m_block];
    const char* at = block->bytes.get() + next;
    for (;;) {
        const char* end = block->bytes.get() + block->rowsEnd;
        while (at < end && static_cast<std::uint8_t>(*at) == KeepAliveTag)
            ++at;
        if (at < end)
            break;
        block = &m_table->m_blocks[++m_block];
        at = block->bytes.get() + block->rowsBegin;
    }
    for (const char*& cell : cells) {
        const auto tag = static_cast<std::uint8_t>(*at);
        if (tag <= MaxShortLatin1) {
            cell = at;
            at += 1 + tag;
        } else if (tag == RepeatTag) {
            ++at; // the cell stays where the row before had it
        } else if (tag == NullTag) {
            cell = at++;
        } else {
            cell = at;
            const std::size_t length = lengthAfterTag(at);
            at += 5 + (tag == Utf16Tag ? 2 * length : length);
        }
    }
    return static_cast<std::size_t>(at - block->bytes.get());
}
