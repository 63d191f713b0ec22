#include "common/ui/center_form.h"
#include "common/ui/event_text_box.h"
#include "settings/ui/frm_delv_head.h"
#include "settings/ui/frm_margins.h"
#include "settings/ui/frm_owner.h"
#include "settings_windows_fixture.h"
#include "support/test_files.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// ------------------------------------------------------------ every window

class EveryWindowTest : public SettingsWindowsTest,
                        public ::testing::WithParamInterface<const char*>
{
};

TEST_P(EveryWindowTest, CentredModelessNamedAndBroughtForwardWithoutReloading)
{
    const QString name = QString::fromLatin1(GetParam());
    QWidget* window = show<QWidget>(name);
    ASSERT_NE(window, nullptr);
    // Centred by its load, before the window had a frame.
    EXPECT_EQ(window->pos(), centeredPosition(m_platform.screen, window->size(), m_platform.twips));
    EXPECT_EQ(window->windowModality(), Qt::NonModal);
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->objectName().isEmpty() && !control->objectName().startsWith("qt_")) {
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << control->objectName().toStdString();
        }
    }

    const auto shownMessages = m_platform.messages.size();
    window->setWindowTitle("changed since the load");
    EXPECT_EQ(show<QWidget>(name), window);
    EXPECT_EQ(window->windowTitle(), "changed since the load");
    EXPECT_EQ(m_platform.messages.size(), shownMessages);
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryWindowTest,
                         ::testing::Values("frmDelvHead", "frmOwner", "frmMargins", "frmComment",
                                           "frmDate", "frmAbout"));

// Every save that cannot write: the message names the file, the window
// stays open with what was typed, the old file stays.
struct SaveFailureCase
{
    const char* window;
    const char* file;
    std::function<QLineEdit*(QWidget*)> box; // typed into before saving
    std::function<void(QWidget*)> save;
};

class EditorSaveFailureTest : public SettingsWindowsTest,
                              public ::testing::WithParamInterface<SaveFailureCase>
{
};

// The format tests cover the read-only folder; here the window's part.
TEST_P(EditorSaveFailureTest, WriteCutShort)
{
    const QByteArray old = "old\r\n66\r\n\r\n\r\n\r\n";
    const SaveFailureCase& c = GetParam();
    writeSetting(QString::fromLatin1(c.file), old);
    const FileSizeLimit limit(old.size());
    QWidget* window = show<QWidget>(QString::fromLatin1(c.window));
    QLineEdit* box = c.box(window);
    box->setText("typed");
    m_platform.messages.clear();
    c.save(window);
    ASSERT_EQ(m_platform.messages.size(), 1U);
    EXPECT_TRUE(
        m_platform.messages[0].text.contains(QString::fromLatin1(c.file), Qt::CaseInsensitive))
        << m_platform.messages[0].text.toStdString();
    EXPECT_TRUE(loaded(QString::fromLatin1(c.window)));
    EXPECT_EQ(box->text(), "typed");
    EXPECT_EQ(setting(QString::fromLatin1(c.file)), old);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, EditorSaveFailureTest,
    ::testing::Values(
        SaveFailureCase{"frmDelvHead", "DELVHEAD.DAT",
                        [](QWidget* w) { return static_cast<FrmDelvHead*>(w)->txtBord; },
                        [](QWidget* w) { static_cast<FrmDelvHead*>(w)->cmdSave->click(); }},
        SaveFailureCase{"frmOwner", "OwnsAct.DAT",
                        [](QWidget* w) { return static_cast<FrmOwner*>(w)->txtName; },
                        [](QWidget* w) { static_cast<FrmOwner*>(w)->cmdSave->click(); }},
        SaveFailureCase{"frmMargins", "BID.FYL",
                        [](QWidget* w) { return static_cast<FrmMargins*>(w)->Text1; },
                        [](QWidget* w) { static_cast<FrmMargins*>(w)->cmdMargins->click(); }}),
    [](const auto& info) { return std::string(info.param.window); });

// ------------------------------------------------------------ frmDelvHead

const char kHeadline[] = "*  *  *  D E L I V E R Y   R E C E I P T  *  *  *";

using DelvHeadTest = SettingsWindowsTest;

TEST_F(DelvHeadTest, FreshWindowSavesSeventySixBytes)
{
    auto* window = show<FrmDelvHead>("frmDelvHead");
    EXPECT_EQ(window->windowTitle(), "Delivery Ticket Headline");
    EXPECT_EQ(setting("DELVHEAD.DAT"), ""); // left behind by the presence test
    EXPECT_EQ(window->txtHead->text(), kHeadline);
    EXPECT_EQ(window->txtSpc->text(), "2");

    window->cmdSave->click();
    const QByteArray saved = setting("DELVHEAD.DAT");
    EXPECT_EQ(saved,
              QByteArray("\r\n\r\n\r\n\r\n\r\n\r\n\r\n    \r\n") + kHeadline + "\r\n2\r\n\r\n");
    EXPECT_EQ(saved.size(), 76);
    EXPECT_TRUE(loaded("frmDelvHead"));
    EXPECT_TRUE(m_platform.messages.empty());
}

