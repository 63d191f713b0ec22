#pragma once

#include <QString>
#include <QStringList>

// The rows of a list box that is never shown, kept in the order they were
// added. A row index outside 0 to count() - 1 is refused with RuntimeError
// InvalidArrayIndex.
class RowStore
{
public:
    void add(const QString& row) { m_rows.append(row); }
    void clear() { m_rows.clear(); }
    int count() const { return static_cast<int>(m_rows.size()); }

    QString item(int index) const;
    void setItem(int index, const QString& row);
    void removeItem(int index);

    const QStringList& items() const { return m_rows; }

private:
    void checkIndex(int index) const;

    QStringList m_rows;
};
