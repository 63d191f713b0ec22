#pragma once

// The ticket being edited, without a window: what the main window shows and
// the preview and printing read. The main window writes what the operator
// types into it and shows what its selections put there; the rules of the
// part rows (write-back and paging) are its operations. The ticket's inputs
// are taken from it by ticketFields() (ticket/draft_fields.h).
//
// The main window's three hidden lists live here: the sold-to and
// ship-to lines, filled when the preview opens and emptied when it closes,
// and the part rows, the operator's only copy of what was typed for the
// parts not on screen. A row index outside a list is refused with
// RuntimeError InvalidArrayIndex, as the lists always refused it.

#include "common/row_store.h"
#include "input/part_rows.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class TicketDraft final : public QObject
{
    Q_OBJECT

public:
    explicit TicketDraft(QObject* parent = nullptr);

    // The sold-to and ship-to blocks as they stand in their boxes. The
    // boxes write them as they are typed; a selection sets them through the
    // setters, which announce the change so that the boxes follow.
    QString soldToText;
    QString shipToText;
    void setSoldToText(const QString& text);
    void setShipToText(const QString& text);
    // The customer boxes' texts ("17-ACME"), the ship-to key box's text
    // (" 12-WAREHOUSE") and its list of the job's keys, likewise.
    QString soldToCustomer;
    void setSoldToCustomer(const QString& text);
    QString shipToCustomer;
    void setShipToCustomer(const QString& text);
    QString shipKey;
    void setShipKey(const QString& key);
    const QStringList& shipKeys() const { return m_shipKeys; }
    void clearShipKeys();
    void addShipKey(const QString& key);
    // Their split lines (the hidden lists lstCust and lstShip).
    RowStore soldToLines;
    RowStore shipToLines;
    // The preview's split: each block's lines into its list, as the ticket
    // prints them; and the lists emptied again when the preview closes.
    void splitAddresses();
    void clearAddressLines();

    QString purchaseOrder;
    QString phone;
    void setPurchaseOrder(const QString& text);
    void setPhone(const QString& text);

    // The order number of the job selected; never shown.
    QString orderNumber;

    // The part rows (quantity, TAB, back-ordered, TAB, description; the
    // hidden list lstKeep).
    RowStore partRows;

    // Options the ticket is printed with.
    bool jobNumbers = false;    // "Job/Quote Numbers"
    bool commentShown = false;  // "Comments Shown"
    bool onlyPartShown = false; // "Only Print Part No Shown"
    QString comment;            // the comment line

    // Shown in labels: each change is announced, so that the label follows.
    const QString& jobCaption() const { return m_jobCaption; }
    void setJobCaption(const QString& caption);
    const QString& quoteCaption() const { return m_quoteCaption; }
    void setQuoteCaption(const QString& caption);
    const QDate& date() const { return m_date; }
    void setDate(const QDate& date);
    // The description caption names the part on screen and the number of
    // parts ("Description: (Part 2 of 3)"), or none ("Description:").
    const QString& partCaption() const { return m_partCaption; }
    void setPartCaption(const QString& caption);
    int partShown() const;
    int partCount() const;

    // Writes one field of the part on screen into its row. The rows never
    // give up on a missing part: a caption naming no part (a ticket typed
    // without a job) becomes part 1 of 1 first, and empty rows are added up
    // to the part the caption names.
    enum class PartField { Quantity, BackOrdered, Description };
    void writeBack(PartField field, const QString& text);

    // Puts a text into a box of the part on screen (the rows are written
    // back from there as the operator leaves the box).
    void showPartField(PartField field, const QString& text);
    // Pages back to the first part, as a job selection does before it
    // fills the rows anew.
    void pageToFirstPart();

    // The fields of part `part` (1 for the first); nullopt when the part has
    // no row, or an empty one: paging onto it beeps and steps back.
    std::optional<part_rows::PartFields> partFields(int part) const;

signals:
    void soldToCustomerChanged(const QString& text);
    void shipKeyChanged(const QString& key);
    void shipKeysChanged(const QStringList& keys);
    void purchaseOrderChanged(const QString& text);
    void phoneChanged(const QString& text);
    void partFieldShown(TicketDraft::PartField field, const QString& text);
    void pagedToFirstPart();
    void soldToTextChanged(const QString& text);
    void shipToTextChanged(const QString& text);
    void shipToCustomerChanged(const QString& text);
    void jobCaptionChanged(const QString& caption);
    void quoteCaptionChanged(const QString& caption);
    void dateChanged(const QDate& date);
    void partCaptionChanged(const QString& caption);

private:
    QStringList m_shipKeys;
    QString m_jobCaption;
    QString m_quoteCaption;
    QDate m_date;
    QString m_partCaption = QStringLiteral("Description:");
};

// The number of parts a description caption names ("Description: (Part 2
// of 3)" names 3); 0 when it names no part ("Description:").
int partCountOf(const QString& caption);
