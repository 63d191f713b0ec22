#include "orderdb/table_cursor.h"

#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "orderdb/table_source.h"

#include <QDir>
#include <QFileInfo>

void TableCursor::open(const QString& databaseFile, const QString& tableName)
{
    close();
    m_table = table_source::read(databaseFile, tableName);
    m_position = 0;
}

void TableCursor::openDeferred(const QString& databaseFile, const QString& tableName)
{
    close();
    const QFileInfo file(databaseFile);
    if (!QDir(file.absolutePath()).exists())
        throw RuntimeError(ErrorCode::InvalidDatabasePath, file.absolutePath());
    if (!QFileInfo::exists(resolveFileName(file.absolutePath(), file.fileName())))
        throw RuntimeError(ErrorCode::DatabaseFileNotFound, databaseFile);
    m_pending = std::async(std::launch::deferred, [databaseFile, tableName] {
                    return table_source::read(databaseFile, tableName);
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
        m_table = pending.get();
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

FieldValue TableCursor::field(int index) const
{
    const TableSnapshot& rows = table();
    if (index < 0 || index >= rows.columnCount())
        throw RuntimeError(ErrorCode::FieldNotFound, QString::number(index));
    if (m_position >= rows.rowCount())
        throw RuntimeError(ErrorCode::NoCurrentRecord);
    return rows.value(m_position, index);
}

FieldValue TableCursor::field(QStringView name) const
{
    return field(fieldIndex(name));
}

bool TableCursor::fieldEquals(int index, QStringView text) const
{
    const TableSnapshot& rows = table();
    if (index < 0 || index >= rows.columnCount())
        throw RuntimeError(ErrorCode::FieldNotFound, QString::number(index));
    if (m_position >= rows.rowCount())
        throw RuntimeError(ErrorCode::NoCurrentRecord);
    return rows.cellEquals(m_position, index, text);
}
