#include "common/short_date.h"

#include <QLocale>
#include <QRegularExpression>

QString shortDateText(const QDate& date)
{
    QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return QLocale::system().toString(date, format);
}

QString todayShortDate()
{
    return shortDateText(QDate::currentDate());
}
