#include "input/ticket_inputs.h"

#include "common/numeric.h"
#include "common/runtime_error.h"
#include "common/ui/event_check_box.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_box.h"
#include "input/frm_delivery.h"
#include "input/part_rows.h"

#include <QLabel>

int partCountOf(const QString& caption)
{
    if (part_rows::partNumber(caption) == 0)
        return 0;
    const qsizetype of = caption.indexOf(QStringLiteral(" of"));
    if (of < 0)
        return 0;
    try {
        return wholeNumberOf(caption.mid(of + 3));
    } catch (const RuntimeError&) {
        return 0;
    }
}

TicketFields ticketFields(const FrmDelivery& window)
{
    TicketFields fields;
    fields.soldTo = window.lstCust.items();
    fields.shipTo = window.lstShip.items();
    fields.jobNumbers = window.chkJob->value() == 1;
    fields.jobCaption = window.txtJob->text();
    fields.quoteCaption = window.txtQuote->text();
    fields.purchaseOrder = window.txtPO->text();
    fields.phone = window.txtPhone->text();
    fields.date = window.lblDate->text();
    fields.partRows = window.lstKeep.items();
    fields.partShown = part_rows::partNumber(window.Label4->text());
    fields.partCount = partCountOf(window.Label4->text());
    fields.onlyPartShown = window.chkPart->value() == 1;
    fields.commentShown = window.chkComment->value() == 1;
    fields.comment = window.cboComment->text();
    return fields;
}
