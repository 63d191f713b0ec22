#pragma once

#include <QDate>
#include <QString>

// The system's short-date form (that of the program's default locale, the
// system's unless changed), always with a four-digit year: a ticket printed
// with "12/6/26" could be read as 1926.
QString shortDateText(const QDate& date);

// The date a short-date text names: read in the form shortDateText()
// writes, else in the locale's own short form, whose two-digit years stand
// for 1930 to 2029. An invalid date when the text is neither.
QDate dateFromShortText(const QString& text);

// Today's date in the short-date form.
QString todayShortDate();
