// The main window's load in its stages, the opening of its tables, and
// what each failure of the load leads to. The lists it fills are filled in
// frm_delivery_lists.cpp.

#include "common/numeric.h"
#include "common/session.h"
#include "common/short_date.h"
#include "common/text_file.h"
#include "common/ui/event_check_box.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_option_button.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/event_text_box.h"
#include "common/ui/platform.h"
#include "common/ui/window_registry.h"
#include "input/list_entries.h"
#include "input/ui/frm_delivery.h"
#include "input/ui/frm_delivery_steps.h"
#include "input/walk_field.h"
#include "settings/comments_file.h"
#include "settings/data_folder_file.h"

#include <QAction>
#include <QLabel>
#include <QTimer>

namespace {

constexpr int MainWindowHeightTwips = 7500;

} // namespace

// -------------------------------------------------------------------- load

void FrmDelivery::Form_Load()
{
    startEmptyTicket();
    if (!readStoredOptions())
        return;
    // A window loaded again after a job selection keeps its lists.
    if (m_session.jobLoaded)
        return;
    askForDataFolderWhenNone();
    fillCommentList();
    if (!openTables())
        return;
    m_soldTo.cboCust->clearList();
    m_shipTo.cboSCust->clearList();
    const qint64 records = customerAndJobRecords();
    // The counter is 64-bit and the bar scales: tables may hold far more
    // than the 32,767 records a 16-bit count could follow.
    qint64 counter = 1;
    pbRefresh->setVisible(true);
    ignoringFailures([&] { pbRefresh->setRange64(0, records); });
    resetProgress();
    show();
    if (fillLists(counter) == LoadReaction::StopLoad)
        return;
    QTimer::singleShot(0, this, [this] {
        Data1.startReading();
        Data3.startReading();
    });
}

// Centred, dated today, no job or quote, one part row of zero quantities,
// and the stored list filter; failures ignored.
void FrmDelivery::startEmptyTicket()
{
    ignoringFailures([&] { CenterForm(); });
    ignoringFailures([&] {
        m_session.ticketDate = todayShortDate();
        m_draft.setDate(dateFromShortText(m_session.ticketDate));
    });
    m_draft.setJobCaption(QString());
    m_draft.setQuoteCaption(QString());
    ignoringFailures([&] {
        if (m_draft.partRows.count() == 0)
            m_draft.partRows.add(QString());
        m_draft.partRows.setItem(0, QStringLiteral("0\t0\t"));
    });
    ignoringFailures([&] { selectFilter(readListFilter(m_session.settingsFolder)); });
}

// The window's height, the data-folder file (under the load's failure
// handling, label 0), then the option files and the date, their failures
// ignored. False when the load stops.
bool FrmDelivery::readStoredOptions()
{
    const double twipsPerPixel = platform().twipsPerPixel();
    resize(width(), static_cast<int>(MainWindowHeightTwips / twipsPerPixel));
    if (const Result<void> folders =
            readDataFolderFile(m_session.settingsFolder).applyTo(m_session);
        !folders && loadFailure(folders.failure(), 0) == LoadReaction::StopLoad)
        return false;

    ignoringFailures([&] { mnuLoadJobs->setChecked(readLoadJobs(m_session.settingsFolder)); });
    ignoringFailures([&] {
        if (const auto state =
                readCheckState(m_session.settingsFolder, QString::fromLatin1(CommentsShownFile)))
            m_options.chkComment->setValue(*state);
    });
    ignoringFailures([&] {
        if (const auto state =
                readCheckState(m_session.settingsFolder, QString::fromLatin1(JobNumbersFile)))
            m_options.chkJob->setValue(*state);
    });
    ignoringFailures([&] {
        if (!m_draft.date().isValid()) {
            m_session.ticketDate = todayShortDate();
            m_draft.setDate(dateFromShortText(m_session.ticketDate));
        }
    });
    return true;
}

// Closing the data-folder window without a folder would bring it back
// forever: then the program ends.
void FrmDelivery::askForDataFolderWhenNone()
{
    if (!m_session.dataFolder.isEmpty())
        return;
    windows::showAndWait(windows::names::frmPath);
    if (m_session.dataFolder.isEmpty())
        platform().endProgram();
}

// The comment list from the comment file, when it holds more than a line's
// end; whatever was read stays, and the load goes on.
void FrmDelivery::fillCommentList()
{
    m_options.cboComment->clearList();
    ignoringFailures([&] {
        if (lengthCreatingIfMissing(commentsFilePath(m_session.dataFolder)) > 10) {
            if (const Result<QStringList> comments = readComments(m_session.dataFolder)) {
                m_options.cboComment->addItems(*comments);
                m_options.cboComment->setText(m_options.cboComment->item(0));
            }
        }
    });
}

// The records the progress bar counts through: "Client" and "JobLog";
// failures ignored.
qint64 FrmDelivery::customerAndJobRecords()
{
    ignoringFailures([&] { Data2.moveFirst(); });
    qint64 records = 0;
    ignoringFailures([&] {
        Data2.moveLast();
        Data2.moveFirst();
        records += Data2.recordCount();
    });
    ignoringFailures([&] {
        Data4.moveLast();
        Data4.moveFirst();
        records += Data4.recordCount();
    });
    return records;
}

bool FrmDelivery::openTables()
{
    // "Orders" and "Addresses" are read once the load is over, in the
    // background: no list needs them, and the first job selection finds
    // them read or nearly so.
    const QString database = databasePath(m_session.dataFolder);
    const struct
    {
        TableCursor* cursor;
        const char* table;
        bool inBackground;
    } tables[] = {{&Data1, "Orders", true},
                  {&Data2, "Client", false},
                  {&Data3, "Addresses", true},
                  {&Data4, "JobLog", false}};
    for (const auto& [cursor, table, inBackground] : tables) {
        const Result<void> opened =
            attempt([&, cursor = cursor, table = table, inBackground = inBackground] {
                if (inBackground)
                    cursor->openDeferred(database, QString::fromLatin1(table));
                else
                    cursor->open(database, QString::fromLatin1(table));
            });
        // The operator is told once that the database cannot be read,
        // rather than left with empty lists and no word.
        if (!opened && !openFailure(opened.failure()))
            return false;
    }
    return true;
}
