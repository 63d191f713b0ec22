#include "common/module_values.h"
#include "common/short_date.h"
#include "common/ui/center_form.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_box.h"
#include "common/ui/window_registry.h"
#include "input/frm_delivery.h"
#include "settings/ui/frm_about.h"
#include "settings/ui/frm_comment.h"
#include "settings/ui/frm_date.h"
#include "settings/ui/frm_delv_head.h"
#include "settings/ui/frm_margins.h"
#include "settings/ui/frm_owner.h"
#include "startup/release_captions.h"
#include "support/scripted_platform.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A temporary settings folder with a data folder "data" in it, scripted
// message boxes, every settings window and the real main window registered
// by their names, and a plain window standing for frmPath that counts how
// often it is shown.
class SettingsWindowsTest : public ::testing::Test
{
protected:
    SettingsWindowsTest()
    {
        windows::reset();
        QDir(m_settings.path()).mkdir(QStringLiteral("data"));
        using namespace windows::names;
        windows::registerWindow(frmAbout, [] { return new FrmAbout; });
        windows::registerWindow(frmComment, [] { return new FrmComment; });
        windows::registerWindow(frmDate, [] { return new FrmDate; });
        windows::registerWindow(frmDelvHead, [] { return new FrmDelvHead; });
        windows::registerWindow(frmMargins, [] { return new FrmMargins; });
        windows::registerWindow(frmOwner, [] { return new FrmOwner; });
        windows::registerWindow(frmDelivery, [] { return new FrmDelivery; });
        windows::registerWindow(frmPath, [this] {
            ++m_pathWindowShown;
            return new QWidget;
        });
    }
    ~SettingsWindowsTest() override
    {
        windows::reset();
        deleteClosedWindows();
    }

    template<typename Window = QWidget>
    Window* show(const QString& name)
    {
        auto* window = windows::show<Window>(name);
        EXPECT_NE(window, nullptr) << name.toStdString();
        return window;
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
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto& message : m_platform.messages)
            texts << message.text;
        return texts;
    }
    // Whether the window is still loaded (not unloaded by its own handler).
    static bool loaded(const QString& name) { return windows::find(name) != nullptr; }
    static void deleteClosedWindows()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TempSettingsFolder m_settings;
    ScriptedPlatform m_platform;
    int m_pathWindowShown = 0;
};

// ------------------------------------------------------------ every window

class EveryWindowTest : public SettingsWindowsTest,
                        public ::testing::WithParamInterface<const char*>
{
};

TEST_P(EveryWindowTest, CentredModelessNamedAndBroughtForwardWithoutReloading)
{
    const QString name = QString::fromLatin1(GetParam());
    QWidget* window = show(name);
    ASSERT_NE(window, nullptr);
    // Centred by its load, before the window had a frame.
    EXPECT_EQ(window->pos(), centeredPosition(m_platform.screen, window->size(), m_platform.twips));
    EXPECT_EQ(window->windowModality(), Qt::NonModal);
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QString id = control->objectName();
        EXPECT_TRUE(id.isEmpty() || id.startsWith("qt_") || !control->accessibleName().isEmpty())
            << id.toStdString();
    }
    const auto shownMessages = m_platform.messages.size();
    window->setWindowTitle("changed since the load");
    EXPECT_EQ(show(name), window);
    EXPECT_EQ(window->windowTitle(), "changed since the load");
    EXPECT_EQ(m_platform.messages.size(), shownMessages);
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryWindowTest,
                         ::testing::Values("frmDelvHead", "frmOwner", "frmMargins", "frmComment",
                                           "frmDate", "frmAbout"));

