#include "common/module_values.h"
#include "common/short_date.h"
#include "input/frm_delivery.h"
#include "settings/ui/frm_about.h"
#include "settings/ui/frm_date.h"
#include "settings_windows_fixture.h"
#include "startup/release_captions.h"
#include "support/test_files.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

namespace {

// ------------------------------------------------------------ frmDate

// In a locale whose short form has two-digit years too, the date goes round
// from TicketDate to the calendar and back unchanged.
class DateWindowTest : public SettingsWindowsTest, public ::testing::WithParamInterface<const char*>
{
protected:
    DateWindowTest()
    {
        QLocale::setDefault(QLocale(QString::fromLatin1(GetParam())));
        pointAtDataFolder();
        m_main = show<FrmDelivery>("frmDelivery");
    }
    ~DateWindowTest() override { QLocale::setDefault(QLocale::system()); }

    FrmDate* setDate(const QDate& ticketDate)
    {
        TicketDate = shortDateText(ticketDate);
        m_main->SetDate->trigger();
        auto* window = windows::find<FrmDate>("frmDate");
        EXPECT_NE(window, nullptr);
        return window;
    }

    FrmDelivery* m_main = nullptr;
};

TEST_P(DateWindowTest, CalendarStartsOnTheTicketDateAClickSetsItAndOkShowsIt)
{
    const QString before = m_main->lblDate->text();
    FrmDate* window = setDate(QDate(1999, 12, 31));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->MonthView1->selectedDate(), QDate(1999, 12, 31));

    emit window->MonthView1->clicked(QDate(2027, 1, 2));
    EXPECT_EQ(TicketDate, shortDateText(QDate(2027, 1, 2)));
    EXPECT_EQ(window->focusWidget(), window->cmdOK);
    EXPECT_EQ(m_main->lblDate->text(), before);

    // Shown again while open: brought forward, the calendar set anew; OK
    // without a click keeps that date.
    EXPECT_EQ(setDate(QDate(2030, 5, 6)), window);
    EXPECT_EQ(window->MonthView1->selectedDate(), QDate(2030, 5, 6));
    window->cmdOK->click();
    EXPECT_EQ(TicketDate, shortDateText(QDate(2030, 5, 6)));
    EXPECT_EQ(m_main->lblDate->text(), TicketDate);
    EXPECT_FALSE(loaded("frmDate"));
}

INSTANTIATE_TEST_SUITE_P(Locales, DateWindowTest, ::testing::Values("en_US", "de_DE"));

// ------------------------------------------------------------ frmAbout

class AboutWindowTest : public SettingsWindowsTest
{
protected:
    AboutWindowTest()
        : m_path(qgetenv("PATH"))
    {
        qputenv("PATH", m_bin.path().toUtf8());
    }
    ~AboutWindowTest() override { qputenv("PATH", m_path); }

    QTemporaryDir m_bin;
    QByteArray m_path;
};

TEST_F(AboutWindowTest, ShowsTheReleaseAndSaysWhenThereIsNoSystemInformation)
{
    auto* window = show<FrmAbout>("frmAbout");
    EXPECT_EQ(window->windowTitle(), "Vantrell Delivery Ticket");
    EXPECT_EQ(window->lblVersion->text(), versionCaption());
    window->cmdSysInfo->click();
    EXPECT_EQ(messageTexts(), QStringList{"System Information Is Unavailable At This Time"});
    window->cmdOK->click();
    EXPECT_FALSE(loaded("frmAbout"));
}

TEST_F(AboutWindowTest, StartsTheSystemInformationProgramFoundOnThePath)
{
    const QString marker = m_bin.filePath("started");
    const QString program = m_bin.filePath("hardinfo");
    writeFileContents(program, ("#!/bin/sh\necho \"$@\" > '" + marker + "'\n").toUtf8());
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    show<FrmAbout>("frmAbout")->cmdSysInfo->click();
    EXPECT_TRUE(m_platform.messages.empty());
    // It runs on its own; wait (boundedly) for the sign that it ran.
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(marker) && !deadline.hasExpired())
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(marker));
}

} // namespace
