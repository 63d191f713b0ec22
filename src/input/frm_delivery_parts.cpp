// The item fields of the ticket and paging through the order's parts.
//
// The part rows in lstKeep are the operator's only copy of what was typed
// for the parts not on screen, so a write-back never gives up on a missing
// row: it adds empty rows up to the part the label names and writes there.
// A failure inside a handler stops that handler quietly; nothing here is
// worth a message box in the middle of typing.

#include "common/install_layout.h"
#include "common/module_values.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_box.h"
#include "common/ui/named_control.h"
#include "common/ui/platform.h"
#include "input/frm_delivery.h"
#include "input/part_rows.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QScrollBar>

namespace {

constexpr int EnterKey = 13;

template<typename Step>
void stopQuietlyOnFailure(Step&& step)
{
    try {
        step();
    } catch (const RuntimeError&) {
    }
}

// The row of the part the label names. A label naming no part (a ticket
// typed without a job) becomes part 1 of 1 first.
int currentRow(FrmDelivery& window)
{
    int part = part_rows::partNumber(window.Label4->text());
    if (part == 0) {
        relabel(window.Label4, part_rows::caption(1, 1));
        part = 1;
    }
    while (window.lstKeep.count() < part)
        window.lstKeep.add(QString::fromLatin1(part_rows::EmptyRow));
    return part - 1;
}

template<typename Edit>
void writeBack(FrmDelivery& window, Edit&& edit)
{
    const int row = currentRow(window);
    window.lstKeep.setItem(row, edit(window.lstKeep.item(row)));
}

void writeBackQuantity(FrmDelivery& window)
{
    writeBack(window, [&window](const QString& row) {
        return part_rows::withQuantity(row, window.txtQty->text());
    });
}

// The picture is only a reminder of the part number: a bitmap that is
// missing or unreadable leaves the box empty.
void showPartPicture(QLabel& picture, int part)
{
    QPixmap bitmap;
    if (!bitmap.load(install_layout::partBitmapPath(settingsFolder(),
                                                    QCoreApplication::applicationDirPath(), part)))
        bitmap = QPixmap();
    picture.setPixmap(bitmap);
}

} // namespace

void FrmDelivery::txtPO_KeyPress(int keyAscii)
{
    if (keyAscii == EnterKey)
        txtQty->setFocus();
}

void FrmDelivery::txtQty_KeyPress(int keyAscii)
{
    if (keyAscii == EnterKey)
        txtBO->setFocus();
}

void FrmDelivery::txtBO_KeyPress(int keyAscii)
{
    if (keyAscii == EnterKey)
        txtDes->setFocus();
}

void FrmDelivery::txtDes_KeyPress(int keyAscii)
{
    if (keyAscii == EnterKey)
        cboCust->setFocus();
}

void FrmDelivery::txtQty_LostFocus()
{
    stopQuietlyOnFailure([this] { writeBackQuantity(*this); });
}

void FrmDelivery::txtBO_LostFocus()
{
    stopQuietlyOnFailure([this] {
        writeBack(*this, [this](const QString& row) {
            return part_rows::withBackOrdered(row, txtBO->text());
        });
    });
}

void FrmDelivery::txtDes_LostFocus()
{
    stopQuietlyOnFailure([this] {
        writeBack(*this, [this](const QString& row) {
            return part_rows::withDescription(row, txtDes->text());
        });
    });
}

// Moving onto a part with no row beeps and steps the scroll bar back, which
// runs this handler again for the part before; the outer run then only
// finishes the picture and the label for wherever that left the scroll bar.
void FrmDelivery::HScroll1_Change()
{
    if (JobLoaded == FlagFalse)
        return;
    stopQuietlyOnFailure([this] {
        writeBackQuantity(*this);
        const int count = lstKeep.count();
        const int value = HScroll1->value();
        const int index = value - 1;
        const QString row = index >= 0 && index < count ? lstKeep.item(index) : QString();
        if (!row.isEmpty()) {
            const part_rows::PartFields fields = part_rows::split(row);
            txtQty->setText(fields.quantity);
            txtBO->setText(fields.backOrdered);
            txtDes->setText(fields.description);
            showPartPicture(*picParts, value);
        } else {
            platform().beep();
            HScroll1->setValue(value - 1);
            showPartPicture(*picParts, HScroll1->value());
        }
        relabel(Label4, part_rows::caption(HScroll1->value(), count));
    });
}
