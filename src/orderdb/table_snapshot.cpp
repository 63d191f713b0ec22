#include "orderdb/table_snapshot.h"

#include "orderdb/snapshot_protocol.h"

#include <cstring>

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

    bool readU32(std::uint32_t& value)
    {
        if (m_size - m_position < sizeof value)
            return false;
        std::memcpy(&value, m_data + m_position, sizeof value);
        m_position += sizeof value;
        return true;
    }

    bool skipUnits(std::uint32_t count)
    {
        const std::size_t bytes = std::size_t{count} * 2;
        if (m_size - m_position < bytes)
            return false;
        m_position += bytes;
        return true;
    }

    bool skipBytes(std::size_t bytes)
    {
        if (m_size - m_position < bytes)
            return false;
        m_position += bytes;
        return true;
    }

    const char* here() const { return m_data + m_position; }

private:
    const char* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

QString unitsAt(const char* where, std::uint32_t length)
{
    // Every item of the stream is a whole number of 16-bit units, so text
    // units are aligned for direct use.
    return QString(reinterpret_cast<const QChar*>(where), static_cast<qsizetype>(length));
}

} // namespace

std::optional<TableSnapshot> TableSnapshot::fromStream(QByteArray stream)
{
    using namespace snapshot_protocol;

    TableSnapshot table;
    StreamCursor in(stream);
    if (stream.size() < static_cast<qsizetype>(sizeof Magic) ||
        std::memcmp(stream.constData(), Magic, sizeof Magic) != 0)
        return std::nullopt;
    in.skipBytes(sizeof Magic);

    std::uint32_t columns = 0;
    if (!in.readU32(columns) || columns == 0 || columns > 4096)
        return std::nullopt;
    for (std::uint32_t c = 0; c < columns; ++c) {
        std::uint32_t kind = 0, length = 0;
        if (!in.readU32(kind) || kind > 1 || !in.readU32(length) || length > 1024)
            return std::nullopt;
        const char* name = in.here();
        if (!in.skipUnits(length))
            return std::nullopt;
        table.m_columnNames.append(unitsAt(name, length));
        table.m_numberColumns.push_back(kind == static_cast<std::uint32_t>(ColumnKind::Number));
    }

    // Streams never exceed 4 GiB: the memory cap of the reader sees to it.
    if (stream.size() > static_cast<qsizetype>(UINT32_MAX))
        return std::nullopt;
    table.m_cellOffsets.reserve(static_cast<std::size_t>(stream.size() - in.position()) / 8);
    for (;;) {
        std::uint32_t marker = 0;
        if (!in.readU32(marker))
            return std::nullopt;
        if (marker == EndMarker)
            break;
        if (marker != RowMarker)
            return std::nullopt;
        for (std::uint32_t c = 0; c < columns; ++c) {
            table.m_cellOffsets.push_back(static_cast<std::uint32_t>(in.position()));
            std::uint32_t length = 0;
            if (!in.readU32(length))
                return std::nullopt;
            if (length != NullLength && !in.skipUnits(length))
                return std::nullopt;
        }
        ++table.m_rowCount;
    }
    std::uint32_t announcedRows = 0;
    if (!in.readU32(announcedRows) || !in.atEnd() ||
        announcedRows != static_cast<std::uint32_t>(table.m_rowCount))
        return std::nullopt;

    table.m_cellOffsets.shrink_to_fit();
    table.m_stream = std::move(stream);
    return table;
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
    const std::size_t cell =
        static_cast<std::size_t>(row) * static_cast<std::size_t>(columnCount()) + column;
    const char* at = m_stream.constData() + m_cellOffsets[cell];
    std::uint32_t length = 0;
    std::memcpy(&length, at, sizeof length);
    if (length == snapshot_protocol::NullLength)
        return {};
    QString text = unitsAt(at + sizeof length, length);
    return m_numberColumns[static_cast<std::size_t>(column)] ? FieldValue::number(std::move(text))
                                                             : FieldValue::text(std::move(text));
}
