#include "app/program_windows.h"
#include "common/cut_file_notice.h"
#include "common/session.h"
#include "common/short_date.h"
#include "common/ui/center_form.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_box.h"
#include "common/ui/window_registry.h"
#include "input/ui/frm_delivery.h"
#include "orderdb/table_source.h"
#include "settings/comments_file.h"
#include "settings/ui/frm_about.h"
#include "settings/ui/frm_comment.h"
#include "settings/ui/frm_date.h"
#include "settings/ui/frm_delv_head.h"
#include "settings/ui/frm_margins.h"
#include "settings/ui/frm_owner.h"
#include "support/scripted_platform.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A temporary settings folder with a data folder "data" in it, scripted
// message boxes, the windows made and joined as the program does, and a
// plain window standing for frmPath.
class SettingsWindowsTest : public ::testing::Test
{
protected:
    SettingsWindowsTest()
    {
        m_session.settingsFolder = m_settings.path();
        windows::reset();
        QDir(m_settings.path()).mkdir(QStringLiteral("data"));
        wireProgram(m_session, m_tables);
        windows::registerWindow(windows::names::frmPath, [] { return new QWidget; });
        forgetReportedCutFiles();
    }
    ~SettingsWindowsTest() override
    {
        setCutFileReporter({});
        windows::reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void writeSetting(const QString& name, const QByteArray& bytes)
    {
        writeFileContents(m_settings.filePath(name), bytes);
    }
    QByteArray setting(const QString& n) const { return fileContents(m_settings.filePath(n)); }
    // The data-folder file names the given folder.
    void pointAtDataFolder(const QString& folder = QStringLiteral("data"))
    {
        writeSetting("qmvanck.dat", (m_settings.filePath(folder) + "\r\n/srv/est\r\n").toUtf8());
    }
    // Whether the window is still loaded (not unloaded by its own handler).
    static bool loaded(const QString& name) { return windows::find(name) != nullptr; }

    TempSettingsFolder m_settings;
    ScriptedPlatform m_platform;
    Session m_session;
    TableSource m_tables;
};

// Each window centres itself at its load, before it has a frame, and is only
// brought forward when shown while loaded. (How screen readers hear every
// window is walked in tests/app.)
TEST_F(SettingsWindowsTest, EveryWindowCentredAndBroughtForwardWithoutReloading)
{
    for (const char* name :
         {"frmDelvHead", "frmOwner", "frmMargins", "frmComment", "frmDate", "frmAbout"}) {
        QWidget* window = windows::show(name);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->pos(),
                  centeredPosition(m_platform.screen, window->size(), m_platform.twips))
            << name;
        EXPECT_EQ(windows::show(name), window);
    }
}

// A save that cannot write (past the file-size limit) names the file; the
// window stays open with what was typed, the old file stays.
TEST_F(SettingsWindowsTest, EditorSaveThatCannotWriteKeepsWindowTextAndFile)
{
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"frmDelvHead", "DELVHEAD.DAT", "txtBord", "cmdSave"},
        {"frmOwner", "OwnsAct.DAT", "txtName", "cmdSave"},
        {"frmMargins", "BID.FYL", "Text1", "cmdMargins"}};
    const QByteArray old = "old\r\n66\r\n\r\n\r\n\r\n";
    for (const auto& [name, file, boxName, saveName] : cases) {
        writeSetting(file, old);
        QWidget* window = windows::show(name);
        auto* box = window->findChild<QLineEdit*>(boxName);
        box->setText("typed");
        m_platform.messages.clear();
        const FileSizeLimit limit(old.size());
        window->findChild<QPushButton*>(saveName)->click();
        ASSERT_EQ(m_platform.messages.size(), 1U) << name;
        EXPECT_TRUE(m_platform.messages[0].text.contains(file, Qt::CaseInsensitive)) << name;
        EXPECT_TRUE(loaded(name));
        EXPECT_EQ(box->text(), "typed");
        EXPECT_EQ(setting(file), old);
    }
}

// Each line goes into its box and back; the spacer line has no box and is
// always written as four blanks. A line longer than its box's limit is shown
// and saved whole; characters beyond Windows-1252 are stored as "?". This is
// the byte-exact check of the header writer.
TEST_F(SettingsWindowsTest, DelvHeadLoadsEachLineIntoItsBoxAndSavesThemBack)
{
    const QByteArray longLine(90, 'L');
    writeSetting("DELVHEAD.DAT", longLine + "\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n");
    auto* window = windows::show<FrmDelvHead>("frmDelvHead");
    const std::pair<QLineEdit*, QString> expected[] = {
        {window->txtBord, longLine}, {window->txtOwn, "2"},  {window->txtBord2, "3"},
        {window->txtAdd1, "4"},      {window->txtAdd2, "5"}, {window->txtPhone, "6"},
        {window->txtFax, "7"},       {window->txtHead, "9"}, {window->txtSpc, "10"},
        {window->txtEmail, ""}};
    for (const auto& [box, text] : expected)
        EXPECT_EQ(box->text(), text) << box->objectName().toStdString();

    window->txtEmail->setText(QString::fromUtf8("Caf\u00e9 \u2713"));
    window->cmdSave->click();
    EXPECT_EQ(setting("DELVHEAD.DAT"),
              longLine + "\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n    \r\n9\r\n10\r\nCaf\xe9 ?\r\n");
}

