// Job selection: filling the ticket from a job's order lines; and the job
// search box.

#include "common/numeric.h"
#include "common/session.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/event_text_block.h"
#include "common/ui/event_text_box.h"
#include "common/ui/named_control.h"
#include "common/ui/platform.h"
#include "input/order_lines.h"
#include "input/part_rows.h"
#include "input/ui/frm_delivery.h"
#include "input/ui/frm_delivery_steps.h"
#include "settings/data_folder_file.h"

#include <QLabel>
#include <QScrollBar>

#include <array>
#include <cmath>

namespace {

constexpr int JobKeyLength = 8;
constexpr QChar Tab = QLatin1Char('\t');

// Runs the step only when the field has a value: a Null leaves the target
// as it was.
template<typename Step>
void unlessNull(const FieldValue& value, Step&& step)
{
    if (!value.isNull())
        step(value.toText());
}

} // namespace

// What one job selection gathers from the job's order lines.
struct FrmDelivery::JobScan
{
    // The part tables of one selection, slots 0 to 9 by part number.
    struct PartTables
    {
        std::array<QString, 10> quantity;
        std::array<QString, 10> backOrdered;
        std::array<QString, 10> description;

        static bool holds(int part) { return part >= 0 && part <= 9; }
    };

    bool found = false;
    // The part the next line is taken as, unless it names its own.
    int part = 1;
    QString accountNumber;
    QString accountName;
    QString customerNumber;
    PartTables parts;
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
    // A failure ends the selection without a word; what was filled stays.
    if (!attempt([&] { selectJob(jobText); }))
        pbRefresh->setVisible(false);
}

void FrmDelivery::selectJob(const QString& jobText)
{
    m_session.jobLoaded = false;
    m_parts.HScroll1->setValue(1);

    Data1.moveFirst();
    Data1.moveLast();
    const qint64 records = Data1.recordCount();
    pbRefresh->setRange64(0, records);
    resetProgress();
    qint64 visited = 0;

    const QString jobKey = jobText.left(JobKeyLength);
    m_session.jobLoaded = true;

    m_shipTo.txtShip->setText(QString());
    m_shipTo.cboShip->clearList();
    m_shipTo.cboShip->setText(QString());

    Data1.moveFirst();
    JobScan scan;
    pbRefresh->setVisible(true);

    // Every order line of the job is taken, wherever it lies in the table: a
    // part added to a job later is appended far down "Orders".
    const OrderFields fields(Data1);
    while (!Data1.eof()) {
        ++visited;
        showProgress(visited);
        if (fields.isLineOf(jobKey))
            takeOrderLine(fields, scan);
        Data1.moveNext();
    }

    pbRefresh->setVisible(false);
    const int part = scan.part;
    if (part > 1)
        m_draft.setPartCaption(part_rows::caption(1, part - 1));
    if (!scan.found) {
        platform().messageBox(
            QStringLiteral("Job Found but No Order Detail Found. Please try again."));
        m_jobs.cboJobs->setText(QString());
        ClearTicket();
    }
}

// One order line of the job: the ticket's head from the first, a part row
// from each, and the ship-to keys the lines name.
void FrmDelivery::takeOrderLine(const OrderFields& fields, JobScan& scan)
{
    using PartTables = JobScan::PartTables;
    int& part = scan.part;
    PartTables& parts = scan.parts;
    QString& customerNumber = scan.customerNumber;

    scan.found = true;
    const FieldValue accountNo = Data1.field(fields.acctNo);
    scan.accountNumber = accountNo.isNull() ? QString() : accountNo.toText();
    const FieldValue acctName = Data1.field(fields.acctName);
    scan.accountName = acctName.isNull() ? QStringLiteral("No Name This Job") : acctName.toText();
    unlessNull(Data1.field(fields.customerId), [&](const QString& id) { customerNumber = id; });

    const QString orderNo = Data1.field(fields.orderNo).toText();
    if (part == 1)
        fillTicketHead(fields, scan.accountNumber + QLatin1Char('-') + scan.accountName, orderNo);

    unlessNull(Data1.field(fields.partNo),
               [&](const QString& number) { part = nearestWhole(numericValue(number)); });
    const FieldValue pressQty = Data1.field(fields.pressQty);
    const FieldValue description = Data1.field(fields.description);
    QString row;
    if (PartTables::holds(part)) {
        const auto slot = static_cast<std::size_t>(part);
        unlessNull(pressQty, [&](const QString& text) { parts.quantity[slot] = text; });
        parts.backOrdered[slot] = QStringLiteral("\t0\t");
        unlessNull(description, [&](const QString& text) { parts.description[slot] = text; });
        row = parts.quantity[slot] + parts.backOrdered[slot] + parts.description[slot];
    } else {
        // Beyond the part tables' slots the line is kept all the same.
        row = pressQty.toText() + Tab + QLatin1Char('0') + Tab + description.toText();
    }

    const std::optional<QString> shipKey =
        orderShipKey(Data1.field(fields.shipToId), Data1.field(fields.shipToName));
    if (shipKey && !shipKey->isEmpty() && *shipKey != m_shipTo.cboShip->text()) {
        m_shipTo.cboShip->addItem(*shipKey);
        if (part == 1)
            fillShipToAddress(customerNumber);
    }

    m_draft.partRows.add(row);
    ++part;
}

void FrmDelivery::fillTicketHead(const OrderFields& fields, const QString& customer,
                                 const QString& orderNo)
{
    m_shipTo.cboSCust->setText(customer);
    m_soldTo.cboCust->setText(customer);
    unlessNull(Data1.field(fields.pressQty), [&](const QString& text) { m_parts.txtQty->setText(text); });
    const FieldValue phone = Data1.field(fields.phone);
    txtPhone->setText(phone.isNull() ? QString() : phone.toText());
    txtKeep = orderNo;
    unlessNull(Data1.field(fields.description),
               [&](const QString& text) { m_parts.txtDes->setText(text); });
    m_parts.txtBO->setText(QStringLiteral("0"));
    unlessNull(Data1.field(fields.purchaseOrder),
               [&](const QString& text) { txtPO->setText(text); });
    m_draft.setJobCaption(QStringLiteral("Order No: ") + orderNo);

    // The job's quote number, from "JobLog" opened anew.
    Data4.open(databasePath(m_session.dataFolder), QStringLiteral("JobLog"));
    const int job = Data4.fieldIndex(u"Job");
    for (Data4.moveFirst(); !Data4.eof(); Data4.moveNext()) {
        if (Data4.fieldEquals(job, orderNo)) {
            const FieldValue quote = Data4.field(u"QuoteNo");
            if (!quote.isNull() && quote.toText().isEmpty())
                m_draft.setQuoteCaption(QString());
            else
                m_draft.setQuoteCaption(QStringLiteral("Quote No: ") + quote.toText());
            break;
        }
    }
    m_draft.partRows.clear();
}

void FrmDelivery::fillShipToAddress(const QString& customerNumber)
{
    // The ship-to key's own lookup leaves "Addresses" on the record it found
    // (or past the end); the customer's address is looked for from there on.
    Data3.moveFirst();
    m_shipTo.cboShip->setText(m_shipTo.cboShip->item(0));

    const int customerId = Data3.fieldIndex(u"CustomerID");
    for (; !Data3.eof(); Data3.moveNext()) {
        if (Data3.fieldEquals(customerId, customerNumber)) {
            m_draft.shipToLines.clear();
            m_shipTo.txtShip->setText(QString());
            m_shipTo.txtShip->setText(shipToAddressBlock(Data3));
            return;
        }
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
