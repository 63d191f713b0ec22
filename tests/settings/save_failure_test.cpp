#include "common/module_values.h"
#include "settings/comments_file.h"
#include "settings/delivery_header_file.h"
#include "settings/margins_file.h"
#include "settings/owner_record_file.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Every save of a settings format: a failure reports 70 and leaves the old
// file byte for byte.
struct SaveCase
{
    const char* name;
    const char* file;
    std::function<void()> save;
};

const QByteArray kOld = "old content\r\nline 2\r\n";
// Every save below writes more than this many bytes.
constexpr rlim_t kFileSizeLimit = 16;

class SaveFailureTest : public ::testing::TestWithParam<SaveCase>
{
protected:
    void SetUp() override
    {
        DataFolder = m_settings.path();
        writeFileContents(m_settings.filePath(GetParam().file), kOld);
    }

    TempSettingsFolder m_settings;
};

TEST_P(SaveFailureTest, WriteCutShortKeepsTheOldFile)
{
    {
        const FileSizeLimit limit(kFileSizeLimit);
        EXPECT_EQ(errorNumberOf(GetParam().save), 70);
    }
    EXPECT_EQ(fileContents(m_settings.filePath(GetParam().file)), kOld);
}

TEST_P(SaveFailureTest, ReadOnlyFolderKeepsTheOldFile)
{
    const ReadOnlyFolder readOnly(m_settings.path());
    if (!readOnly.writesBlocked())
        GTEST_SKIP() << "this user may write into a read-only folder (root): covered by the "
                        "file-size limit case";
    EXPECT_EQ(errorNumberOf(GetParam().save), 70);
    EXPECT_EQ(fileContents(m_settings.filePath(GetParam().file)), kOld);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SaveFailureTest,
    ::testing::Values(SaveCase{"DeliveryHeader", "DELVHEAD.DAT", [] { writeDeliveryHeader({}); }},
                      SaveCase{"OwnerRecord", "OwnsAct.DAT", [] { writeOwnerRecord({}); }},
                      SaveCase{"Margins", "BID.FYL", [] { saveMargins("1", "66"); }},
                      SaveCase{"CommentsRewrite", "Comments.Dat",
                               [] { rewriteComments({"a longer comment line"}); }},
                      SaveCase{"CommentsAppend", "Comments.Dat",
                               [] { appendComment("a longer comment line"); }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
