#pragma once

#include "orderdb/field_value.h"

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// The rows of one table as they were when the table was read, in the order
// the database returned them. Built from the reader program's table stream;
// the stream's bytes are kept as they came, with one offset per row, which
// costs far less memory than one string object (or one offset) per value.
class TableSnapshot
{
public:
    // Checks and indexes a complete table stream; nullopt when it is cut
    // short or malformed in any way.
    static std::optional<TableSnapshot> fromStream(QByteArray stream);

    qsizetype rowCount() const { return m_rowCount; }
    // The row count the table's definition declares. A table yielding
    // fewer rows than that may be damaged (or the count is stale).
    qsizetype declaredRowCount() const { return m_declaredRowCount; }
    // What the snapshot holds in memory, give or take its bookkeeping.
    qint64 memoryBytes() const;
    qsizetype columnCount() const { return m_columnNames.size(); }
    const QStringList& columnNames() const { return m_columnNames; }

    // Column index by name, letter case ignored as the database does; -1 if
    // there is no such column.
    int columnIndex(QStringView name) const;

    FieldValue value(qsizetype row, int column) const;

    // Whether the cell holds exactly this text (a Null holds none), without
    // making a string of it: scans compare every record of large tables.
    bool cellEquals(qsizetype row, int column, QStringView text) const;

private:
    TableSnapshot() = default;

    QByteArray m_stream;
    QStringList m_columnNames;
    std::vector<bool> m_numberColumns;
    const char* cellAt(qsizetype row, int column) const;

    std::vector<std::uint32_t> m_rowOffsets; // each at the row's first cell
    qsizetype m_rowCount = 0;
    qsizetype m_declaredRowCount = 0;
};
