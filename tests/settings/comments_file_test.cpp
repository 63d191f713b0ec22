#include "common/module_values.h"
#include "settings/comments_file.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class CommentsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(m_settings.path()).mkdir("data"));
        DataFolder = m_settings.filePath("data");
    }

    QString path(const QString& name = "Comments.Dat") const { return DataFolder + '/' + name; }

    TempSettingsFolder m_settings;
};

TEST_F(CommentsFileTest, ReadsLinesWholeAppendsAndRewrites)
{
    writeFileContents(path("COMMENTS.DAT"), "Rush, \"fragile\"\r\n\r\nlast\rno end\n");
    EXPECT_EQ(readComments(), (QStringList{"Rush, \"fragile\"", "", "last", "no end\n"}));
    appendComment(QString::fromUtf8("Caf\u00e9 \u2713"));
    EXPECT_EQ(fileContents(path("COMMENTS.DAT")),
              "Rush, \"fragile\"\r\n\r\nlast\rno end\nCaf\xe9 ?\r\n");
    rewriteComments({"b", "a"});
    EXPECT_EQ(readComments(), (QStringList{"b", "a"}));
}

TEST_F(CommentsFileTest, WithoutADataFolderNothingIsTouched)
{
    DataFolder.clear();
    EXPECT_EQ(errorNumberOf(readComments), 53);
    EXPECT_EQ(errorNumberOf([] { appendComment("x"); }), 70);
    EXPECT_EQ(errorNumberOf([] { rewriteComments({"x"}); }), 70);
    EXPECT_FALSE(QFile::exists("Comments.Dat"));
}

} // namespace
