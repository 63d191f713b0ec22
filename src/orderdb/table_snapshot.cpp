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
//
// The builder checked every row, so nothing here can run off a block.

namespace {

inline std::size_t cellSizeAt(const char* cell)
{
    const auto tag = static_cast<std::uint8_t>(*cell);
    if (tag <= MaxShortLatin1)
        return 1 + std::size_t{tag};
    if (tag == RepeatTag || tag == NullTag)
        return 1;
    const std::size_t length = lengthAfterTag(cell);
    return 5 + (tag == Utf16Tag ? 2 * length : length);
}

} // namespace

TableSnapshot::Row::Row(const TableSnapshot& table)
    : m_table(&table)
    , m_cells(static_cast<std::size_t>(table.columnCount()), nullptr)
    , m_cellRows(static_cast<std::size_t>(table.columnCount()), -1)
    , m_repeatsBelow(static_cast<std::size_t>(table.columnCount()), false)
{
}

const char* TableSnapshot::Row::rowAt(Place& place) const
{
    for (;;) {
        while (place.at < place.end && static_cast<std::uint8_t>(*place.at) == KeepAliveTag)
            ++place.at;
        if (place.at < place.end)
            break;
        const Block& following = m_table->m_blocks[++place.block];
        place.at = following.bytes.get() + following.rowsBegin;
        place.end = following.bytes.get() + following.rowsEnd;
    }
    const auto tag = static_cast<std::uint8_t>(*place.at);
    std::size_t head = 1;
    std::size_t length = tag;
    if (tag == RowLength16Tag) {
        head = 3;
        length = static_cast<std::uint8_t>(place.at[1]) |
                 std::size_t{static_cast<std::uint8_t>(place.at[2])} << 8;
    } else if (tag == RowLength32Tag) {
        head = 5;
        length = lengthAfterTag(place.at);
    }
    const char* first = place.at + head;
    place.at = first + length;
    return first;
}

void TableSnapshot::Row::goTo(qsizetype row, Place place)
{
    m_unread = rowAt(place);
    m_after = place;
    m_index = row;
    m_read = 0;
    m_belowRead = 0;
}

void TableSnapshot::Row::next()
{
    goTo(m_index + 1, m_after);
}

void TableSnapshot::Row::goToKeyRowBefore(qsizetype row)
{
    const std::vector<KeyRow>& keys = m_table->m_keyRows;
    const KeyRow& key = *std::prev(std::upper_bound( // row 0 is always one
        keys.begin(), keys.end(), row,
        [](qsizetype wanted, const KeyRow& key) { return wanted < qsizetype{key.row}; }));
    const Block& block = m_table->m_blocks[key.block];
    goTo(key.row,
         Place{key.block, block.bytes.get() + key.offset, block.bytes.get() + block.rowsEnd});
}

void TableSnapshot::Row::walkTo(qsizetype row)
{
    if (row == m_index)
        return;
    // A short walk on beats a search for the key row before.
    if (m_index < 0 || row < m_index || row - m_index > KeyRowInterval)
        goToKeyRowBefore(row);
    while (m_index < row) {
        if (!stepOn())
            next();
    }
}

void TableSnapshot::Row::readCell(int column)
{
    readCells(column);
    if (m_cellRows[static_cast<std::size_t>(column)] != m_index)
        findFromKeyRow(column);
}

void TableSnapshot::Row::readCells(int last)
{
    const char* at = m_unread;
    for (auto c = static_cast<std::size_t>(m_read); c <= static_cast<std::size_t>(last); ++c) {
        if (static_cast<std::uint8_t>(*at) != RepeatTag) {
            m_cells[c] = at;
            m_cellRows[c] = m_index;
        } else if (m_cellRows[c] == m_index - 1) {
            m_cellRows[c] = m_index; // the cell of the row above
        }
        at += cellSizeAt(at);
    }
    m_unread = at;
    m_read = std::max(m_read, last + 1);
}

void TableSnapshot::Row::findFromKeyRow(int column)
{
    // Every row from the key row on is read as far as the column, so that
    // each repeat finds the cell of the row above it.
    const qsizetype row = m_index;
    goToKeyRowBefore(row);
    for (;;) {
        readCells(column);
        if (m_index == row)
            return;
        if (!stepOn())
            next();
    }
}

bool TableSnapshot::Row::readBelow(int column)
{
    if (m_index + 1 >= m_table->rowCount())
        return false;
    if (m_belowRead == 0) {
        Place place = m_after;
        m_belowUnread = rowAt(place);
    }
    const char* at = m_belowUnread;
    for (auto c = static_cast<std::size_t>(m_belowRead); c <= static_cast<std::size_t>(column);
         ++c) {
        m_repeatsBelow[c] = static_cast<std::uint8_t>(*at) == RepeatTag;
        at += cellSizeAt(at);
    }
    m_belowUnread = at;
    m_belowRead = std::max(m_belowRead, column + 1);
    return m_repeatsBelow[static_cast<std::size_t>(column)];
}
