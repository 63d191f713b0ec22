#include "common/numeric.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Blanks, TABs and line feeds are skipped anywhere; a carriage return, a
// second point or sign, or any other character ends the number.
TEST(NumericValue, ReadsTheLeadingNumber)
{
    const std::pair<const char*, double> cases[] = {{"42", 42},       {"-7.25", -7.25},
                                                    {"+3", 3},        {".5", 0.5},
                                                    {"5.", 5},        {"3abc", 3},
                                                    {"1.5.3", 1.5},   {"12-3", 12},
                                                    {" 1 2.5", 12.5}, {"- 3", -3},
                                                    {" 1 ", 1},       {"1\r2", 1},
                                                    {"\r2", 0},       {"\t1\n0 . 2 ", 10.2},
                                                    {"", 0},          {".", 0},
                                                    {"-", 0},         {"--3", 0},
                                                    {"+-3", 0},       {"$5", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(numericValue(text), value) << text;
    EXPECT_FALSE(std::signbit(numericValue("-0"))); // it would print with a minus sign
}

TEST(WholeNumber, RoundsHalvesToTheEvenNeighbourWithinSixteenBits)
{
    const std::pair<double, int> cases[] = {{2.5, 2},         {3.5, 4},         {-2.5, -2},
                                            {-3.5, -4},       {0.5, 0},         {-0.5, 0},
                                            {2.5000001, 3},   {-1.6, -2},       {32767, 32767},
                                            {32766.5, 32766}, {-32768, -32768}, {-32768.5, -32768}};
    for (const auto& [value, whole] : cases)
        EXPECT_EQ(wholeNumber(value), whole) << value;
    for (const double value : {32767.5, 32768.0, -32769.0, -32768.6, 1e300, std::nan("")})
        EXPECT_EQ(errorNumberOf([&] { wholeNumber(value); }), 6) << value;
    EXPECT_EQ(wholeNumberOf(" 1 "), 1);
    EXPECT_EQ(errorNumberOf([] { wholeNumberOf("-32769"); }), 6);
}

TEST(NumericPrintForm, PutsABlankForTheSignAndOneAfterAndReadsBack)
{
    const std::pair<double, const char*> cases[] = {
        {1, " 1 "},    {0, " 0 "},         {-3, "-3 "},         {2.5, " 2.5 "}, {-0.25, "-0.25 "},
        {-0.0, " 0 "}, {12.75, " 12.75 "}, {-32768, "-32768 "}, {0.1, " 0.1 "}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(numericPrintForm(value), text);
        EXPECT_EQ(numericValue(numericPrintForm(value)), value);
    }
}

} // namespace
