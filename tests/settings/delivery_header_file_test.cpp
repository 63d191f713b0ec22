#include "settings/delivery_header_file.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct HeaderReadCase
{
    const char* name;
    QByteArray file;
    bool holdsData;
    QStringList lines; // slots 1.. as read; the rest must be empty
};

class DeliveryHeaderReadTest : public ::testing::TestWithParam<HeaderReadCase>
{
protected:
    TempSettingsFolder m_settings;
};

TEST_P(DeliveryHeaderReadTest, ReadsTheLinesTheFileHolds)
{
    const HeaderReadCase& c = GetParam();
    writeFileContents(m_settings.filePath("DELVHEAD.DAT"), c.file);
    const auto header = readDeliveryHeader();
    ASSERT_EQ(header.has_value(), c.holdsData);
    if (!header)
        return;
    for (int n = 1; n <= DeliveryHeader::SlotCount; ++n)
        EXPECT_EQ(header->slot(n), c.lines.value(n - 1)) << "slot " << n;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DeliveryHeaderReadTest,
    ::testing::Values(
        HeaderReadCase{"NineBytesHoldNoData", "123456789", false, {}},
        HeaderReadCase{"TenBytesAreOneLine", "1234567890", true, {"1234567890"}},
        HeaderReadCase{"ShortFileEmptiesTheRest", "Top\r\nOwner\r\n", true, {"Top", "Owner"}},
        HeaderReadCase{
            "BareCrEndsALineLoneLfDoesNot", "a\rb\nc\r\nlast", true, {"a", "b\nc", "last"}},
        HeaderReadCase{"CutAfterEleven",
                       "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n",
                       true,
                       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}},
        HeaderReadCase{
            "Windows1252", "\x80 Caf\xe9 \x93q\x94\r\n", true, {QString::fromUtf8("€ Café “q”")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeliveryHeader, WritesElevenLinesWithTheSpacerAlwaysFourBlanks)
{
    TempSettingsFolder settings;
    DeliveryHeader header;
    header.slot(DeliveryHeader::SpacerSlot) = "whatever";
    writeDeliveryHeader(header);
    const QByteArray empty = fileContents(settings.filePath("DELVHEAD.DAT"));
    EXPECT_EQ(empty, "\r\n\r\n\r\n\r\n\r\n\r\n\r\n    \r\n\r\n\r\n\r\n");
    EXPECT_EQ(empty.size(), 26);

    for (int n = 1; n <= DeliveryHeader::SlotCount; ++n)
        header.slot(n) = QString::number(n);
    header.slot(9) = QString::fromUtf8("Café ✓");
    writeDeliveryHeader(header);
    EXPECT_EQ(fileContents(settings.filePath("DELVHEAD.DAT")),
              "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n    \r\nCaf\xe9 ?\r\n10\r\n11\r\n");
}

} // namespace