TEST_F(SettingsWindowsTest, OwnerSavesTheRecordAndMovesTheFocusToExit)
{
    writeSetting("OwnsAct.DAT", "  Old Name"); // ten bytes: enough to hold data
    auto* window = windows::show<FrmOwner>("frmOwner");
    EXPECT_EQ(window->txtName->text(), "Old Name");
    window->txtPhone->setText("555-1234");
    window->cmdSave->click();
    EXPECT_EQ(setting("OwnsAct.DAT"),
              QByteArray("Old Name").leftJustified(75) + QByteArray("555-1234").leftJustified(50));
    EXPECT_EQ(window->focusWidget(), window->cmdExit);
}

// A missing file is warned of; the page height follows the total when the
// box loses the focus, Enter moves on to the button, which saves and closes.
TEST_F(SettingsWindowsTest, MarginsWarnOfAMissingFileShowTheValuesAndSave)
{
    windows::show("frmMargins");
    ASSERT_EQ(m_platform.messages.size(), 1U);
    EXPECT_EQ(m_platform.messages[0].text, "Bid.Fyl is Missing! Will Create Now! Error Number: 53");
    windows::unload("frmMargins");

    writeSetting("BID.FYL", "x\r\n63.4\r\nc\r\nd\r\ne\r\n");
    auto* window = windows::show<FrmMargins>("frmMargins");
    EXPECT_EQ(window->Text1->text() + "|" + window->Text3->text() + "|" + window->Label6->text(),
              "0|63|10.5");
    window->Text3->setText("abc");
    emit window->Text3->lostFocus();
    EXPECT_EQ(window->Label6->text(), ".");
    emit window->Text3->keyPressed(13);
    EXPECT_EQ(window->focusWidget(), window->cmdMargins);
    window->Text1->setText("2");
    window->cmdMargins->click();
    EXPECT_EQ(setting("BID.FYL"), "2\r\nabc\r\nc\r\nd\r\ne\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_FALSE(loaded("frmMargins"));
}

// Without a data folder the data-folder window opens beside an empty list.
// The folder is the whole first line of the data-folder file. An erase
// reaches the file only through Exit, not through the close box. A comment
// file past the bound is listed up to it and named once per run, also when
// the main window reads it again.
TEST_F(SettingsWindowsTest, CommentsListTheFileInTheFolderNamedByTheWholeFirstLine)
{
    writeSetting("qmvanck.dat", "\r\n/srv/est\r\n");
    EXPECT_EQ(windows::show<FrmComment>("frmComment")->cboComment->count(), 0);
    EXPECT_TRUE(loaded("frmPath"));
    EXPECT_TRUE(loaded("frmComment"));
    windows::unload("frmComment");

    ASSERT_TRUE(QDir(m_settings.path()).mkdir("oe, \"main\""));
    const QByteArray comments = "Rush\r\nFragile, \"handle\"\r\n";
    writeSetting("oe, \"main\"/Comments.Dat", comments);
    pointAtDataFolder("oe, \"main\"");
    auto* window = windows::show<FrmComment>("frmComment");
    EXPECT_EQ(window->cboComment->items(), (QStringList{"Rush", "Fragile, \"handle\""}));
    EXPECT_EQ(window->cboComment->text(), "Rush");
    window->cmdErase->click();
    window->close();
    EXPECT_EQ(setting("oe, \"main\"/Comments.Dat"), comments);
    windows::unload("frmComment");

    pointAtDataFolder();
    writeSetting("data/Comments.Dat", QByteArray("Rush\r\n").repeated(CommentLineBound + 1));
    m_platform.messages.clear();
    EXPECT_EQ(windows::show<FrmComment>("frmComment")->cboComment->count(), CommentLineBound);
    auto* main = windows::show<FrmDelivery>("frmDelivery");
    EXPECT_EQ(main->options().cboComment->count(), CommentLineBound);
    // (The main window also warns of the missing database.)
    ASSERT_FALSE(m_platform.messages.empty());
    EXPECT_TRUE(m_platform.messages[0].text.contains(m_settings.filePath("data/Comments.Dat")));
    EXPECT_EQ(m_platform.messages[0].icon, Platform::Icon::Exclamation);
    EXPECT_EQ(std::count_if(m_platform.messages.begin(), m_platform.messages.end(),
                            [](const auto& shown) { return shown.text.contains("Comments.Dat"); }),
              1);
}

// Post appends and beeps, refusing exact duplicates only; Erase asks, and
// reaches the file only through Exit. Both lists show the file as it now is
// after each post and after Exit, lines another workstation added
// included. A failed store keeps the file, both lists and the window as
// they are.
TEST_F(SettingsWindowsTest, CommentsPostEraseAndStoreOnExit)
{
    pointAtDataFolder();
    writeSetting("data/Comments.Dat", "Rush\r\nBravo\r\n");
    auto* main = windows::show<FrmDelivery>("frmDelivery");
    auto* window = windows::show<FrmComment>("frmComment");
    m_platform.messages.clear();
    const auto post = [window](const QString& text) {
        window->cboComment->setText(text);
        window->cmdPost->click();
    };
    post("Rush");
    EXPECT_EQ(window->cboComment->text(), "");
    post("RUSH");
    post("");
    EXPECT_EQ(setting("data/Comments.Dat"), "Rush\r\nBravo\r\nRUSH\r\n\r\n");
    EXPECT_EQ(m_platform.beeps, 2);
    EXPECT_EQ(main->options().cboComment->items(), (QStringList{"Rush", "Bravo", "RUSH", ""}));

    window->cboComment->setText("Rush");
    m_platform.answerNext(Platform::Answer::Cancel);
    window->cmdErase->click();
    window->cmdErase->click();
    ASSERT_EQ(m_platform.messages.size(), 3U);
    EXPECT_EQ(m_platform.messages[0].text, "Duplicate Entries Not Permitted.");
    EXPECT_EQ(m_platform.messages[2].text, "Deleting Comment Shown.");
    EXPECT_EQ(m_platform.messages[1].buttons, Platform::Buttons::OkCancel);
    {
        const FileSizeLimit limit(4);
        post("Charlie");
        window->cmdExit->click();
    }
    ASSERT_EQ(m_platform.messages.size(), 5U);
    EXPECT_TRUE(m_platform.messages[3].text.contains("Comments.Dat"));
    EXPECT_TRUE(m_platform.messages[4].text.contains("Comments.Dat"));
    EXPECT_EQ(m_platform.beeps, 2);
    EXPECT_EQ(window->cboComment->items(), (QStringList{"Bravo", "RUSH", ""}));
    EXPECT_EQ(main->options().cboComment->items(), (QStringList{"Rush", "Bravo", "RUSH", ""}));
    EXPECT_EQ(setting("data/Comments.Dat"), "Rush\r\nBravo\r\nRUSH\r\n\r\n");

    writeSetting("data/Comments.Dat", "Rush\r\nBravo\r\nRUSH\r\n\r\nDelta\r\n");
    post("Charlie");
    EXPECT_EQ(window->cboComment->items(), (QStringList{"Bravo", "RUSH", "", "Delta", "Charlie"}));
    writeSetting("data/Comments.Dat", "Rush\r\nBravo\r\nRUSH\r\n\r\nDelta\r\nCharlie\r\nEcho\r\n");
    window->cmdExit->click();
    EXPECT_EQ(setting("data/Comments.Dat"), "Bravo\r\nRUSH\r\n\r\nDelta\r\nCharlie\r\nEcho\r\n");
    EXPECT_EQ(main->options().cboComment->items(),
              (QStringList{"Bravo", "RUSH", "", "Delta", "Charlie", "Echo"}));
    EXPECT_FALSE(loaded("frmComment"));
}

// The calendar starts on the ticket date; a click sets the date (also past
// the two-digit-year window) and OK shows it in the main window.
TEST_F(SettingsWindowsTest, CalendarStartsOnTheTicketDateAClickSetsItAndOkShowsIt)
{
    pointAtDataFolder();
    auto* main = windows::show<FrmDelivery>("frmDelivery");
    const QString before = main->lblDate->text();
    m_session.ticketDate = shortDateText(QDate(1999, 12, 31));
    main->SetDate->trigger();
    auto* window = windows::find<FrmDate>("frmDate");
    EXPECT_EQ(window->MonthView1->selectedDate(), QDate(1999, 12, 31));
    emit window->MonthView1->clicked(QDate(2030, 1, 2));
    EXPECT_EQ(m_session.ticketDate, shortDateText(QDate(2030, 1, 2)));
    EXPECT_EQ(window->focusWidget(), window->cmdOK);
    EXPECT_EQ(main->lblDate->text(), before);
    window->cmdOK->click();
    EXPECT_EQ(main->lblDate->text(), shortDateText(QDate(2030, 1, 2)));
    EXPECT_FALSE(loaded("frmDate"));
}

// The system-information button starts the program found on the path, or
// says there is none.
TEST_F(SettingsWindowsTest, AboutStartsSystemInformationWhenThereIsSome)
{
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir bin;
    qputenv("PATH", bin.path().toUtf8());
    auto* window = windows::show<FrmAbout>("frmAbout");
    window->cmdSysInfo->click();
    ASSERT_EQ(m_platform.messages.size(), 1U);
    EXPECT_EQ(m_platform.messages[0].text, "System Information Is Unavailable At This Time");

    const QString program = bin.filePath("hardinfo");
    writeFileContents(program, "#!/bin/sh\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    window->cmdSysInfo->click();
    qputenv("PATH", path);
    EXPECT_EQ(m_platform.messages.size(), 1U);
    window->cmdOK->click();
    EXPECT_FALSE(loaded("frmAbout"));
}

} // namespace
