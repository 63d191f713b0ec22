#include "common/decimal_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

// Text is built by appending into one reserved string: g++ 12 at -O3 warns
// falsely (-Wrestrict) about concatenating temporary strings here.
namespace {

void stripTrailingFractionZeros(std::string& text)
{
    const auto point = text.find('.');
    if (point == std::string::npos)
        return;
    auto end = text.find_last_not_of('0');
    if (end == point)
        --end;
    text.erase(end + 1);
}

} // namespace

std::string plainDecimal(double value, int significantDigits)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0)
        return "0";
    // A double carries at most 17 significant digits; more only spell out
    // its binary expansion, and 40 keeps the text inside the buffer below.
    significantDigits = std::clamp(significantDigits, 1, 40);

    // Round once, in scientific form, then move the decimal point by hand.
    char scientific[64];
    const auto written = std::to_chars(scientific, scientific + sizeof scientific, value,
                                       std::chars_format::scientific, significantDigits - 1);
    const char* const end = written.ptr;
    const bool negative = scientific[0] == '-';

    char digits[64];
    std::size_t digitCount = 0;
    const char* p = scientific + (negative ? 1 : 0);
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.')
            digits[digitCount++] = *p;
    }
    int exponent = 0;
    if (p != end) {
        const char* from = p + 1;
        if (from != end && *from == '+')
            ++from;
        std::from_chars(from, end, exponent);
    }

    std::string text;
    text.reserve(digitCount + static_cast<std::size_t>(std::abs(exponent)) + 4);
    if (negative)
        text += '-';
    if (exponent < 0) {
        text.append("0.");
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text.append(digits, digitCount);
    } else if (static_cast<std::size_t>(exponent) + 1 >= digitCount) {
        text.append(digits, digitCount);
        text.append(static_cast<std::size_t>(exponent) + 1 - digitCount, '0');
    } else {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        text.append(digits, whole);
        text += '.';
        text.append(digits + whole, digitCount - whole);
    }
    stripTrailingFractionZeros(text);
    return text;
}

std::string scaledDecimal(std::int64_t value, int scale)
{
    const bool negative = value < 0;
    // Work on the unsigned magnitude so that INT64_MIN stays exact.
    const std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    char digits[24];
    const auto digitCount = static_cast<std::size_t>(
        std::to_chars(digits, digits + sizeof digits, magnitude).ptr - digits);
    const std::size_t fraction = scale > 0 ? static_cast<std::size_t>(scale) : 0;

    std::string text;
    text.reserve(digitCount + fraction + 3);
    if (negative)
        text += '-';
    if (fraction == 0) {
        text.append(digits, digitCount);
        return text;
    }
    if (digitCount <= fraction) {
        text.append("0.");
        text.append(fraction - digitCount, '0');
        text.append(digits, digitCount);
    } else {
        text.append(digits, digitCount - fraction);
        text += '.';
        text.append(digits + digitCount - fraction, fraction);
    }
    stripTrailingFractionZeros(text);
    return text;
}
