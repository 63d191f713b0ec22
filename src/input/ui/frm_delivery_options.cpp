// The main window's list and include options, their files, and the clicks
// on the progress bar.

#include "common/ui/event_check_box.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_option_button.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/event_text_box.h"
#include "input/option_files.h"
#include "input/ui/frm_delivery.h"

#include <QAction>

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
