#pragma once

#include "orderdb/table_cursor.h"

#include <QStringView>

// One field of a cursor's current record during a walk over its table: the
// name is looked up at the first read, so a walk over a large table looks it
// up once. A table without the field fails at every read, as a read by name
// would. The name must outlive the walk (string literals do).
class WalkField
{
public:
    WalkField(const TableCursor& cursor, QStringView name)
        : m_cursor(cursor)
        , m_name(name)
    {
    }

    FieldValue operator()() { return m_cursor.field(index()); }

    // Exact comparison without making a string of the field; a Null equals
    // nothing, not even an empty text. Lookups compare every record.
    bool equals(QStringView text) { return m_cursor.fieldEquals(index(), text); }

private:
    int index()
    {
        if (m_index < 0)
            m_index = m_cursor.fieldIndex(m_name);
        return m_index;
    }

    const TableCursor& m_cursor;
    QStringView m_name;
    int m_index = -1;
};
