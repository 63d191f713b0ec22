#pragma once

#include <QDate>
#include <QString>

// The system's short-date form, always with a four-digit year: a ticket
// printed with "12/6/26" could be read as 1926.
QString shortDateText(const QDate& date);

// Today's date in the short-date form.
QString todayShortDate();