// A save that cannot write: the message names the file, the window stays
// open with what was typed, the old file stays.
TEST_F(SettingsWindowsTest, EditorSaveCutShortKeepsWindowTextAndFile)
{
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"frmDelvHead", "DELVHEAD.DAT", "txtBord", "cmdSave"},
        {"frmOwner", "OwnsAct.DAT", "txtName", "cmdSave"},
        {"frmMargins", "BID.FYL", "Text1", "cmdMargins"}};
    const QByteArray old = "old\r\n66\r\n\r\n\r\n\r\n";
    for (const auto& [name, file, boxName, saveName] : cases) {
        writeSetting(file, old);
        const FileSizeLimit limit(old.size());
        QWidget* window = show(name);
        auto* box = window->findChild<QLineEdit*>(boxName);
        box->setText("typed");
        m_platform.messages.clear();
        window->findChild<QPushButton*>(saveName)->click();
        ASSERT_EQ(m_platform.messages.size(), 1U) << name;
        EXPECT_TRUE(m_platform.messages[0].text.contains(file, Qt::CaseInsensitive)) << name;
        EXPECT_TRUE(loaded(name));
        EXPECT_EQ(box->text(), "typed");
        EXPECT_EQ(setting(file), old);
    }
}

// The same where the folder may not be written to. Permissions do not stop
// root, so there it skips; the size limit above covers root.
TEST_F(SettingsWindowsTest, EditorSaveInReadOnlyFolderKeepsWindowTextAndFile)
{
    const QByteArray old = "old\r\n";
    writeSetting("DELVHEAD.DAT", old);
    auto* window = show<FrmDelvHead>("frmDelvHead");
    window->txtBord->setText("typed");
    const ReadOnlyFolder readOnly(m_settings.path());
    if (!readOnly.writesBlocked())
        GTEST_SKIP() << "running as root: a read-only folder is still writable";
    window->cmdSave->click();
    ASSERT_EQ(m_platform.messages.size(), 1U);
    EXPECT_TRUE(m_platform.messages[0].text.contains("DELVHEAD.DAT", Qt::CaseInsensitive));
    EXPECT_EQ(window->txtBord->text(), "typed");
    EXPECT_EQ(setting("DELVHEAD.DAT"), old);
}

// ------------------------------------------------------------ frmDelvHead

