#pragma once

#include "orderdb/field_value.h"
#include "orderdb/table_snapshot.h"
#include "orderdb/table_source.h"

#include <QString>
#include <QStringList>

#include <future>
#include <memory>
#include <optional>
#include <vector>

// A read-only cursor over one table of the order-entry database.
//
// Opening reads the table once; the cursor then walks that snapshot, taken
// when it was opened, in the database's own record order. There is one
// current record, which stays where the last move left it.
//
// Failures are RuntimeErrors: ObjectNotSet for any use of a cursor that is
// not open, FieldNotFound for an unknown field, NoCurrentRecord for a field
// read past the end, and the opening failures of TableSource::readTable.
//
// A damaged table (see ShortTable) is told to the source's notices when a
// cursor first takes it, or (read in the background, see openDeferred) fails
// to read it, on the thread that uses the cursor. A table that fails in
// open() is not told: its caller is told by the failure.
class TableCursor
{
public:
    // A closed cursor that reads its tables through the source.
    explicit TableCursor(const TableSource& source);

    // Opens (or reopens) the cursor on a table; on failure the cursor is
    // closed. The cursor starts on the first record. Only the cursor's
    // fields are read: by default those the program reads from that table
    // of the order-entry database (every field of any other table).
    void open(const QString& databaseFile, const QString& table);
    void open(const QString& databaseFile, const QString& table, const QStringList& fields);

    // Opens the cursor at once and reads the table later, so that a large
    // table nobody needs yet does not hold up the caller: in the background
    // from startReading() on, or at the first use of the cursor, whichever
    // comes first. A missing folder or file fails here; a table that cannot
    // be read fails at the first use, and the cursor is not open after it.
    void openDeferred(const QString& databaseFile, const QString& table);
    void openDeferred(const QString& databaseFile, const QString& table, const QStringList& fields);
    void startReading();
    void close();
    bool isOpen() const { return m_table != nullptr || m_pending.valid(); }

    void moveFirst();
    void moveLast();
    void moveNext(); // past the end it stays past the end

    // True once the cursor has moved beyond the last record, and at once on
    // an empty table.
    bool eof() const;

    qsizetype recordCount() const;

    FieldValue field(QStringView name) const;

    // For scans that read one field of every record: look the name up once.
    int fieldCount() const;
    int fieldIndex(QStringView name) const;
    FieldValue field(int index) const;

    // Whether the field of the current record holds exactly this text; a
    // Null holds none. Cheaper than field(index).toText() == text.
    bool fieldEquals(int index, QStringView text) const;

private:
    const TableSnapshot& table() const;
    void take(std::shared_ptr<const TableSnapshot> snapshot) const;
    // The field's cell in the current record, after the checks of a read.
    const char* currentCell(int index) const;

    // The last value read from each field that the next record repeats, and
    // the cell it came from: the lines of one job repeat most of their
    // fields, and a repeated cell is the same cell, so its value is made once.
    struct LastValue
    {
        const char* cell = nullptr;
        FieldValue value;
    };

    TableSource m_source;
    mutable std::shared_ptr<const TableSnapshot> m_table;
    mutable std::optional<TableSnapshot::Row> m_row;
    mutable std::vector<LastValue> m_lastValues;
    mutable std::shared_future<std::shared_ptr<const TableSnapshot>> m_pending;
    QString m_tableName;
    bool m_started = false;
    qsizetype m_position = 0;
};
