// The main window's load, the customer and job scans that fill its lists,
// "Refresh Jobs", the list options and their files, and the progress bar.

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
#include "input/walk_field.h"
#include "settings/comments_file.h"
#include "settings/data_folder_file.h"

#include <QAction>
#include <QLabel>
#include <QTimer>

namespace {

constexpr int MainWindowHeightTwips = 7500;

QString errorBoxText(const RuntimeError& error, int label, bool fullStop)
{
    return QStringLiteral("Error # %1 in Line %2%3")
        .arg(error.number())
        .arg(label)
        .arg(fullStop ? QStringLiteral(".") : QString());
}

} // namespace

// ---------------------------------------------------------------- failures

FrmDelivery::LoadReaction FrmDelivery::loadFailure(const RuntimeError& error, int label)
{
    const ErrorCode code = error.code();
    if (code == ErrorCode::FileAlreadyOpen)
        return LoadReaction::Continue;
    if (code == ErrorCode::ObjectNotSet && label >= 160 && label <= 250)
        return LoadReaction::LeaveCustomerScan;
    if (code == ErrorCode::ObjectNotSet && label >= 370 && label <= 450)
        return LoadReaction::LeaveJobPart;
    if (code == ErrorCode::FileNotFound || code == ErrorCode::BadFileNameOrNumber)
        return LoadReaction::Continue;
    if (code == ErrorCode::InvalidDatabasePath) {
        showDataFolderWindow();
        return LoadReaction::StopLoad;
    }
    const auto answer =
        platform().messageBox(errorBoxText(error, label, true), Platform::Buttons::OkCancel,
                              Platform::Icon::None, QStringLiteral("Warning"));
    if (answer == Platform::Answer::Cancel)
        platform().endProgram();
    return LoadReaction::Continue;
}

template<typename Statement>
FrmDelivery::LoadReaction FrmDelivery::loadStep(int label, Statement&& statement)
{
    LoadReaction reaction = LoadReaction::Continue;
    try {
        statement();
    } catch (const RuntimeError& error) {
        reaction = loadFailure(error, label < 0 ? 0 : label);
    }
    endIfEnded();
    return reaction;
}

bool FrmDelivery::showDatabaseWarning(const RuntimeError& error)
{
    const ErrorCode code = error.code();
    if (code != ErrorCode::DatabaseFileNotFound && code != ErrorCode::InvalidDatabasePath &&
        code != ErrorCode::UnreadableDatabase)
        return false;
    platform().messageBox(QStringLiteral("Warning: Database Error. Please Reset Directory Path"));
    m_databaseWarningShown = true;
    return true;
}

void FrmDelivery::showDataFolderWindow()
{
    windows::show(windows::names::frmPath);
}

// -------------------------------------------------------------------- load

template<typename Statement>
void FrmDelivery::ignoringFailures(Statement&& statement)
{
    try {
        statement();
    } catch (const RuntimeError&) {
        // The load's first and last steps go on whatever fails.
    }
    endIfEnded();
}

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
    cboCust->clearList();
    cboSCust->clearList();
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
    ignoringFailures([&] { selectFilter(readListFilter()); });
}

