// The item fields of the ticket and paging through the order's parts.
//
// The rows and their rules are the draft's (TicketDraft::writeBack and
// partFields); here the boxes, the scroll bar and the picture follow them.
// A failure inside a handler stops that handler quietly; nothing here is
// worth a message box in the middle of typing.

#include "common/install_layout.h"
#include "common/runtime_error.h"
#include "common/session.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_box.h"
#include "common/ui/named_control.h"
#include "common/ui/platform.h"
#include "input/part_rows.h"
#include "input/ui/frm_delivery.h"
#include "input/ui/frm_delivery_steps.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QScrollBar>

namespace {

constexpr int EnterKey = 13;

// The picture is only a reminder of the part number: a bitmap that is
// missing or unreadable leaves the box empty.
void showPartPicture(QLabel& picture, const QString& settingsFolder, int part)
{
    QPixmap bitmap;
    if (!bitmap.load(install_layout::partBitmapPath(settingsFolder,
                                                    QCoreApplication::applicationDirPath(), part)))
        bitmap = QPixmap();
    picture.setPixmap(bitmap);
}

} // namespace

void FrmDelivery::txtPO_KeyPress(int keyAscii)
{
    if (keyAscii == EnterKey)
        m_parts.txtQty->setFocus();
}

void FrmDelivery::txtQty_KeyPress(int keyAscii)
{
    if (keyAscii == EnterKey)
        m_parts.txtBO->setFocus();
}

void FrmDelivery::txtBO_KeyPress(int keyAscii)
{
    if (keyAscii == EnterKey)
        m_parts.txtDes->setFocus();
}

void FrmDelivery::txtDes_KeyPress(int keyAscii)
{
    if (keyAscii == EnterKey)
        m_soldTo.cboCust->setFocus();
}

void FrmDelivery::txtQty_LostFocus()
{
    stopQuietlyOnFailure(
        [this] { m_draft.writeBack(TicketDraft::PartField::Quantity, m_parts.txtQty->text()); });
}

void FrmDelivery::txtBO_LostFocus()
{
    stopQuietlyOnFailure(
        [this] { m_draft.writeBack(TicketDraft::PartField::BackOrdered, m_parts.txtBO->text()); });
}

void FrmDelivery::txtDes_LostFocus()
{
    stopQuietlyOnFailure(
        [this] { m_draft.writeBack(TicketDraft::PartField::Description, m_parts.txtDes->text()); });
}

// Moving onto a part with no row beeps and steps the scroll bar back, which
// runs this handler again for the part before; the outer run then only
// finishes the picture and the label for wherever that left the scroll bar.
void FrmDelivery::HScroll1_Change()
{
    if (!m_session.jobLoaded)
        return;
    stopQuietlyOnFailure([this] {
        m_draft.writeBack(TicketDraft::PartField::Quantity, m_parts.txtQty->text());
        const int count = m_draft.partRows.count();
        const int value = m_parts.HScroll1->value();
        if (const auto fields = m_draft.partFields(value)) {
            m_parts.txtQty->setText(fields->quantity);
            m_parts.txtBO->setText(fields->backOrdered);
            m_parts.txtDes->setText(fields->description);
            showPartPicture(*m_parts.picParts, m_session.settingsFolder, value);
        } else {
            platform().beep();
            m_parts.HScroll1->setValue(value - 1);
            showPartPicture(*m_parts.picParts, m_session.settingsFolder, m_parts.HScroll1->value());
        }
        m_draft.setPartCaption(part_rows::caption(m_parts.HScroll1->value(), count));
    });
}
