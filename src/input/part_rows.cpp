#include "input/part_rows.h"

namespace part_rows {

namespace {

constexpr QChar Tab = QLatin1Char('\t');

// 1-based positions of the row's first and second TAB, 0 when missing.
struct TabPositions
{
    qsizetype first = 0;
    qsizetype second = 0;
};

TabPositions tabPositions(const QString& row)
{
    TabPositions positions;
    positions.first = row.indexOf(Tab) + 1;
    if (positions.first > 0)
        positions.second = row.indexOf(Tab, positions.first) + 1;
    return positions;
}

// The row from 1-based position `position` on; the whole row from 0.
QString from(const QString& row, qsizetype position)
{
    return position == 0 ? row : row.mid(position - 1);
}

// A number as the label writes it: a blank where a plus sign would go.
QString signPlaced(int value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

QString withoutMnemonic(const QString& caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

} // namespace

PartFields split(const QString& row)
{
    const TabPositions tabs = tabPositions(row);
    if (tabs.first == 0)
        return {row, {}, {}};
    if (tabs.second == 0)
        return {row.left(tabs.first - 1), row.mid(tabs.first), {}};
    return {row.left(tabs.first - 1), row.mid(tabs.first, tabs.second - tabs.first - 1),
            row.mid(tabs.second)};
}

QString withQuantity(const QString& row, const QString& quantity)
{
    return quantity + from(row, tabPositions(row).first);
}

QString withBackOrdered(const QString& row, const QString& backOrdered)
{
    const TabPositions tabs = tabPositions(row);
    return row.left(tabs.first) + backOrdered + from(row, tabs.second);
}

QString withDescription(const QString& row, const QString& description)
{
    return row.left(tabPositions(row).second) + description;
}

int partNumber(const QString& caption)
{
    constexpr qsizetype PartNumberIndex = 19;
    const QString shown = withoutMnemonic(caption);
    if (shown.size() <= PartNumberIndex)
        return 0;
    const QChar digit = shown[PartNumberIndex];
    return digit >= QLatin1Char('0') && digit <= QLatin1Char('9') ? digit.digitValue() : 0;
}

QString caption(int part, int count)
{
    return QStringLiteral("Description: (Part") + signPlaced(part) + QStringLiteral(" of") +
           signPlaced(count) + QLatin1Char(')');
}

} // namespace part_rows
