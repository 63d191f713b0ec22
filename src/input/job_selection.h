#pragma once

// Selecting a job fills the ticket from the job's order lines in "Orders":
// the head (customer, purchase order, phone, order and quote numbers) from
// the first line, a part row from every line, and the ship-to keys the lines
// name with the first one's address. Everything lands in the draft, which
// the main window shows.
//
// Where the ship-to key or the sold-to customer changes, the ship-to lookup
// and the sold-to lookup (input/customer_selection.h) run at once, as when
// the operator types them; a failed lookup stops only itself. The lookups
// and the scans leave their cursors where they stopped: the ship-to address
// is looked for from the record the key's lookup found.

#include <QString>

class CustomerSelection;
class TableCursor;
class TicketDraft;
struct OrderFields;
struct Session;

// The job number's length: a job list entry begins with it ("00000003-
// Flyer"), and a number searched for is padded with zeros to it.
inline constexpr int JobKeyLength = 8;

// What a job selection reports while it walks "Orders", whose records it
// visits one by one.
class JobScanProgress
{
public:
    virtual ~JobScanProgress() = default;
    virtual void started(qint64 records) = 0;
    virtual void shown(bool visible) = 0;
    virtual void visited(qint64 records) = 0;
};

class JobSelection
{
public:
    struct Tables
    {
        TableCursor& orders;    // "Orders"
        TableCursor& addresses; // "Addresses"
        TableCursor& jobLog;    // "JobLog", opened anew for each selection
    };

    JobSelection(TicketDraft& draft, Session& session, CustomerSelection& customers, Tables tables);

    enum class Outcome { Filled, NoOrderDetail };

    // Fills the draft from the job of a job list entry (its first
    // JobKeyLength characters). NoOrderDetail when the job has no order
    // line: what the selection emptied stays empty. The session's job flag
    // is false while it starts and true from the job key on. Throws
    // RuntimeError when a table cannot be read; what was filled stays.
    Outcome select(const QString& jobText, JobScanProgress& progress);

private:
    struct Scan;
    void takeOrderLine(const OrderFields& fields, Scan& scan);
    void fillTicketHead(const OrderFields& fields, const QString& customer, const QString& orderNo);
    void fillQuoteNumber(const QString& orderNo);
    void fillShipToAddress(const QString& customerNumber);
    // The box texts whose change runs a lookup, as typing them does.
    void setSoldToCustomer(const QString& text);
    void setShipKey(const QString& key);

    TicketDraft& m_draft;
    Session& m_session;
    CustomerSelection& m_customers;
    Tables m_tables;
};
