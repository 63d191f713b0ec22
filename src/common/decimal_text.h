#pragma once

// Plain decimal text of numbers, free of any toolkit and of the C locale, so
// that the database reader program and the settings files write numbers alike.

#include <cstdint>
#include <string>

// A floating value rounded to `significantDigits` significant digits, written
// without exponent and without trailing zeros: 100 -> "100", 2.5 -> "2.5",
// 0.1 -> "0.1", 1e20 -> "100000000000000000000", -0.0 -> "0".
std::string plainDecimal(double value, int significantDigits = 15);

// A scaled integer such as a currency amount (`scale` decimal places) written
// exactly, without trailing zeros: (35000, 4) -> "3.5", (-10000, 4) -> "-1".
std::string scaledDecimal(std::int64_t value, int scale);
