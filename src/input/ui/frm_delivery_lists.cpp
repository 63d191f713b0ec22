// Filling the main window's lists: the customer and job scans, "Refresh
// Jobs" and the progress bar they move, and the list and include options
// that refill them.

#include "common/session.h"
#include "common/ui/event_check_box.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_option_button.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/event_text_box.h"
#include "input/list_entries.h"
#include "input/option_files.h"
#include "input/ui/frm_delivery.h"
#include "input/ui/frm_delivery_steps.h"
#include "input/walk_field.h"
#include "settings/data_folder_file.h"

#include <QAction>

// The customer lists and, with "Load Jobs" on, the job list, under the
// load's failure handling with its labels; the ticket is cleared last.
FrmDelivery::LoadReaction FrmDelivery::fillLists(qint64& counter)
{
    if (scanCustomers(counter) == LoadReaction::StopLoad)
        return LoadReaction::StopLoad;
    if (loadStep(260, [&] {
            m_soldTo.cboCust->setText(m_soldTo.cboCust->count() > 0 ? m_soldTo.cboCust->item(0)
                                                                    : QString());
        }) == LoadReaction::StopLoad)
        return LoadReaction::StopLoad;
    if (loadStep(270, [&] {
            m_shipTo.cboSCust->setText(m_shipTo.cboSCust->count() > 0 ? m_shipTo.cboSCust->item(0)
                                                                      : QString());
            m_jobs.cboJobs->clearList();
        }) == LoadReaction::StopLoad)
        return LoadReaction::StopLoad;

    if (!mnuLoadJobs->isChecked()) {
        m_jobs.cboJobs->setEnabled(false);
    } else {
        m_jobs.cboJobs->setEnabled(true);
        LoadReaction reaction = loadStep(370, [&] { Data4.moveFirst(); });
        if (reaction == LoadReaction::Continue) {
            scanJobs(counter, ProgressStep::AfterMove,
                     [this, &reaction](const Failure& failure, int label) {
                         reaction = loadFailure(failure, label);
                         return reaction == LoadReaction::Continue;
                     });
        }
        if (reaction == LoadReaction::StopLoad)
            return LoadReaction::StopLoad;
    }

    if (loadStep(470, [&] {
            pbRefresh->setVisible(false);
            m_jobs.cboJobs->setText(QString());
        }) == LoadReaction::StopLoad)
        return LoadReaction::StopLoad;
    loadStep(480, [&] { ClearTicket(); });
    return LoadReaction::Continue;
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
    m_soldTo.cboCust->addItems(entries);
    m_shipTo.cboSCust->addItems(entries);
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
        const Result<void> done = attempt(statement);
        return done || onFailure(done.failure(), label);
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
    m_jobs.cboJobs->addItems(entries);
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
    bool stop = false;
    const auto onFailure = [this, &stop](const Failure& failure, int label) {
        stop = stop || !refreshFailure(failure, label);
        return !stop;
    };
    const auto step = [&](auto&& statement) {
        if (stop)
            return false;
        if (const Result<void> done = attempt(statement); !done)
            onFailure(done.failure(), 0);
        return !stop;
    };

    step([&] { pbRefresh->setVisible(true); });
    step([&] {
        if (mnuLoadJobs->isChecked()) {
            m_jobs.cboJobs->setEnabled(true);
        } else {
            m_jobs.cboJobs->setEnabled(false);
            m_jobs.cboJobs->clearList();
        }
    });
    if (!step([&] { Data4.open(databasePath(m_session.dataFolder), QStringLiteral("JobLog")); }))
        return;
    step([&] { m_jobs.cboJobs->clearList(); });
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
    if (m_options.chkAll->value())
        return JobFilter::All;
    if (m_options.chkInv->value())
        return JobFilter::Invoiced;
    return JobFilter::NonInvoiced;
}

void FrmDelivery::selectFilter(JobFilter filter)
{
    // Selecting a button raises its click handling when the selection
    // changes, as the operator's click would.
    switch (filter) {
    case JobFilter::All:
        m_options.chkAll->setValue(true);
        break;
    case JobFilter::Invoiced:
        m_options.chkInv->setValue(true);
        break;
    case JobFilter::NonInvoiced:
        m_options.chkNon->setValue(true);
        break;
    }
}

// Option files are written the moment an option changes; a folder that
// cannot be written keeps the old choice on disk and nothing is reported.

void FrmDelivery::chkAll_Click()
{
    [[maybe_unused]] const Result<void> stored =
        writeListFilter(m_session.settingsFolder, JobFilter::All);
    cmdRefresh_Click();
}

void FrmDelivery::chkInv_Click()
{
    [[maybe_unused]] const Result<void> stored =
        writeListFilter(m_session.settingsFolder, JobFilter::Invoiced);
    cmdRefresh_Click();
}

void FrmDelivery::chkNon_Click()
{
    [[maybe_unused]] const Result<void> stored =
        writeListFilter(m_session.settingsFolder, JobFilter::NonInvoiced);
    cmdRefresh_Click();
}

void FrmDelivery::chkJob_Click()
{
    const int state = m_options.chkJob->value();
    [[maybe_unused]] const Result<void> stored =
        writeCheckState(m_session.settingsFolder, QString::fromLatin1(JobNumbersFile), state);
}

void FrmDelivery::chkComment_Click()
{
    const int state = m_options.chkComment->value();
    [[maybe_unused]] const Result<void> stored =
        writeCheckState(m_session.settingsFolder, QString::fromLatin1(CommentsShownFile), state);
}

void FrmDelivery::mnuLoadJobs_Click()
{
    // The toolkit has already moved the check mark; the new state is stored
    // and takes effect at the next load or refresh.
    const bool loadJobs = mnuLoadJobs->isChecked();
    [[maybe_unused]] const Result<void> stored = writeLoadJobs(m_session.settingsFolder, loadJobs);
}

void FrmDelivery::pbRefresh_MouseDown()
{
    platform().messageBox(QStringLiteral("Search Aborted! Please Try Again"));
    pbRefresh->setVisible(false);
    m_jobs.Search->setFocus();
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
