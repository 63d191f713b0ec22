#include "common/numeric.h"

#include "common/decimal_text.h"
#include "common/runtime_error.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The number's characters with the skipped blanks taken out, ready for a
// locale-free conversion: Qt sets the C locale from the environment, so the
// C library's own conversions could expect a decimal comma.
std::string leadingNumber(const QString& text)
{
    std::string number;
    bool signAllowed = true;
    bool pointSeen = false;
    for (const QChar c : text) {
        if (isSkipped(c))
            continue;
        if (signAllowed && (c == u'+' || c == u'-')) {
            if (c == u'-')
                number += '-';
        } else if (isDigit(c)) {
            number += static_cast<char>(c.unicode());
        } else if (c == u'.' && !pointSeen) {
            pointSeen = true;
            number += '.';
        } else {
            break;
        }
        signAllowed = false;
    }
    return number;
}

} // namespace

double numericValue(const QString& text)
{
    const std::string number = leadingNumber(text);
    if (number.find_first_of("0123456789") == std::string::npos)
        return 0;

    const bool negative = number.front() == '-';
    const char* first = number.data() + (negative ? 1 : 0);
    double magnitude = 0;
    const auto result =
        std::from_chars(first, number.data() + number.size(), magnitude, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range)
        magnitude = std::numeric_limits<double>::infinity();
    // Adding +0 turns "-0" into an ordinary zero, which prints without a sign.
    return (negative ? -magnitude : magnitude) + 0.0;
}

std::int16_t wholeNumber(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0))
        rounded = below + 1;

    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max()))
        throw RuntimeError(ErrorCode::Overflow);
    return static_cast<std::int16_t>(rounded);
}

std::int16_t wholeNumberOf(const QString& text)
{
    return wholeNumber(numericValue(text));
}

QString numericPrintForm(double value)
{
    const std::string digits = plainDecimal(std::fabs(value));
    return QString::fromLatin1(value < 0 ? "-" : " ") + QString::fromStdString(digits) +
           QLatin1Char(' ');
}
