#include "ticket/draft_fields.h"

#include "common/short_date.h"

TicketFields ticketFields(const TicketDraft& draft)
{
    TicketFields fields;
    fields.soldTo = draft.soldToLines.items();
    fields.shipTo = draft.shipToLines.items();
    fields.jobNumbers = draft.jobNumbers;
    fields.jobCaption = draft.jobCaption();
    fields.quoteCaption = draft.quoteCaption();
    fields.purchaseOrder = draft.purchaseOrder;
    fields.phone = draft.phone;
    fields.date = draft.date().isValid() ? shortDateText(draft.date()) : QString();
    fields.partRows = draft.partRows.items();
    fields.partShown = draft.partShown();
    fields.partCount = draft.partCount();
    fields.onlyPartShown = draft.onlyPartShown;
    fields.commentShown = draft.commentShown;
    fields.comment = draft.comment;
    return fields;
}
