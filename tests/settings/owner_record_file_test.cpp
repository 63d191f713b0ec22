#include "settings/owner_record_file.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class OwnerRecordTest : public ::testing::Test
{
protected:
    QByteArray file() const { return fileContents(m_settings.filePath(m_name)); }

    TempSettingsFolder m_settings;
    QString m_name = "OwnsAct.DAT";
};

const QByteArray kRecord = QByteArray("ACME Printing Company Inc") // 25: no blank after it
                           + QByteArray("12 Main St").leftJustified(25) +
                           QByteArray("Springfield, IL 62701").leftJustified(25) +
                           QByteArray("(555)123-4567").leftJustified(14) +
                           QByteArray("Thank you").leftJustified(36);
const QByteArray kTail("TAIL\0\1\r\n", 8);

TEST_F(OwnerRecordTest, WritesTheFixedWidthRecordReadBackTrimmed)
{
    writeOwnerRecord({"ACME Printing Company Inc", "12 Main St", "Springfield, IL 62701",
                      "(555)123-4567", "Thank you"});
    EXPECT_EQ(QDir(m_settings.path()).entryList(QDir::Files), QStringList{"Ownsact.dat"});
    m_name = "Ownsact.dat";
    EXPECT_EQ(file(), kRecord);
    EXPECT_EQ(file().size(), OwnerRecord::Length);

    const auto record = readOwnerRecord(); // the readers' spelling reaches it
    ASSERT_TRUE(record);
    EXPECT_EQ(record->name, "ACME Printing Company Inc");
    EXPECT_EQ(record->address, "12 Main St");
    EXPECT_EQ(record->cityStateZip, "Springfield, IL 62701");
    EXPECT_EQ(record->phone, "(555)123-4567");
    EXPECT_EQ(record->comment, "Thank you");
}

TEST_F(OwnerRecordTest, CutsLongFieldsStoresUnencodableAsQuestionMarkAndKeepsTheTail)
{
    writeFileContents(m_settings.filePath(m_name), QByteArray(125, 'x') + kTail);
    writeOwnerRecord({"  Caf\u00e9 \u2713 and a name much too long", "", "", "", "\u20ac"});
    const QByteArray expected = QByteArray("  Caf\xe9 ? and a name much ") +
                                QByteArray(25 + 25 + 14, ' ') + "\x80" + QByteArray(35, ' ') +
                                kTail;
    EXPECT_EQ(file(), expected);
    EXPECT_EQ(readOwnerRecord()->name, QString::fromUtf8("Café ? and a name much"));
}

struct ShortRecordCase
{
    const char* name;
    int length;
    QStringList fields; // name, address, city, phone, comment
};

class OwnerRecordShortTest : public OwnerRecordTest,
                             public ::testing::WithParamInterface<ShortRecordCase>
{
};

TEST_P(OwnerRecordShortTest, ReadsTheFieldsTheFileReaches)
{
    writeFileContents(m_settings.filePath(m_name), kRecord.left(GetParam().length));
    const auto record = readOwnerRecord();
    const QStringList& want = GetParam().fields;
    ASSERT_EQ(record.has_value(), !want.isEmpty());
    if (!record)
        return;
    EXPECT_EQ((QStringList{record->name, record->address, record->cityStateZip, record->phone,
                           record->comment}),
              want);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, OwnerRecordShortTest,
    ::testing::Values(
        ShortRecordCase{"Empty", 0, {}}, ShortRecordCase{"NineBytes", 9, {}},
        ShortRecordCase{"TenBytes", 10, {"ACME Print", "", "", "", ""}},
        ShortRecordCase{
            "CutInTheCity", 60, {"ACME Printing Company Inc", "12 Main St", "Springfiel", "", ""}},
        ShortRecordCase{"CutInTheComment",
                        95,
                        {"ACME Printing Company Inc", "12 Main St", "Springfield, IL 62701",
                         "(555)123-4567", "Thank"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
