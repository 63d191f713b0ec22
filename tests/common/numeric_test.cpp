#include "common/numeric.h"
#include "common/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(NumericValue, ReadsTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(numericValue("42"), 42);
    EXPECT_DOUBLE_EQ(numericValue("-7.25"), -7.25);
    EXPECT_DOUBLE_EQ(numericValue("+3"), 3);
    EXPECT_DOUBLE_EQ(numericValue(".5"), 0.5);
    EXPECT_DOUBLE_EQ(numericValue("5."), 5);
    EXPECT_DOUBLE_EQ(numericValue("3abc"), 3);
    EXPECT_DOUBLE_EQ(numericValue("1.5.3"), 1.5);
    EXPECT_DOUBLE_EQ(numericValue("12-3"), 12);
}

TEST(NumericValue, SkipsBlanksTabsAndLineFeedsAnywhere)
{
    EXPECT_DOUBLE_EQ(numericValue(" 1 2.5"), 12.5);
    EXPECT_DOUBLE_EQ(numericValue("- 3"), -3);
    EXPECT_DOUBLE_EQ(numericValue("\t1\n0 . 2 "), 10.2);
    EXPECT_DOUBLE_EQ(numericValue(" 1 "), 1);
}

TEST(NumericValue, CarriageReturnEndsTheNumber)
{
    EXPECT_DOUBLE_EQ(numericValue("1\r2"), 1);
    EXPECT_DOUBLE_EQ(numericValue("\r2"), 0);
}

TEST(NumericValue, TextWithoutANumberReadsZero)
{
    for (const char* text : {"", ".", "-", "+", "- .", "abc", "--3", "$5"})
        EXPECT_EQ(numericValue(text), 0) << text;
    // A negative zero would print with a minus sign.
    EXPECT_FALSE(std::signbit(numericValue("-0")));
}

TEST(WholeNumber, RoundsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(wholeNumber(2.5), 2);
    EXPECT_EQ(wholeNumber(3.5), 4);
    EXPECT_EQ(wholeNumber(-2.5), -2);
    EXPECT_EQ(wholeNumber(-3.5), -4);
    EXPECT_EQ(wholeNumber(0.5), 0);
    EXPECT_EQ(wholeNumber(-0.5), 0);
    EXPECT_EQ(wholeNumber(2.5000001), 3);
    EXPECT_EQ(wholeNumber(-1.6), -2);
    EXPECT_EQ(wholeNumberOf(" 1 "), 1);
}

TEST(WholeNumber, AcceptsTheSixteenBitRange)
{
    EXPECT_EQ(wholeNumber(32767), 32767);
    EXPECT_EQ(wholeNumber(32766.5), 32766);
    EXPECT_EQ(wholeNumber(-32768), -32768);
    EXPECT_EQ(wholeNumber(-32768.5), -32768);
}

TEST(WholeNumber, OverflowsOutsideTheRange)
{
    for (double value : {32767.5, 32768.0, -32769.0, -32768.6, 1e300, std::nan("")}) {
        try {
            wholeNumber(value);
            ADD_FAILURE() << value << " did not overflow";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), 6) << value;
        }
    }
    EXPECT_THROW(wholeNumberOf("-32769"), RuntimeError);
}

TEST(NumericPrintForm, PutsABlankForTheSignAndOneAfter)
{
    EXPECT_EQ(numericPrintForm(1), " 1 ");
    EXPECT_EQ(numericPrintForm(0), " 0 ");
    EXPECT_EQ(numericPrintForm(-3), "-3 ");
    EXPECT_EQ(numericPrintForm(2.5), " 2.5 ");
    EXPECT_EQ(numericPrintForm(-0.25), "-0.25 ");
    EXPECT_EQ(numericPrintForm(-0.0), " 0 ");
}

TEST(NumericPrintForm, ReadsBackToTheSameValue)
{
    for (double value : {0.0, 1.0, -3.0, 12.75, -32768.0, 0.1})
        EXPECT_EQ(numericValue(numericPrintForm(value)), value);
}

} // namespace
