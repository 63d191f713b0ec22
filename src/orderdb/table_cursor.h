#pragma once

#include "orderdb/field_value.h"
#include "orderdb/table_snapshot.h"

#include <QString>

#include <future>
#include <memory>

// A read-only cursor over one table of the order-entry database.
//
// Opening reads the table once; the cursor then walks that snapshot, taken
// when it was opened, in the database's own record order. There is one
// current record, which stays where the last move left it.
//
// Failures are RuntimeErrors: ObjectNotSet for any use of a cursor that is
// not open, FieldNotFound for an unknown field, NoCurrentRecord for a field
// read past the end, and the opening failures of table_source::read.
class TableCursor
{
public:
    // Opens (or reopens) the cursor on a table; on failure the cursor is
    // closed. The cursor starts on the first record.
    void open(const QString& databaseFile, const QString& table);

    // Opens the cursor at once and reads the table later, so that a large
    // table nobody needs yet does not hold up the caller: in the background
    // from startReading() on, or at the first use of the cursor, whichever
    // comes first. A missing folder or file fails here; a table that cannot
    // be read fails at the first use, and the cursor is not open after it.
    void openDeferred(const QString& databaseFile, const QString& table);
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

    mutable std::shared_ptr<const TableSnapshot> m_table;
    mutable std::shared_future<std::shared_ptr<const TableSnapshot>> m_pending;
    bool m_started = false;
    qsizetype m_position = 0;
};
