// The main window's load on real databases and settings files: the lists,
// the option files and their load-time reactions, and the failure paths.

#include "common/ui/event_check_box.h"
#include "common/ui/event_option_button.h"
#include "support/main_window_fixture.h"

#include <QAction>
#include <QFile>

namespace {

using jet4::Null;

const QString DatabaseError = "Warning: Database Error. Please Reset Directory Path";

std::vector<jet4::Table> sampleTables(jet4::ColumnType invoicedType = jet4::ColumnType::Text)
{
    const bool numeric = invoicedType != jet4::ColumnType::Text;
    const auto flag = [numeric](int value) -> jet4::Value {
        return numeric ? jet4::Value(value) : jet4::Value(std::to_string(value));
    };
    return {ordersSchema(),
            clientTable({{17, "ACME", "1 Main St", Null, "Salem", "OH", "44460", "Pat", "555-0100"},
                         {18, Null, Null, Null, Null, Null, Null, Null, Null},
                         {Null, "No Number", Null, Null, Null, Null, Null, Null, Null},
                         {4, "Beta Co", Null, Null, Null, Null, Null, Null, Null}}),
            addressesSchema(),
            jobLogTable({{"00012345", "Brochures", flag(1), "Q-1"},
                         {"00000002", Null, flag(0), ""},
                         {Null, "No job number", flag(1), Null},
                         {"00000003", "Open question", Null, Null},
                         {"00000004", "Cards", flag(0), Null}},
                        invoicedType)};
}

// Every named customer and every numbered job is listed. The stored filter
// is set during the load, written again in its numeric form, and compares
// Invoiced by value: a Null matches neither filter.
TEST_F(MainWindowTest, ListsTakeEveryNamedCustomerAndTheFilteredNumberedJobs)
{
    const QStringList invoiced{"00012345-Brochures"};
    const QStringList open{"00000002", "00000004-Cards"};
    const QStringList all{invoiced[0], open[0], "00000003-Open question", open[1]};
    for (const auto type : {jet4::ColumnType::Text, jet4::ColumnType::Integer}) {
        ASSERT_TRUE(loadOn(sampleTables(type)));
        EXPECT_EQ(window().soldTo().cboCust->items(),
                  QStringList({"17-ACME", "-No Number", "4-Beta Co"}));
        EXPECT_EQ(window().shipTo().cboSCust->items(), window().soldTo().cboCust->items());
        EXPECT_EQ(window().jobs().cboJobs->items(), all);
        EXPECT_FALSE(window().pbRefresh->isVisible());
        EXPECT_TRUE(m_platform.messages.empty());
        EXPECT_EQ(window().lblDate->text(), m_session.ticketDate);
        EXPECT_FALSE(m_session.ticketDate.isEmpty());

        writeSetting("chkList.Dat", "2"); // no line end: only a rewrite adds one
        ASSERT_TRUE(load());
        EXPECT_TRUE(window().options().chkInv->value());
        EXPECT_EQ(setting("chkList.Dat"), "2\r\n");
        EXPECT_EQ(window().jobs().cboJobs->items(), invoiced);
        const std::tuple<EventOptionButton*, const char*, QStringList> clicks[] = {
            {window().options().chkNon, "3\r\n", open}, {window().options().chkAll, "1\r\n", all}};
        for (const auto& [button, stored, entries] : clicks) {
            button->setValue(true); // the operator's click
            EXPECT_EQ(setting("chkList.Dat"), stored);
            EXPECT_EQ(window().jobs().cboJobs->items(), entries);
        }
    }
}

// Both number forms of the check files read; a missing one is made holding
// a bare 0. Set from the file, each box raised its click and wrote its file
// again. A missing comment file is made; ten bytes hold no data, eleven do.
TEST_F(MainWindowTest, OptionAndCommentFilesAreReadAtLoadAndMadeWhenMissing)
{
    const std::tuple<const char*, int, const char*, const char*, QStringList> cases[] = {
        {" 1 \r\n", 1, " 1 \r\n", nullptr, {}},
        {"1\r\n", 1, " 1 \r\n", "12345678\r\n", {}},
        {nullptr, 0, "0\r\n", "Call first\r\nDock 4\r\n", {"Call first", "Dock 4"}}};
    for (const auto& [stored, value, after, comments, lines] : cases) {
        for (const char* file : {"chkCom.Dat", "chkJob.Dat"}) {
            QFile::remove(m_settings.filePath(file));
            if (stored)
                writeSetting(file, stored);
        }
        if (comments)
            writeFileContents(m_data.filePath("Comments.Dat"), comments);
        ASSERT_TRUE(loadOn(sampleTables()));
        EXPECT_EQ(window().options().chkComment->value(), value);
        EXPECT_EQ(window().options().chkJob->value(), value);
        EXPECT_EQ(setting("chkCom.Dat") + setting("chkJob.Dat"), QByteArray(after) + after);
        EXPECT_TRUE(QFile::exists(m_data.filePath("Comments.Dat")));
        EXPECT_EQ(window().options().cboComment->items(), lines);
        EXPECT_EQ(window().options().cboComment->text(), lines.value(0));
    }
    window().options().chkJob->setValue(1);
    EXPECT_EQ(setting("chkJob.Dat"), " 1 \r\n");
}

// With loading off the job list stays empty, and a refresh fills it still
// disabled. A table yielding fewer records than it declares is reported once
// per run: the refresh reads "JobLog" again without a second box.
TEST_F(MainWindowTest, WithLoadJobsOffTheListStaysEmptyButARefreshFillsItDisabled)
{
    m_tables.notices().forgetReported();
    std::vector<jet4::Table> tables = sampleTables();
    tables[3].storedRowCount = 7;
    writeSetting("LoadJob.Dat", "F\r\n");
    ASSERT_TRUE(loadOn(tables));
    EXPECT_FALSE(window().jobs().cboJobs->isEnabled());
    EXPECT_EQ(window().jobs().cboJobs->count(), 0);

    window().cmdRefresh_Click();
    EXPECT_FALSE(window().jobs().cboJobs->isEnabled());
    EXPECT_EQ(window().jobs().cboJobs->count(), 4);
    ASSERT_EQ(messageTexts().size(), 1);
    EXPECT_TRUE(messageTexts()[0].contains("JobLog of the order-entry database should hold 7 "
                                           "records, but only 5"));

    window().mnuLoadJobs->trigger();
    EXPECT_EQ(setting("LoadJob.Dat"), "T\r\n");
    window().mnuLoadJobs->trigger();
    EXPECT_EQ(setting("LoadJob.Dat"), "F\r\n");
}

// A missing database, or a file that is none: one warning, and no handler
// fails outward; a refresh warns again and leaves the bar for the operator to
// clear.
TEST_F(MainWindowTest, AMissingOrUnreadableDatabaseIsReportedAndNoHandlerFailsOutward)
{
    pointAtDataFolder();
    ASSERT_TRUE(load());
    EXPECT_EQ(messageTexts(), QStringList({DatabaseError}));
    window().shipTo().txtShip->setText("old\r\n");
    EXPECT_NO_THROW(pick(window().shipTo().cboShip, " 12-WAREHOUSE"));
    EXPECT_EQ(window().shipTo().txtShip->text(), "old\r\n");
    EXPECT_NO_THROW(window().shipTo().cboShip->setText(" 7-X"));
    EXPECT_EQ(window().shipTo().txtShip->text(), "");
    EXPECT_NO_THROW(window().soldTo().cboCust->setText("17-ACME"));
    EXPECT_NO_THROW(pick(window().soldTo().cboCust, "17-ACME"));
    EXPECT_EQ(window().shipTo().cboSCust->text(), "17-ACME");
    EXPECT_NO_THROW(pick(window().shipTo().cboSCust, "17-ACME"));

    window().cmdRefresh_Click();
    EXPECT_EQ(messageTexts(), QStringList({DatabaseError, DatabaseError}));
    EXPECT_TRUE(window().pbRefresh->isVisibleTo(&window()));
    window().pbRefresh_Click();
    EXPECT_EQ(messageTexts().last(), "Search Aborted! Please Try Again");
    EXPECT_FALSE(window().pbRefresh->isVisibleTo(&window()));

    writeFileContents(m_data.filePath("qmdata.mdb"), QByteArray(8192, 'x'));
    m_platform.messages.clear();
    ASSERT_TRUE(load());
    EXPECT_EQ(messageTexts(), QStringList({DatabaseError}));
}

// Without a data-folder file, or naming a folder that does not exist, the
// data-folder window opens; closed without a folder, the program ends. A file
// of one line gives the general error box, whose Cancel ends the program.
TEST_F(MainWindowTest, TheDataFolderFileDecidesWhetherTheLoadGoesOn)
{
    ASSERT_FALSE(load());
    EXPECT_TRUE(m_platform.ended);

    // Choosing a folder there carries the load on.
    writeDatabase(sampleTables());
    m_folderChosen = m_data.path();
    ASSERT_TRUE(load());
    EXPECT_EQ(window().soldTo().cboCust->count(), 3);

    writeSetting("qmvanck.dat", (m_data.path() + "\r\n").toUtf8());
    ASSERT_TRUE(load());
    ASSERT_EQ(messageTexts(), QStringList({"Error # 62 in Line 0."}));
    const auto& box = m_platform.messages.front();
    EXPECT_EQ(box.title, "Warning");
    EXPECT_EQ(box.buttons, Platform::Buttons::OkCancel);
    EXPECT_EQ(window().soldTo().cboCust->count(), 3); // OK went on with the load
    EXPECT_EQ(m_session.estFolder, QString());
    m_platform.ended = false;
    m_platform.answerNext(Platform::Answer::Cancel);
    EXPECT_FALSE(load());
    EXPECT_TRUE(m_platform.ended);

    // Naming a folder that does not exist stops the load quietly.
    writeSetting("qmvanck.dat", "/no/such/folder\r\n/srv/est\r\n");
    m_folderChosen.clear();
    ASSERT_TRUE(load());
    EXPECT_EQ(m_dataFolderWindowShown, 3);
    EXPECT_EQ(m_platform.messages.size(), 2u);
}

} // namespace
