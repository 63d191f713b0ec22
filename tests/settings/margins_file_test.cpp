#include "settings/margins_file.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace {

struct MarginsReadCase
{
    const char* name;
    QByteArray file; // "<none>": no file
    int error;
    int topMargin;
    int totalLines;
    int printTopMargin;
};

class MarginsReadTest : public ::testing::TestWithParam<MarginsReadCase>
{
protected:
    TempSettingsFolder m_settings;
};

TEST_P(MarginsReadTest, ReadsTheWholeNumbersOrFails)
{
    const MarginsReadCase& c = GetParam();
    if (c.file != "<none>")
        writeFileContents(m_settings.filePath("Bid.fyl"), c.file);
    Margins margins;
    EXPECT_EQ(errorNumberOf([&] { margins = readMargins(); }), c.error);
    if (c.error == 0) {
        EXPECT_EQ(margins.topMargin, c.topMargin);
        EXPECT_EQ(margins.totalLines, c.totalLines);
    }
    EXPECT_EQ(readTopMargin(), c.printTopMargin);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MarginsReadTest,
    ::testing::Values(MarginsReadCase{"Missing", "<none>", 53, 0, 0, 0},
                      MarginsReadCase{"Empty", "", 62, 0, 0, 0},
                      MarginsReadCase{"FourLines", "3\r\n66\r\n\r\n\r\n", 62, 0, 0, 3},
                      MarginsReadCase{"FiveLines", " 3 \r\n66\r\n\r\n\r\n\r", 0, 3, 66, 3},
                      MarginsReadCase{"LeadingZeroAndLetters", "07\r\nabc\r\n\r\n\r\n\r\n", 0, 7, 0,
                                      7},
                      MarginsReadCase{"HalvesToEven", "2.5\r\n65.5\r\n\r\n\r\n\r\n", 0, 2, 66, 2},
                      MarginsReadCase{"Overflow", "40000\r\n66\r\n\r\n\r\n\r\n", 6, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Margins, SaveCopiesLinesThreeToTenAndDropsTheRest)
{
    TempSettingsFolder settings;
    const QString path = settings.filePath("BID.FYL");
    saveMargins("2", "66");
    EXPECT_EQ(fileContents(path), "2\r\n66\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");

    writeFileContents(path, "1\r\n2\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nl\r\n");
    saveMargins(" 4x", "");
    EXPECT_EQ(fileContents(path), " 4x\r\n\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\n");

    writeFileContents(path, "1\r\n2\r\nthird");
    saveMargins("0", "63");
    EXPECT_EQ(fileContents(path), "0\r\n63\r\nthird\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(Margins, PageHeightInTheHashHashDotHashForm)
{
    const std::pair<double, const char*> cases[] = {{66, "11."}, {63, "10.5"}, {67, "11.2"},
                                                    {3, ".5"},   {0, "."},     {1.5, ".3"},
                                                    {-3, "-.5"}, {600, "100."}};
    for (const auto& [lines, text] : cases)
        EXPECT_EQ(pageHeightText(lines), text) << lines;
}

} // namespace