TEST_F(SettingsWindowsTest, DelvHeadLoadsEachLineIntoItsBoxAndSavesThemBack)
{
    auto* window = show<FrmDelvHead>("frmDelvHead");
    EXPECT_EQ(window->windowTitle(), "Delivery Ticket Headline");
    EXPECT_EQ(window->txtHead->text(), "*  *  *  D E L I V E R Y   R E C E I P T  *  *  *");
    EXPECT_EQ(window->txtSpc->text(), "2");
    EXPECT_EQ(window->txtBord->maxLength(), 79);
    EXPECT_EQ(window->txtSpc->maxLength(), 1);
    window->cmdExit->click();
    writeSetting("DELVHEAD.DAT", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n");
    window = show<FrmDelvHead>("frmDelvHead");
    const std::pair<QLineEdit*, const char*> expected[] = {
        {window->txtBord, "1"}, {window->txtOwn, "2"},  {window->txtBord2, "3"},
        {window->txtAdd1, "4"}, {window->txtAdd2, "5"}, {window->txtPhone, "6"},
        {window->txtFax, "7"},  {window->txtHead, "9"}, {window->txtSpc, "10"},
        {window->txtEmail, ""}};
    for (const auto& [box, text] : expected)
        EXPECT_EQ(box->text(), text) << box->objectName().toStdString();

    window->txtEmail->setText("mail@example.com");
    window->cmdSave->click();
    EXPECT_EQ(setting("DELVHEAD.DAT"),
              "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n    \r\n9\r\n10\r\nmail@example.com\r\n");
    window->cmdExit->click();
    EXPECT_FALSE(loaded("frmDelvHead"));
}

// ------------------------------------------------------------ frmOwner

TEST_F(SettingsWindowsTest, OwnerSavesTheRecordAndMovesTheFocusToExit)
{
    writeSetting("OwnsAct.DAT", QByteArray("  Old Name").leftJustified(125) + "tail");
    auto* window = show<FrmOwner>("frmOwner");
    EXPECT_EQ(window->txtName->text(), "Old Name");
    window->txtName->setText("ACME Printing Company Inc");
    window->txtPhone->setText("555-1234");
    window->cmdSave->click();
    EXPECT_EQ(setting("OwnsAct.DAT"),
              QByteArray("ACME Printing Company Inc") + QByteArray(50, ' ') +
                  QByteArray("555-1234").leftJustified(14) + QByteArray(36, ' ') + "tail");
    EXPECT_EQ(window->focusWidget(), window->cmdExit);
}

// ------------------------------------------------------------ frmMargins

TEST_F(SettingsWindowsTest, MarginsWarnOfAMissingFileShowTheValuesAndSaveTenLines)
{
    auto* window = show<FrmMargins>("frmMargins");
    ASSERT_EQ(m_platform.messages.size(), 1U);
    EXPECT_EQ(m_platform.messages[0].text, "Bid.Fyl is Missing! Will Create Now! Error Number: 53");
    EXPECT_EQ(m_platform.messages[0].title, "Warning");
    EXPECT_EQ(m_platform.messages[0].icon, Platform::Icon::Critical);
    EXPECT_EQ(window->Text1->text() + window->Text3->text() + window->Label6->text(), "11.0");
    window->close();
    deleteClosedWindows();

    writeSetting("BID.FYL", "x\r\n63.4\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nextra\r\n");
    window = show<FrmMargins>("frmMargins");
    EXPECT_EQ(window->Text1->text(), "0");
    EXPECT_EQ(window->Text3->text(), "63");
    EXPECT_EQ(window->Label6->text(), "10.5");
    EXPECT_FALSE(window->Text2->isVisible());
    window->Text3->setText("abc");
    emit window->Text3->lostFocus();
    EXPECT_EQ(window->Label6->text(), ".");
    emit window->Text3->keyPressed(13);
    EXPECT_EQ(window->focusWidget(), window->cmdMargins);

    window->Text1->setText("2");
    window->Text3->setText("63");
    window->cmdMargins->click();
    EXPECT_EQ(setting("BID.FYL"), "2\r\n63\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\n");
    EXPECT_FALSE(loaded("frmMargins"));
}

// ------------------------------------------------------------ frmComment

class CommentWindowTest : public SettingsWindowsTest
{
protected:
    CommentWindowTest() { pointAtDataFolder(); }

    void writeComments(const QByteArray& bytes) { writeSetting("data/Comments.Dat", bytes); }
    QByteArray comments() const { return setting("data/Comments.Dat"); }
    FrmComment* open() { return show<FrmComment>("frmComment"); }
    static void post(FrmComment* window, const QString& text)
    {
        window->cboComment->setText(text);
        window->cmdPost->click();
    }
};

// The folder is the whole first line of the data-folder file; without one
// the data-folder window opens beside.
TEST_F(CommentWindowTest, ListsTheFileInTheFolderNamedByTheWholeFirstLine)
{
    ASSERT_TRUE(QDir(m_settings.path()).mkdir("oe, \"main\""));
    writeSetting("oe, \"main\"/Comments.Dat", "Rush\r\nFragile, \"handle\"\r\n");
    pointAtDataFolder("oe, \"main\"");
    FrmComment* window = open();
    EXPECT_EQ(window->cboComment->items(), (QStringList{"Rush", "Fragile, \"handle\""}));
    EXPECT_EQ(window->cboComment->text(), "Rush");
    windows::unload("frmComment");

    writeSetting("qmvanck.dat", "\r\n/srv/est\r\n");
    EXPECT_EQ(open()->cboComment->count(), 0);
    EXPECT_EQ(m_pathWindowShown, 1);
    EXPECT_TRUE(loaded("frmComment"));
}

TEST_F(CommentWindowTest, PostingAppendsBeepsAndRefusesExactDuplicates)
{
    writeComments("Rush\r\n");
    FrmComment* window = open();
    post(window, "Rush");
    EXPECT_EQ(messageTexts(), QStringList{"Duplicate Entries Not Permitted."});
    EXPECT_EQ(window->cboComment->text(), "");
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

    window->close(); // the close box: the file keeps the erased comment
    EXPECT_EQ(comments(), "A\r\nB\r\nA\r\n");
}

// Exit stores the list and refills the main window's; a failed store keeps
// the file, both lists and the window as they stand.
TEST_F(CommentWindowTest, ExitRewritesTheFileAndRefillsTheMainWindowsList)
{
    writeComments("Alpha\r\nBravo\r\n");
    auto* main = show<FrmDelivery>("frmDelivery");
    ASSERT_NE(main, nullptr);
    FrmComment* window = open();
    window->cboComment->setText("Alpha");
    window->cmdErase->click();
    m_platform.messages.clear();
    {
        const FileSizeLimit limit(4);
        post(window, "Charlie");
        window->cmdExit->click();
    }
    ASSERT_EQ(m_platform.messages.size(), 2U);
    EXPECT_TRUE(m_platform.messages[0].text.contains("Comments.Dat"));
    EXPECT_TRUE(m_platform.messages[1].text.contains("Comments.Dat"));
    EXPECT_EQ(m_platform.beeps, 0);
    EXPECT_EQ(window->cboComment->items(), QStringList{"Bravo"});
    EXPECT_EQ(main->cboComment->items(), (QStringList{"Alpha", "Bravo"}));
    EXPECT_EQ(comments(), "Alpha\r\nBravo\r\n");

    post(window, "Charlie");
    window->cmdExit->click();
    EXPECT_EQ(comments(), "Bravo\r\nCharlie\r\n");
    EXPECT_EQ(main->cboComment->items(), (QStringList{"Bravo", "Charlie"}));
    EXPECT_FALSE(loaded("frmComment"));
}

// ------------------------------------------------------------ frmDate, frmAbout

// In a locale whose short form has two-digit years too, the date goes round
// from TicketDate to the calendar and back unchanged.
class DateWindowTest : public SettingsWindowsTest, public ::testing::WithParamInterface<const char*>
{
protected:
    DateWindowTest() { QLocale::setDefault(QLocale(QString::fromLatin1(GetParam()))); }
    ~DateWindowTest() override { QLocale::setDefault(QLocale::system()); }
};

TEST_P(DateWindowTest, CalendarStartsOnTheTicketDateAClickSetsItAndOkShowsIt)
{
    pointAtDataFolder();
    auto* main = show<FrmDelivery>("frmDelivery");
    const QString before = main->lblDate->text();
    const auto setDate = [main](const QDate& date) {
        TicketDate = shortDateText(date);
        main->SetDate->trigger();
        return windows::find<FrmDate>("frmDate");
    };
    FrmDate* window = setDate(QDate(1999, 12, 31));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->MonthView1->selectedDate(), QDate(1999, 12, 31));
    emit window->MonthView1->clicked(QDate(2027, 1, 2));
    EXPECT_EQ(TicketDate, shortDateText(QDate(2027, 1, 2)));
    EXPECT_EQ(window->focusWidget(), window->cmdOK);
    EXPECT_EQ(main->lblDate->text(), before);

    // Shown again while open: the calendar set anew; OK without a click keeps it.
    EXPECT_EQ(setDate(QDate(2030, 5, 6)), window);
    EXPECT_EQ(window->MonthView1->selectedDate(), QDate(2030, 5, 6));
    window->cmdOK->click();
    EXPECT_EQ(TicketDate, shortDateText(QDate(2030, 5, 6)));
    EXPECT_EQ(main->lblDate->text(), TicketDate);
    EXPECT_FALSE(loaded("frmDate"));
}

INSTANTIATE_TEST_SUITE_P(Locales, DateWindowTest, ::testing::Values("en_US", "de_DE"));

// The system-information button starts the program found on the path, or
// says there is none.
TEST_F(SettingsWindowsTest, AboutShowsTheReleaseAndStartsSystemInformation)
{
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir bin;
    qputenv("PATH", bin.path().toUtf8());
    auto* window = show<FrmAbout>("frmAbout");
    EXPECT_EQ(window->windowTitle(), "Vantrell Delivery Ticket");
    EXPECT_EQ(window->lblVersion->text(), versionCaption());
    window->cmdSysInfo->click();
    EXPECT_EQ(messageTexts(), QStringList{"System Information Is Unavailable At This Time"});

    // Found on the path, the program is started instead.
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
