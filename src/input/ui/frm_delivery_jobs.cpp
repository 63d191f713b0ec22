// The job list and the job search box. The selection itself, filling the
// ticket from the job's order lines, is input/job_selection.h's.

#include "common/result.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/event_text_box.h"
#include "common/ui/platform.h"
#include "input/job_selection.h"
#include "input/ui/frm_delivery.h"
#include "input/ui/frm_delivery_steps.h"

// The progress bar follows a job selection's walk over "Orders".
class FrmDelivery::JobProgress final : public JobScanProgress
{
public:
    explicit JobProgress(FrmDelivery& window)
        : m_window(window)
    {
    }

    void started(qint64 records) override
    {
        m_window.pbRefresh->setRange64(0, records);
        m_window.resetProgress();
    }
    void shown(bool visible) override { m_window.pbRefresh->setVisible(visible); }
    void visited(qint64 records) override { m_window.showProgress(records); }

private:
    FrmDelivery& m_window;
};

void FrmDelivery::cboJobs_Change()
{
    cboJobs_Click();
}

void FrmDelivery::cboJobs_Click()
{
    const QString jobText = m_jobs.cboJobs->text();
    if (jobText.isEmpty())
        return;
    JobProgress progress(*this);
    // A failure ends the selection without a word; what was filled stays.
    const Result<JobSelection::Outcome> outcome =
        attempt([&] { return m_jobSelection.select(jobText, progress); });
    if (!outcome) {
        pbRefresh->setVisible(false);
    } else if (*outcome == JobSelection::Outcome::NoOrderDetail) {
        platform().messageBox(
            QStringLiteral("Job Found but No Order Detail Found. Please try again."));
        m_jobs.cboJobs->setText(QString());
        ClearTicket();
    }
}

// ------------------------------------------------------------------- search

void FrmDelivery::Search_KeyPress(int keyAscii)
{
    if (keyAscii != 13)
        return;
    ClearTicket();
    Search_LostFocus();
    pbRefresh->setVisible(false);
}

void FrmDelivery::Search_LostFocus()
{
    pbRefresh->setVisible(false);
    if (m_jobs.Search->text().isEmpty())
        return;
    QString key = m_jobs.Search->text();
    m_jobs.Search->setText(QString());
    while (key.size() < JobKeyLength)
        key.prepend(QLatin1Char('0'));
    ClearTicket();

    if (!m_jobs.cboJobs->isEnabled()) {
        // Without a job list the job is looked up in the tables directly.
        m_jobs.cboJobs->setText(key);
        pbRefresh->setVisible(false);
        return;
    }
    const QStringList entries = m_jobs.cboJobs->items();
    for (const QString& entry : entries) {
        if (QStringView(entry).left(JobKeyLength) == key) {
            m_jobs.cboJobs->setText(entry);
            return;
        }
    }
    platform().messageBox(QStringLiteral("Sorry, job ") + key +
                          QStringLiteral(" not available. Try again."));
    m_jobs.Search->setText(QString());
    pbRefresh->setVisible(false);
    m_jobs.cboJobs->setFocus();
}