// The window's height, the data-folder file (under the load's failure
// handling, label 0), then the option files and the date, their failures
// ignored. False when the load stops.
bool FrmDelivery::readStoredOptions()
{
    const double twipsPerPixel = platform().twipsPerPixel();
    resize(width(), static_cast<int>(MainWindowHeightTwips / twipsPerPixel));
    if (loadStep(0, [this] { readDataFolderFile().applyOrThrow(m_session); }) ==
        LoadReaction::StopLoad)
        return false;

    ignoringFailures([&] { mnuLoadJobs->setChecked(readLoadJobs()); });
    ignoringFailures([&] {
        if (const auto state = readCheckState(QString::fromLatin1(CommentsShownFile)))
            chkComment->setValue(*state);
    });
    ignoringFailures([&] {
        if (const auto state = readCheckState(QString::fromLatin1(JobNumbersFile)))
            chkJob->setValue(*state);
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
    endIfEnded();
    if (m_session.dataFolder.isEmpty())
        platform().endProgram();
}

// The comment list from the comment file, when it holds more than a line's
// end; whatever was read stays, and the load goes on.
void FrmDelivery::fillCommentList()
{
    cboComment->clearList();
    ignoringFailures([&] {
        if (lengthCreatingIfMissing(commentsFilePath(m_session.dataFolder)) > 10) {
            cboComment->addItems(readComments(m_session.dataFolder));
            cboComment->setText(cboComment->item(0));
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

// The customer lists and, with "Load Jobs" on, the job list, under the
// load's failure handling with its labels; the ticket is cleared last.
FrmDelivery::LoadReaction FrmDelivery::fillLists(qint64& counter)
{
    if (scanCustomers(counter) == LoadReaction::StopLoad)
        return LoadReaction::StopLoad;
    if (loadStep(260, [&] {
            cboCust->setText(cboCust->count() > 0 ? cboCust->item(0) : QString());
        }) == LoadReaction::StopLoad)
        return LoadReaction::StopLoad;
    if (loadStep(270, [&] {
            cboSCust->setText(cboSCust->count() > 0 ? cboSCust->item(0) : QString());
            cboJobs->clearList();
        }) == LoadReaction::StopLoad)
        return LoadReaction::StopLoad;

    if (!mnuLoadJobs->isChecked()) {
        cboJobs->setEnabled(false);
    } else {
        cboJobs->setEnabled(true);
        LoadReaction reaction = loadStep(370, [&] { Data4.moveFirst(); });
        if (reaction == LoadReaction::Continue) {
            scanJobs(counter, ProgressStep::AfterMove,
                     [this, &reaction](const RuntimeError& error, int label) {
                         reaction = loadFailure(error, label);
                         return reaction == LoadReaction::Continue;
                     });
        }
        if (reaction == LoadReaction::StopLoad)
            return LoadReaction::StopLoad;
    }

    if (loadStep(470, [&] {
            pbRefresh->setVisible(false);
            cboJobs->setText(QString());
        }) == LoadReaction::StopLoad)
        return LoadReaction::StopLoad;
    loadStep(480, [&] { ClearTicket(); });
    return LoadReaction::Continue;
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
        try {
            if (inBackground)
                cursor->openDeferred(database, QString::fromLatin1(table));
            else
                cursor->open(database, QString::fromLatin1(table));
        } catch (const RuntimeError& error) {
            // The operator is told once that the database cannot be read,
            // rather than left with empty lists and no word.
            if (error.code() == ErrorCode::InvalidDatabasePath) {
                showDataFolderWindow();
                return false;
            }
            if (!m_databaseWarningShown && (error.code() == ErrorCode::DatabaseFileNotFound ||
                                            error.code() == ErrorCode::UnreadableDatabase))
                showDatabaseWarning(error);
        }
    }
    endIfEnded();
    return true;
}

// -------------------------------------------------------------------- scans

FrmDelivery::LoadReaction FrmDelivery::scanCustomers(qint64& counter)
{
    // The entries are gathered and handed to both lists at once:
    // a list filled entry by entry is slow with tens of thousands of them.
    WalkField clientId(Data2, u"ClientID");
    WalkField name(Data2, u"Name");
    QStringList entries;
    LoadReaction reaction = LoadReaction::Continue;
    const auto step = [&](int label, auto&& statement) {
        reaction = loadStep(label, statement);
        return reaction == LoadReaction::Continue;
    };

    for (;;) {
        bool atEnd = false;
        if (!step(160, [&] { atEnd = Data2.eof(); }) || atEnd)
            break;
        // A failed test goes on into the statements it guards.
        bool named = true;
        if (!step(170, [&] { named = !name().isNull(); }))
            break;
        if (named) {
            std::optional<QString> entry;
            if (!step(180, [&] { entry = customerListEntry(clientId(), name()); }))
                break;
            if (!step(190, [&] {
                    if (entry)
                        entries.append(*entry);
                }))
                break;
        }
        if (!step(220, [&] { Data2.moveNext(); }))
            break;
        if (!step(230, [&] { showProgress(counter); }))
            break;
        ++counter; // 240
    }
    cboCust->addItems(entries);
    cboSCust->addItems(entries);
    return reaction == LoadReaction::StopLoad ? reaction : LoadReaction::Continue;
}

template<typename OnFailure>
void FrmDelivery::scanJobs(qint64& counter, ProgressStep progress, OnFailure&& onFailure)
{
    WalkField job(Data4, u"Job");
    WalkField description(Data4, u"Description");
    WalkField invoiced(Data4, u"Invoiced");
    const JobFilter filter = currentFilter();
    QStringList entries;
    const auto step = [&](int label, auto&& statement) {
        try {
            statement();
        } catch (const RuntimeError& error) {
            const bool goOn = onFailure(error, label);
            endIfEnded();
            return goOn;
        }
        return true;
    };

    for (;;) {
        bool atEnd = false;
        if (!step(380, [&] { atEnd = Data4.eof(); }) || atEnd)
            break;
        if (progress == ProgressStep::BeforeEntry && !step(440, [&] { showProgress(counter); }))
            break;
        bool listed = true;
        std::optional<QString> entry;
        if (!step(380, [&] { entry = jobListEntry(job(), description()); }))
            break;
        if (!step(380, [&] { listed = entry && jobPassesFilter(filter, invoiced()); }))
            break;
        if (listed && entry)
            entries.append(*entry);
        if (!step(430, [&] { Data4.moveNext(); }))
            break;
        if (progress == ProgressStep::AfterMove && !step(440, [&] { showProgress(counter); }))
            break;
        ++counter; // 450
    }
    cboJobs->addItems(entries);
}

void FrmDelivery::showProgress(qint64 value)
{
    // The bar takes a value only when its drawing changes: setting it for
    // each of a hundred thousand records would cost more than the scan.
    // Nothing else runs while a scan fills the lists, so it is drawn at once.
    if (value >= m_progressLow && value < m_progressNext)
        return;
    const qint64 low = pbRefresh->minimum64();
    const qint64 high = pbRefresh->maximum64();
    if (value < low || value > high) {
        pbRefresh->setValue64(value); // refused like any value out of range
        return;
    }
    constexpr int Steps = 200;
    const qint64 span = high - low;
    const qint64 step = span > 0 ? (value - low) * Steps / span : 0;
    // The first value of the next step, found without rounding surprises.
    qint64 next = low + (step + 1) * span / Steps;
    while (next > low && (next - low) * Steps / span <= step)
        ++next;
    m_progressLow = value;
    m_progressNext = span > 0 ? std::min(next, high + 1) : high + 1;
    pbRefresh->setValue64(value);
    if (pbRefresh->isVisible())
        pbRefresh->repaint();
}

// ------------------------------------------------------------------ refresh

void FrmDelivery::cmdRefresh_Click()
{
    // The refresh's own failure handling: a database that cannot be reached
    // ends it with a warning; anything else asks whether to go on.
    bool stop = false;
    const auto onFailure = [this, &stop](const RuntimeError& error, int) {
        if (showDatabaseWarning(error)) {
            stop = true;
            return false;
        }
        const auto answer =
            platform().messageBox(errorBoxText(error, 0, false), Platform::Buttons::OkCancel,
                                  Platform::Icon::None, QStringLiteral("Warning"));
        if (answer == Platform::Answer::Cancel)
            platform().endProgram();
        return true;
    };
    const auto step = [&](auto&& statement) {
        if (stop)
            return false;
        try {
            statement();
        } catch (const RuntimeError& error) {
            onFailure(error, 0);
        }
        endIfEnded();
        return !stop;
    };

    step([&] { pbRefresh->setVisible(true); });
    step([&] {
        if (mnuLoadJobs->isChecked()) {
            cboJobs->setEnabled(true);
        } else {
            cboJobs->setEnabled(false);
            cboJobs->clearList();
        }
    });
    if (!step([&] { Data4.open(databasePath(m_session.dataFolder), QStringLiteral("JobLog")); }))
        return;
    step([&] { cboJobs->clearList(); });
    qint64 records = 0;
    step([&] {
        Data4.moveLast();
        records = Data4.recordCount();
        Data4.moveFirst();
    });
    step([&] { pbRefresh->setRange64(0, records); });
    resetProgress();
    step([&] { ClearTicket(); });
    qint64 counter = 1;
    if (!stop)
        scanJobs(counter, ProgressStep::BeforeEntry, onFailure);
    if (!stop)
        step([&] { pbRefresh->setVisible(false); });
}

// ------------------------------------------------------------------ options

JobFilter FrmDelivery::currentFilter() const
{
    if (chkAll->value())
        return JobFilter::All;
    if (chkInv->value())
        return JobFilter::Invoiced;
    return JobFilter::NonInvoiced;
}

void FrmDelivery::selectFilter(JobFilter filter)
{
    // Selecting a button raises its click handling when the selection
    // changes, as the operator's click would.
    switch (filter) {
    case JobFilter::All:
        chkAll->setValue(true);
        break;
    case JobFilter::Invoiced:
        chkInv->setValue(true);
        break;
    case JobFilter::NonInvoiced:
        chkNon->setValue(true);
        break;
    }
    endIfEnded();
}

namespace {

// Option files are written the moment an option changes; a folder that
// cannot be written keeps the old choice on disk and nothing is reported.
template<typename Write>
void writeOption(Write&& write)
{
    try {
        write();
    } catch (const RuntimeError&) {
    }
}

} // namespace

void FrmDelivery::chkAll_Click()
{
    writeOption([] { writeListFilter(JobFilter::All); });
    cmdRefresh_Click();
}

void FrmDelivery::chkInv_Click()
{
    writeOption([] { writeListFilter(JobFilter::Invoiced); });
    cmdRefresh_Click();
}

void FrmDelivery::chkNon_Click()
{
    writeOption([] { writeListFilter(JobFilter::NonInvoiced); });
    cmdRefresh_Click();
}

void FrmDelivery::chkJob_Click()
{
    const int state = chkJob->value();
    writeOption([state] { writeCheckState(QString::fromLatin1(JobNumbersFile), state); });
}

void FrmDelivery::chkComment_Click()
{
    const int state = chkComment->value();
    writeOption([state] { writeCheckState(QString::fromLatin1(CommentsShownFile), state); });
}

void FrmDelivery::mnuLoadJobs_Click()
{
    // The toolkit has already moved the check mark; the new state is stored
    // and takes effect at the next load or refresh.
    const bool loadJobs = mnuLoadJobs->isChecked();
    writeOption([loadJobs] { writeLoadJobs(loadJobs); });
}

void FrmDelivery::pbRefresh_MouseDown()
{
    platform().messageBox(QStringLiteral("Search Aborted! Please Try Again"));
    pbRefresh->setVisible(false);
    Search->setFocus();
}

void FrmDelivery::pbRefresh_Click()
{
    pbRefresh_MouseDown();
}

void FrmDelivery::resetProgress()
{
    m_progressLow = 0;
    m_progressNext = 0;
}
