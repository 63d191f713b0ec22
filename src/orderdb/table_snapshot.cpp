#include "orderdb/table_snapshot.h"

#include "orderdb/snapshot_protocol.h"

#include <algorithm>
#include <cstring>

using namespace snapshot_protocol;

namespace {

// Walks a table stream, refusing to step past its end.
class StreamCursor
{
public:
    explicit StreamCursor(const QByteArray& bytes)
        : m_data(bytes.constData())
        , m_size(static_cast<std::size_t>(bytes.size()))
    {
    }

    std::size_t position() const { return m_position; }
    bool atEnd() const { return m_position == m_size; }

    template<typename Word>
    bool read(Word& value)
    {
        if (m_size - m_position < sizeof value)
            return false;
        std::memcpy(&value, m_data + m_position, sizeof value);
        m_position += sizeof value;
        return true;
    }

    template<typename Word>
    bool peek(Word& value) const
    {
        if (m_size - m_position < sizeof value)
            return false;
        std::memcpy(&value, m_data + m_position, sizeof value);
        return true;
    }

    bool skip(std::size_t bytes)
    {
        if (m_size - m_position < bytes)
            return false;
        m_position += bytes;
        return true;
    }

    // Steps over one cell; false when the stream ends inside it.
    bool skipCell()
    {
        std::uint16_t word = 0;
        if (!read(word) || word == NullCell)
            return word == NullCell;
        if (word == LongUtf16Cell) {
            std::uint32_t length = 0;
            return read(length) && skip(std::size_t{length} * 2);
        }
        if (word & Utf16Flag)
            return skip(static_cast<std::size_t>(word & LengthMask) * 2);
        return skip((std::size_t{word} + 1) & ~std::size_t{1});
    }

private:
    const char* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

// The size of the cell at `at`, already checked to lie wholly inside the stream.
std::size_t cellSize(const char* at)
{
    std::uint16_t word = 0;
    std::memcpy(&word, at, sizeof word);
    if (word == NullCell)
        return sizeof word;
    if (word == LongUtf16Cell) {
        std::uint32_t length = 0;
        std::memcpy(&length, at + sizeof word, sizeof length);
        return sizeof word + sizeof length + std::size_t{length} * 2;
    }
    if (word & Utf16Flag)
        return sizeof word + static_cast<std::size_t>(word & LengthMask) * 2;
    return sizeof word + ((std::size_t{word} + 1) & ~std::size_t{1});
}

// The cell at `at`, already checked to lie wholly inside the stream.
std::optional<QString> cellText(const char* at)
{
    std::uint16_t word = 0;
    std::memcpy(&word, at, sizeof word);
    at += sizeof word;
    if (word == NullCell)
        return std::nullopt;
    if (word == LongUtf16Cell) {
        std::uint32_t length = 0;
        std::memcpy(&length, at, sizeof length);
        // Cells start on 16-bit boundaries, so the units are aligned.
        return QString(reinterpret_cast<const QChar*>(at + sizeof length),
                       static_cast<qsizetype>(length));
    }
    if (word & Utf16Flag)
        return QString(reinterpret_cast<const QChar*>(at), word & LengthMask);
    return QString::fromLatin1(at, word);
}

} // namespace

std::optional<TableSnapshot> TableSnapshot::fromStream(QByteArray stream)
{
    TableSnapshot table;
    StreamCursor in(stream);
    std::uint16_t leading = 0;
    while (in.peek(leading) && leading == KeepAliveWord)
        in.skip(sizeof leading);
    char magic[sizeof Magic] = {};
    for (char& byte : magic) {
        if (!in.read(byte))
            return std::nullopt;
    }
    if (std::memcmp(magic, Magic, sizeof Magic) != 0)
        return std::nullopt;

    std::uint32_t columns = 0, expectedRows = 0;
    if (!in.read(columns) || columns == 0 || columns > 4096 || !in.read(expectedRows))
        return std::nullopt;
    for (std::uint32_t c = 0; c < columns; ++c) {
        std::uint32_t kind = 0;
        const std::size_t name = in.position() + sizeof kind;
        if (!in.read(kind) || kind > 1 || !in.skipCell())
            return std::nullopt;
        const std::optional<QString> text = cellText(stream.constData() + name);
        if (!text)
            return std::nullopt;
        table.m_columnNames.append(*text);
        table.m_numberColumns.push_back(kind == static_cast<std::uint32_t>(ColumnKind::Number));
    }

    // Offsets are 32-bit; the reader's memory cap keeps streams far smaller.
    if (stream.size() > static_cast<qsizetype>(UINT32_MAX))
        return std::nullopt;
    // The declared count is only a hint: a damaged or crafted definition may
    // declare anything, but every cell takes at least one word of the stream.
    table.m_declaredRowCount = static_cast<qsizetype>(expectedRows);
    table.m_rowOffsets.reserve(
        std::min<std::size_t>(expectedRows, static_cast<std::size_t>(stream.size()) / 4));
    for (;;) {
        std::uint16_t marker = 0;
        if (!in.read(marker))
            return std::nullopt;
        if (marker == EndMarker)
            break;
        if (marker == KeepAliveWord)
            continue;
        if (marker != RowMarker)
            return std::nullopt;
        table.m_rowOffsets.push_back(static_cast<std::uint32_t>(in.position()));
        for (std::uint32_t c = 0; c < columns; ++c) {
            if (!in.skipCell())
                return std::nullopt;
        }
        ++table.m_rowCount;
    }
    std::uint32_t announcedRows = 0;
    if (!in.read(announcedRows) || !in.atEnd() ||
        announcedRows != static_cast<std::uint32_t>(table.m_rowCount))
        return std::nullopt;

    table.m_rowOffsets.shrink_to_fit();
    table.m_stream = std::move(stream);
    return table;
}

qint64 TableSnapshot::memoryBytes() const
{
    return m_stream.capacity() +
           static_cast<qint64>(m_rowOffsets.capacity() * sizeof(std::uint32_t));
}

const char* TableSnapshot::cellAt(qsizetype row, int column) const
{
    const char* at = m_stream.constData() + m_rowOffsets[static_cast<std::size_t>(row)];
    for (int c = 0; c < column; ++c)
        at += cellSize(at);
    return at;
}

int TableSnapshot::columnIndex(QStringView name) const
{
    for (int c = 0; c < m_columnNames.size(); ++c) {
        if (QStringView(m_columnNames[c]).compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

FieldValue TableSnapshot::value(qsizetype row, int column) const
{
    std::optional<QString> text = cellText(cellAt(row, column));
    if (!text)
        return {};
    return m_numberColumns[static_cast<std::size_t>(column)] ? FieldValue::number(std::move(*text))
                                                             : FieldValue::text(std::move(*text));
}

bool TableSnapshot::cellEquals(qsizetype row, int column, QStringView text) const
{
    const char* at = cellAt(row, column);
    std::uint16_t word = 0;
    std::memcpy(&word, at, sizeof word);
    at += sizeof word;
    if (word == NullCell)
        return false;
    if (word == LongUtf16Cell) {
        std::uint32_t length = 0;
        std::memcpy(&length, at, sizeof length);
        return QStringView(reinterpret_cast<const QChar*>(at + sizeof length),
                           static_cast<qsizetype>(length)) == text;
    }
    if (word & Utf16Flag)
        return QStringView(reinterpret_cast<const QChar*>(at), word & LengthMask) == text;
    return QLatin1StringView(at, word) == text;
}
