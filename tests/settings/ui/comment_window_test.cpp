#include "common/module_values.h"
#include "common/ui/event_combo_box.h"
#include "input/frm_delivery.h"
#include "settings/ui/frm_comment.h"
#include "settings_windows_fixture.h"
#include "support/test_files.h"

#include <QDir>
#include <QPushButton>

namespace {

class CommentWindowTest : public SettingsWindowsTest
{
protected:
    CommentWindowTest() { pointAtDataFolder(); }

    QString commentsPath() const { return dataFolder() + "/Comments.Dat"; }
    void writeComments(const QByteArray& bytes) { writeFileContents(commentsPath(), bytes); }
    QByteArray comments() const { return fileContents(commentsPath()); }

    FrmComment* open() { return show<FrmComment>("frmComment"); }

    void post(FrmComment* window, const QString& text)
    {
        window->cboComment->setText(text);
        window->cmdPost->click();
    }
};

TEST_F(CommentWindowTest, ListsTheFileInTheFolderNamedByTheWholeFirstLine)
{
    const QString folder = m_settings.filePath("oe, \"main\"");
    ASSERT_TRUE(QDir().mkpath(folder));
    writeFileContents(folder + "/Comments.Dat", "Rush\r\nFragile, \"handle\"\r\n");
    writeSetting("qmvanck.dat", (folder + "\r\n/srv/est\r\n").toUtf8());
    FrmComment* window = open();
    EXPECT_EQ(window->cboComment->items(), (QStringList{"Rush", "Fragile, \"handle\""}));
    EXPECT_EQ(window->cboComment->text(), "Rush");
    EXPECT_EQ(DataFolder, folder);
}

TEST_F(CommentWindowTest, WithoutADataFolderTheDataFolderWindowOpensBeside)
{
    writeSetting("qmvanck.dat", "\r\n/srv/est\r\n");
    FrmComment* window = open();
    EXPECT_EQ(m_pathWindowShown, 1);
    EXPECT_TRUE(loaded("frmComment"));
    EXPECT_EQ(window->cboComment->count(), 0);
}

TEST_F(CommentWindowTest, PostingAppendsBeepsAndRefusesExactDuplicates)
{
    writeComments("Rush\r\n");
    FrmComment* window = open();

    post(window, "Rush");
    EXPECT_EQ(messageTexts(), QStringList{"Duplicate Entries Not Permitted."});
    EXPECT_EQ(window->cboComment->text(), "");
    EXPECT_EQ(m_platform.beeps, 0);

    post(window, "RUSH");
    post(window, "");
    EXPECT_EQ(comments(), "Rush\r\nRUSH\r\n\r\n");
    EXPECT_EQ(window->cboComment->items(), (QStringList{"Rush", "RUSH", ""}));
    EXPECT_EQ(m_platform.beeps, 2);
    EXPECT_EQ(m_platform.messages.size(), 1U);
}

TEST_F(CommentWindowTest, ErasingAsksAndReachesTheFileOnlyThroughExit)
{
    writeComments("A\r\nB\r\nA\r\n");
    FrmComment* window = open();

    window->cboComment->setText("missing");
    window->cmdErase->click();
    EXPECT_TRUE(m_platform.messages.empty());

    window->cboComment->setText("A");
    m_platform.answerNext(Platform::Answer::Cancel);
    window->cmdErase->click();
    EXPECT_EQ(window->cboComment->items(), (QStringList{"A", "B", "A"}));
    window->cmdErase->click();
    EXPECT_EQ(messageTexts(), (QStringList{"Deleting Comment Shown.", "Deleting Comment Shown."}));
    EXPECT_EQ(m_platform.messages[0].buttons, Platform::Buttons::OkCancel);
    EXPECT_EQ(window->cboComment->items(), (QStringList{"B", "A"}));
    EXPECT_EQ(window->cboComment->text(), "A");

    window->close(); // the close box: the file keeps the erased comment
    EXPECT_EQ(comments(), "A\r\nB\r\nA\r\n");
}

// The main window reads a comment file of more than 10 bytes only.
TEST_F(CommentWindowTest, ExitRewritesTheFileAndRefillsTheMainWindowsList)
{
    writeComments("Alpha\r\nBravo\r\n");
    auto* main = show<FrmDelivery>("frmDelivery");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->cboComment->items(), (QStringList{"Alpha", "Bravo"}));

    FrmComment* window = open();
    post(window, "Charlie");
    window->cboComment->setText("Alpha");
    window->cmdErase->click();
    EXPECT_EQ(main->cboComment->items(), (QStringList{"Alpha", "Bravo"})); // not before Exit

    window->cmdExit->click();
    EXPECT_EQ(comments(), "Bravo\r\nCharlie\r\n");
    EXPECT_EQ(main->cboComment->items(), (QStringList{"Bravo", "Charlie"}));
    EXPECT_FALSE(loaded("frmComment"));
}

TEST_F(CommentWindowTest, FailedWritesLeaveFileListsAndWindowAsTheyStand)
{
    const QByteArray old = "Alpha\r\nBravo\r\n";
    writeComments(old);
    auto* main = show<FrmDelivery>("frmDelivery");
    FrmComment* window = open();
    m_platform.messages.clear();
    window->cboComment->setText("Alpha");
    window->cmdErase->click();
    {
        const FileSizeLimit limit(4);
        post(window, "Charlie");
        window->cmdExit->click();
    }
    ASSERT_EQ(m_platform.messages.size(), 3U);
    for (const std::size_t failure : {1U, 2U})
        EXPECT_TRUE(m_platform.messages[failure].text.contains("Comments.Dat"));
    EXPECT_EQ(m_platform.beeps, 0);
    EXPECT_EQ(window->cboComment->items(), QStringList{"Bravo"});
    EXPECT_TRUE(loaded("frmComment"));
    EXPECT_EQ(main->cboComment->items(), (QStringList{"Alpha", "Bravo"}));
    EXPECT_EQ(comments(), old);
}

} // namespace