TEST_F(DelvHeadTest, LoadsEachLineIntoItsBoxAndEmptiesWhatTheFileLacks)
{
    writeSetting("DELVHEAD.DAT", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n");
    auto* window = show<FrmDelvHead>("frmDelvHead");
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

TEST_F(DelvHeadTest, LimitsAndTabOrder)
{
    auto* window = show<FrmDelvHead>("frmDelvHead");
    for (QLineEdit* box :
         {window->txtBord, window->txtOwn, window->txtBord2, window->txtAdd1, window->txtAdd2})
        EXPECT_EQ(box->maxLength(), 79) << box->objectName().toStdString();
    EXPECT_EQ(window->txtSpc->maxLength(), 1);
    EXPECT_GT(window->txtEmail->maxLength(), 1000);

    const QList<QWidget*> order{window->txtBord, window->txtOwn,   window->txtBord2,
                                window->txtAdd1, window->txtAdd2,  window->txtPhone,
                                window->txtFax,  window->txtEmail, window->txtHead,
                                window->cmdSave, window->cmdExit,  window->txtSpc};
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget* next = order[i - 1]->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, order[i]) << i;
    }
}

// ------------------------------------------------------------ frmOwner

using OwnerTest = SettingsWindowsTest;

TEST_F(OwnerTest, SavesTheRecordAndMovesTheFocusToExit)
{
    writeSetting("OwnsAct.DAT", QByteArray("  Old Name").leftJustified(125) + "tail");
    auto* window = show<FrmOwner>("frmOwner");
    EXPECT_EQ(window->txtName->text(), "Old Name");
    EXPECT_EQ(window->txtName->maxLength(), 25);
    EXPECT_EQ(window->txtCom->maxLength(), 36);

    window->txtName->setText("ACME Printing Company Inc");
    window->txtPhone->setText("555-1234");
    window->cmdSave->click();
    EXPECT_EQ(setting("OwnsAct.DAT"),
              QByteArray("ACME Printing Company Inc") + QByteArray(50, ' ') +
                  QByteArray("555-1234").leftJustified(14) + QByteArray(36, ' ') + "tail");
    EXPECT_EQ(window->focusWidget(), window->cmdExit);
}

// ------------------------------------------------------------ frmMargins

struct MarginsLoadCase
{
    const char* name;
    const char* file;    // nullptr: none
    const char* message; // nullptr: none
    const char* text1;
    const char* text3;
    const char* label6;
};

class MarginsLoadTest : public SettingsWindowsTest,
                        public ::testing::WithParamInterface<MarginsLoadCase>
{
};

TEST_P(MarginsLoadTest, ShowsTheValuesOrTheWarning)
{
    const MarginsLoadCase& c = GetParam();
    if (c.file != nullptr)
        writeSetting("BID.FYL", c.file);
    auto* window = show<FrmMargins>("frmMargins");
    if (c.message == nullptr) {
        EXPECT_TRUE(m_platform.messages.empty());
    } else {
        ASSERT_EQ(m_platform.messages.size(), 1U);
        EXPECT_EQ(m_platform.messages[0].text, c.message);
        EXPECT_EQ(m_platform.messages[0].title, "Warning");
        EXPECT_EQ(m_platform.messages[0].icon, Platform::Icon::Critical);
    }
    EXPECT_EQ(window->Text1->text(), c.text1);
    EXPECT_EQ(window->Text3->text(), c.text3);
    EXPECT_EQ(window->Label6->text(), c.label6);
    EXPECT_FALSE(window->Text2->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Files, MarginsLoadTest,
    ::testing::Values(
        MarginsLoadCase{"Missing", nullptr, "Bid.Fyl is Missing! Will Create Now! Error Number: 53",
                        "", "", "11.0"},
        MarginsLoadCase{"FourLines", "3\r\n66\r\n\r\n\r\n", "Error Number: 62", "", "", "11.0"},
        MarginsLoadCase{"Overflow", "99999\r\n66\r\n\r\n\r\n\r\n", "Error Number: 6", "", "",
                        "11.0"},
        MarginsLoadCase{"Read", " 07\r\n66\r\n\r\n\r\n\r\n", nullptr, "7", "66", "11."},
        MarginsLoadCase{"Letters", "x\r\n63.4\r\n\r\n\r\n\r\n", nullptr, "0", "63", "10.5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsWindowsTest, MarginsFollowTheLineCountAndSaveTenLines)
{
    writeSetting("BID.FYL", "3\r\n66\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nextra\r\n");
    auto* window = show<FrmMargins>("frmMargins");
    const std::pair<const char*, const char*> heights[] = {{"63", "10.5"}, {"abc", "."}};
    for (const auto& [lines, height] : heights) {
        window->Text3->setText(lines);
        emit window->Text3->lostFocus();
        EXPECT_EQ(window->Label6->text(), height) << lines;
    }
    emit window->Text3->keyPressed(13);
    EXPECT_EQ(window->focusWidget(), window->cmdMargins);

    window->Text1->setText("2");
    window->Text3->setText("63");
    window->cmdMargins->click();
    EXPECT_EQ(setting("BID.FYL"), "2\r\n63\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\n");
    EXPECT_FALSE(loaded("frmMargins"));
}

} // namespace
