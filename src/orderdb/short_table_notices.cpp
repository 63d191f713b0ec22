#include "orderdb/short_table_notices.h"

QString ShortTable::message() const
{
    const QString repair = QStringLiteral(" The database may be damaged: please have it repaired "
                                          "in the order-entry program.");
    if (unreadable)
        return QStringLiteral("The table %1 of the order-entry database could not be read.")
                   .arg(table) +
               repair;
    if (read < declared)
        return QStringLiteral("The table %1 of the order-entry database should hold %2 records, "
                              "but only %3 could be read.")
                   .arg(table)
                   .arg(declared)
                   .arg(read) +
               repair;
    return QStringLiteral("The table %1 of the order-entry database holds damaged records or "
                          "values that could not be read (%2 in all).")
               .arg(table)
               .arg(damaged) +
           repair;
}

void ShortTableNotices::setReporter(Reporter reporter)
{
    const std::lock_guard guard(m_lock);
    m_reporter = std::move(reporter);
}

void ShortTableNotices::forgetReported()
{
    const std::lock_guard guard(m_lock);
    m_reported.clear();
}

void ShortTableNotices::report(const ShortTable& table)
{
    Reporter reporter;
    {
        const std::lock_guard guard(m_lock);
        if (!m_reporter || !m_reported.insert(table.table.toLower()).second)
            return;
        reporter = m_reporter;
    }
    reporter(table);
}
