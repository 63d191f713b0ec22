#include "orderdb/table_cursor.h"

#include "common/runtime_error.h"
#include "orderdb/order_entry_fields.h"

TableCursor::TableCursor(const TableSource& source)
    : m_source(source)
{
}

void TableCursor::take(std::shared_ptr<const TableSnapshot> snapshot) const
{
    m_table = std::move(snapshot);
    m_row.emplace(*m_table);
    m_lastValues.assign(static_cast<std::size_t>(m_table->columnCount()), LastValue{});
    if (m_table->rowCount() < m_table->declaredRowCount() || m_table->damageCount() > 0)
        m_source.notices().report(ShortTable{m_tableName, m_table->rowCount(),
                                             m_table->declaredRowCount(), m_table->damageCount()});
}

void TableCursor::open(const QString& databaseFile, const QString& tableName)
{
    open(databaseFile, tableName, order_entry::fieldsReadFrom(tableName));
}

void TableCursor::open(const QString& databaseFile, const QString& tableName,
                       const QStringList& fields)
{
    close();
    m_tableName = tableName;
    take(m_source.readTable(databaseFile, tableName, fields));
    m_position = 0;
}

void TableCursor::openDeferred(const QString& databaseFile, const QString& tableName)
{
    openDeferred(databaseFile, tableName, order_entry::fieldsReadFrom(tableName));
}

void TableCursor::openDeferred(const QString& databaseFile, const QString& tableName,
                               const QStringList& fields)
{
    close();
    TableSource::checkDatabaseFile(databaseFile);
    m_tableName = tableName;
    m_pending =
        std::async(std::launch::deferred, [source = m_source, databaseFile, tableName, fields] {
            return source.readTable(databaseFile, tableName, fields);
        }).share();
    m_started = false;
    m_position = 0;
}

void TableCursor::startReading()
{
    if (!m_pending.valid() || m_started)
        return;
    m_started = true;
    // The deferred read runs on a thread of its own from here on.
    auto deferred = m_pending;
    m_pending = std::async(std::launch::async, [deferred] { return deferred.get(); }).share();
}

void TableCursor::close()
{
    m_row.reset();
    m_lastValues.clear();
    m_table.reset();
    m_pending = {};
    m_position = 0;
}

const TableSnapshot& TableCursor::table() const
{
    if (!m_table && m_pending.valid()) {
        // The background read is over or finishing; its failure is this
        // use's failure, and the cursor is not open after it.
        auto pending = std::move(m_pending);
        m_pending = {};
        try {
            take(pending.get());
        } catch (const RuntimeError& error) {
            // Nobody waits on a background read to say why it failed, and a
            // job selection that stops without a word leaves the operator
            // guessing: a table damaged beyond reading is told here.
            if (error.code() == ErrorCode::UnreadableDatabase)
                m_source.notices().report(ShortTable{m_tableName, 0, 0, 0, true});
            throw;
        }
    }
    if (!m_table)
        throw RuntimeError(ErrorCode::ObjectNotSet, QStringLiteral("table cursor not open"));
    return *m_table;
}

void TableCursor::moveFirst()
{
    table();
    m_position = 0;
}

void TableCursor::moveLast()
{
    const qsizetype rows = table().rowCount();
    m_position = rows > 0 ? rows - 1 : 0;
}

void TableCursor::moveNext()
{
    if (m_position < table().rowCount())
        ++m_position;
}

bool TableCursor::eof() const
{
    return m_position >= table().rowCount();
}

qsizetype TableCursor::recordCount() const
{
    return table().rowCount();
}

int TableCursor::fieldCount() const
{
    return static_cast<int>(table().columnCount());
}

int TableCursor::fieldIndex(QStringView name) const
{
    const int index = table().columnIndex(name);
    if (index < 0)
        throw RuntimeError(ErrorCode::FieldNotFound, name.toString());
    return index;
}

const char* TableCursor::currentCell(int index) const
{
    // The checks of a read, cheap while the cursor is open and on a record.
    const TableSnapshot* rows = m_table.get();
    if (!rows || static_cast<unsigned>(index) >= static_cast<unsigned>(rows->columnCount()) ||
        m_position >= rows->rowCount()) {
        rows = &table();
        if (index < 0 || index >= rows->columnCount())
            throw RuntimeError(ErrorCode::FieldNotFound, QString::number(index));
        if (m_position >= rows->rowCount())
            throw RuntimeError(ErrorCode::NoCurrentRecord);
    }
    m_row->moveTo(m_position);
    return m_row->cell(index);
}

FieldValue TableCursor::field(int index) const
{
    const char* cell = currentCell(index);
    LastValue& last = m_lastValues[static_cast<std::size_t>(index)];
    if (last.cell == cell)
        return last.value;
    FieldValue value = m_table->cellValue(cell, index);
    // Kept only for a row below that repeats it: keeping costs a count of
    // the string's users, which is no gain for a value read once.
    if (m_row->repeatedBelow(index)) {
        last.cell = cell;
        last.value = value;
    }
    return value;
}

FieldValue TableCursor::field(QStringView name) const
{
    return field(fieldIndex(name));
}

bool TableCursor::fieldEquals(int index, QStringView text) const
{
    return TableSnapshot::cellMatches(currentCell(index), text);
}
