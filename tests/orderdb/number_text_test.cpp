// Numbers of the database and of the settings files in their plain decimal
// text: never an exponent, never the locale's decimal comma.

#include "common/decimal_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(PlainDecimal, WritesFloatingValuesWithoutExponentOrTrailingZeros)
{
    EXPECT_EQ(plainDecimal(100), "100");
    EXPECT_EQ(plainDecimal(2.5), "2.5");
    EXPECT_EQ(plainDecimal(0.1), "0.1");
    EXPECT_EQ(plainDecimal(0.1 + 0.2), "0.3"); // 15 significant digits
    EXPECT_EQ(plainDecimal(-0.0), "0");
    EXPECT_EQ(plainDecimal(-1234.5), "-1234.5");
    EXPECT_EQ(plainDecimal(1e20), "100000000000000000000");
    EXPECT_EQ(plainDecimal(1.5e-7), "0.00000015");
    EXPECT_EQ(plainDecimal(123456789012345678.0), "123456789012346000");
    EXPECT_EQ(plainDecimal(0.1f, 7), "0.1");
    EXPECT_EQ(plainDecimal(99.99999999999999), "100");
}

TEST(ScaledDecimal, WritesCurrencyExactly)
{
    EXPECT_EQ(scaledDecimal(35000, 4), "3.5");
    EXPECT_EQ(scaledDecimal(-10000, 4), "-1");
    EXPECT_EQ(scaledDecimal(1, 4), "0.0001");
    EXPECT_EQ(scaledDecimal(-5, 4), "-0.0005");
    EXPECT_EQ(scaledDecimal(0, 4), "0");
    EXPECT_EQ(scaledDecimal(std::numeric_limits<std::int64_t>::min(), 4), "-922337203685477.5808");
    EXPECT_EQ(scaledDecimal(std::numeric_limits<std::int64_t>::max(), 4), "922337203685477.5807");
}
