#include "common/decimal_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

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
    if (significantDigits < 1)
        significantDigits = 1;

    // Round once, in scientific form, then move the decimal point by hand.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, significantDigits - 1);
    const std::string scientific(buffer, result.ptr);

    const auto e = scientific.find('e');
    const bool negative = scientific.front() == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (scientific[i] != '.')
            digits += scientific[i];
    }
    const int exponent = std::atoi(scientific.c_str() + e + 1);

    std::string text;
    if (exponent < 0) {
        text = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
        text = digits + std::string(exponent + 1 - digits.size(), '0');
    } else {
        text = digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
    }
    stripTrailingFractionZeros(text);
    return negative ? "-" + text : text;
}

std::string scaledDecimal(std::int64_t value, int scale)
{
    const bool negative = value < 0;
    // Work on the unsigned magnitude so that INT64_MIN stays exact.
    std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    if (scale > 0) {
        if (digits.size() <= static_cast<std::size_t>(scale))
            digits.insert(0, static_cast<std::size_t>(scale) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(scale), ".");
        stripTrailingFractionZeros(digits);
    }
    return negative && digits != "0" ? "-" + digits : digits;
}
