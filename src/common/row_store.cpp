#include "common/row_store.h"

#include "common/runtime_error.h"

QString RowStore::item(int index) const
{
    checkIndex(index);
    return m_rows.at(index);
}

void RowStore::setItem(int index, const QString& row)
{
    checkIndex(index);
    m_rows[index] = row;
}

void RowStore::removeItem(int index)
{
    checkIndex(index);
    m_rows.removeAt(index);
}

void RowStore::checkIndex(int index) const
{
    if (index < 0 || index >= m_rows.size())
        throw RuntimeError(ErrorCode::InvalidArrayIndex, QStringLiteral("row %1").arg(index));
}
