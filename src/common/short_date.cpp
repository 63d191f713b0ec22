#include "common/short_date.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

// The locale's short form with any two-digit year widened to four digits.
QString fourDigitYearFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return format;
}

} // namespace

QString shortDateText(const QDate& date)
{
    return QLocale().toString(date, fourDigitYearFormat());
}

QString todayShortDate()
{
    return shortDateText(QDate::currentDate());
}

QDate dateFromShortText(const QString& text)
{
    const QLocale locale;
    const QDate date = locale.toDate(text, fourDigitYearFormat());
    if (date.isValid())
        return date;
    // Two-digit years are read as 19yy; the window 1930-2029 is the one the
    // old tickets were written in.
    constexpr int kFirstYear = 1930;
    const QDate shortYear = locale.toDate(text, QLocale::ShortFormat);
    return shortYear.isValid() && shortYear.year() < kFirstYear ? shortYear.addYears(100)
                                                                : shortYear;
}
