#include "input/job_selection.h"

#include "common/numeric.h"
#include "common/result.h"
#include "common/session.h"
#include "input/customer_selection.h"
#include "input/order_lines.h"
#include "input/part_rows.h"
#include "input/ticket_draft.h"
#include "settings/data_folder_file.h"

#include <array>

namespace {

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
struct JobSelection::Scan
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

JobSelection::JobSelection(TicketDraft& draft, Session& session, CustomerSelection& customers,
                           Tables tables)
    : m_draft(draft)
    , m_session(session)
    , m_customers(customers)
    , m_tables(tables)
{
}

JobSelection::Outcome JobSelection::select(const QString& jobText, JobScanProgress& progress)
{
    TableCursor& orders = m_tables.orders;
    m_session.jobLoaded = false;
    m_draft.pageToFirstPart();

    orders.moveFirst();
    orders.moveLast();
    progress.started(orders.recordCount());
    qint64 visited = 0;

    const QString jobKey = jobText.left(JobKeyLength);
    m_session.jobLoaded = true;

    m_draft.setShipToText(QString());
    m_draft.clearShipKeys();
    setShipKey(QString());

    orders.moveFirst();
    Scan scan;
    progress.shown(true);

    // Every order line of the job is taken, wherever it lies in the table: a
    // part added to a job later is appended far down "Orders".
    const OrderFields fields(orders);
    while (!orders.eof()) {
        ++visited;
        progress.visited(visited);
        if (fields.isLineOf(jobKey))
            takeOrderLine(fields, scan);
        orders.moveNext();
    }

    progress.shown(false);
    const int part = scan.part;
    if (part > 1)
        m_draft.setPartCaption(part_rows::caption(1, part - 1));
    return scan.found ? Outcome::Filled : Outcome::NoOrderDetail;
}

// One order line of the job: the ticket's head from the first, a part row
// from each, and the ship-to keys the lines name.
void JobSelection::takeOrderLine(const OrderFields& fields, Scan& scan)
{
    using PartTables = Scan::PartTables;
    const TableCursor& orders = m_tables.orders;
    int& part = scan.part;
    PartTables& parts = scan.parts;
    QString& customerNumber = scan.customerNumber;

    scan.found = true;
    const FieldValue accountNo = orders.field(fields.acctNo);
    scan.accountNumber = accountNo.isNull() ? QString() : accountNo.toText();
    const FieldValue acctName = orders.field(fields.acctName);
    scan.accountName = acctName.isNull() ? QStringLiteral("No Name This Job") : acctName.toText();
    unlessNull(orders.field(fields.customerId), [&](const QString& id) { customerNumber = id; });

    const QString orderNo = orders.field(fields.orderNo).toText();
    if (part == 1)
        fillTicketHead(fields, scan.accountNumber + QLatin1Char('-') + scan.accountName, orderNo);

    unlessNull(orders.field(fields.partNo),
               [&](const QString& number) { part = nearestWhole(numericValue(number)); });
    const FieldValue pressQty = orders.field(fields.pressQty);
    const FieldValue description = orders.field(fields.description);
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
        orderShipKey(orders.field(fields.shipToId), orders.field(fields.shipToName));
    if (shipKey && !shipKey->isEmpty() && *shipKey != m_draft.shipKey) {
        m_draft.addShipKey(*shipKey);
        if (part == 1)
            fillShipToAddress(customerNumber);
    }

    m_draft.partRows.add(row);
    ++part;
}

void JobSelection::fillTicketHead(const OrderFields& fields, const QString& customer,
                                  const QString& orderNo)
{
    using Field = TicketDraft::PartField;
    const TableCursor& orders = m_tables.orders;
    m_draft.setShipToCustomer(customer);
    setSoldToCustomer(customer);
    unlessNull(orders.field(fields.pressQty),
               [&](const QString& text) { m_draft.showPartField(Field::Quantity, text); });
    const FieldValue phone = orders.field(fields.phone);
    m_draft.setPhone(phone.isNull() ? QString() : phone.toText());
    m_draft.orderNumber = orderNo;
    unlessNull(orders.field(fields.description),
               [&](const QString& text) { m_draft.showPartField(Field::Description, text); });
    m_draft.showPartField(Field::BackOrdered, QStringLiteral("0"));
    unlessNull(orders.field(fields.purchaseOrder),
               [&](const QString& text) { m_draft.setPurchaseOrder(text); });
    m_draft.setJobCaption(QStringLiteral("Order No: ") + orderNo);
    fillQuoteNumber(orderNo);
    m_draft.partRows.clear();
}

// The job's quote number, from "JobLog" opened anew.
void JobSelection::fillQuoteNumber(const QString& orderNo)
{
    TableCursor& jobLog = m_tables.jobLog;
    jobLog.open(databasePath(m_session.dataFolder), QStringLiteral("JobLog"));
    const int job = jobLog.fieldIndex(u"Job");
    for (jobLog.moveFirst(); !jobLog.eof(); jobLog.moveNext()) {
        if (jobLog.fieldEquals(job, orderNo)) {
            const FieldValue quote = jobLog.field(u"QuoteNo");
            if (!quote.isNull() && quote.toText().isEmpty())
                m_draft.setQuoteCaption(QString());
            else
                m_draft.setQuoteCaption(QStringLiteral("Quote No: ") + quote.toText());
            return;
        }
    }
}

void JobSelection::fillShipToAddress(const QString& customerNumber)
{
    // The ship-to key's own lookup leaves "Addresses" on the record it found
    // (or past the end); the customer's address is looked for from there on.
    TableCursor& addresses = m_tables.addresses;
    addresses.moveFirst();
    setShipKey(m_draft.shipKeys().value(0));

    const int customerId = addresses.fieldIndex(u"CustomerID");
    for (; !addresses.eof(); addresses.moveNext()) {
        if (addresses.fieldEquals(customerId, customerNumber)) {
            m_draft.shipToLines.clear();
            m_draft.setShipToText(QString());
            m_draft.setShipToText(shipToAddressBlock(addresses));
            return;
        }
    }
}

void JobSelection::setSoldToCustomer(const QString& text)
{
    if (text == m_draft.soldToCustomer)
        return;
    m_draft.setSoldToCustomer(text);
    [[maybe_unused]] const Result<void> looked =
        attempt([&] { m_customers.soldToTyped(m_draft.soldToCustomer); });
}

void JobSelection::setShipKey(const QString& key)
{
    if (key == m_draft.shipKey)
        return;
    m_draft.setShipKey(key);
    [[maybe_unused]] const Result<void> looked =
        attempt([&] { m_customers.shipToAddressTyped(m_draft.shipKey); });
}
