#include "input/ticket_draft.h"

#include "common/numeric.h"
#include "common/result.h"
#include "input/customer_blocks.h"

namespace {

void fillWithLines(RowStore& list, const QString& block)
{
    list.clear();
    for (const QString& line : splitAddress(block))
        list.add(line);
}

} // namespace

TicketDraft::TicketDraft(QObject* parent)
    : QObject(parent)
{
}

void TicketDraft::splitAddresses()
{
    fillWithLines(soldToLines, soldToText);
    fillWithLines(shipToLines, shipToText);
}

void TicketDraft::clearAddressLines()
{
    soldToLines.clear();
    shipToLines.clear();
}

void TicketDraft::setSoldToText(const QString& text)
{
    soldToText = text;
    emit soldToTextChanged(soldToText);
}

void TicketDraft::setShipToText(const QString& text)
{
    shipToText = text;
    emit shipToTextChanged(shipToText);
}

void TicketDraft::setSoldToCustomer(const QString& text)
{
    soldToCustomer = text;
    emit soldToCustomerChanged(soldToCustomer);
}

void TicketDraft::setShipToCustomer(const QString& text)
{
    shipToCustomer = text;
    emit shipToCustomerChanged(shipToCustomer);
}

void TicketDraft::setShipKey(const QString& key)
{
    shipKey = key;
    emit shipKeyChanged(shipKey);
}

void TicketDraft::clearShipKeys()
{
    m_shipKeys.clear();
    emit shipKeysChanged(m_shipKeys);
}

void TicketDraft::addShipKey(const QString& key)
{
    m_shipKeys.append(key);
    emit shipKeysChanged(m_shipKeys);
}

void TicketDraft::setPurchaseOrder(const QString& text)
{
    purchaseOrder = text;
    emit purchaseOrderChanged(purchaseOrder);
}

void TicketDraft::setPhone(const QString& text)
{
    phone = text;
    emit phoneChanged(phone);
}

void TicketDraft::showPartField(PartField field, const QString& text)
{
    emit partFieldShown(field, text);
}

void TicketDraft::pageToFirstPart()
{
    emit pagedToFirstPart();
}

void TicketDraft::setJobCaption(const QString& caption)
{
    m_jobCaption = caption;
    emit jobCaptionChanged(m_jobCaption);
}

void TicketDraft::setQuoteCaption(const QString& caption)
{
    m_quoteCaption = caption;
    emit quoteCaptionChanged(m_quoteCaption);
}

void TicketDraft::setDate(const QDate& date)
{
    m_date = date;
    emit dateChanged(m_date);
}

void TicketDraft::setPartCaption(const QString& caption)
{
    m_partCaption = caption;
    emit partCaptionChanged(m_partCaption);
}

int TicketDraft::partShown() const
{
    return part_rows::partNumber(m_partCaption);
}

int TicketDraft::partCount() const
{
    return partCountOf(m_partCaption);
}

void TicketDraft::writeBack(PartField field, const QString& text)
{
    int part = partShown();
    if (part == 0) {
        setPartCaption(part_rows::caption(1, 1));
        part = 1;
    }
    while (partRows.count() < part)
        partRows.add(QString::fromLatin1(part_rows::EmptyRow));
    const int row = part - 1;
    const QString old = partRows.item(row);
    switch (field) {
    case PartField::Quantity:
        partRows.setItem(row, part_rows::withQuantity(old, text));
        return;
    case PartField::BackOrdered:
        partRows.setItem(row, part_rows::withBackOrdered(old, text));
        return;
    case PartField::Description:
        partRows.setItem(row, part_rows::withDescription(old, text));
        return;
    }
}

std::optional<part_rows::PartFields> TicketDraft::partFields(int part) const
{
    const int index = part - 1;
    if (index < 0 || index >= partRows.count() || partRows.item(index).isEmpty())
        return std::nullopt;
    return part_rows::split(partRows.item(index));
}

int partCountOf(const QString& caption)
{
    if (part_rows::partNumber(caption) == 0)
        return 0;
    const qsizetype of = caption.indexOf(QStringLiteral(" of"));
    if (of < 0)
        return 0;
    return attempt([&] { return wholeNumberOf(caption.mid(of + 3)); }).valueOr(0);
}
