// The main window tells the operator once per run when a table of the
// order-entry database yields fewer records than it declares.

#include "input/frm_delivery.h"
#include "main_window_fixture.h"
#include "orderdb/table_cursor.h"

namespace {

TEST_F(MainWindowTest, AShortTableIsReportedOncePerRun)
{
    TableCursor::forgetReportedTables();
    jet4::Table jobs = jobLogTable({{"00012345", "Brochures", "0", "Q-1"}});
    jobs.storedRowCount = 3;
    writeDatabase({clientTable({}), jobs, ordersTable(), addressesTable()});
    pointAtDataFolder();
    ASSERT_TRUE(load());
    window().cmdRefresh_Click(); // reads "JobLog" again: no second box

    const QStringList texts = messageTexts();
    ASSERT_EQ(texts.size(), 1) << texts.join('\n').toStdString();
    EXPECT_TRUE(texts[0].contains(QStringLiteral("JobLog")));
    EXPECT_TRUE(texts[0].contains(QStringLiteral("should hold 3 records, but only 1")));
}

} // namespace
