// Sold-to customer, ship-to customer and ship-to address selection.
//
// The handlers look records up by walking their cursor from the first record
// and leave it where the walk stopped: job selection goes on from the address
// record the ship-to box found. A failed read ends a handler where it is,
// keeping whatever it had filled; every later step depends on that read.

#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_block.h"
#include "input/customer_blocks.h"
#include "input/ui/frm_delivery.h"
#include "input/ui/frm_delivery_steps.h"
#include "input/walk_field.h"

namespace {

// A ship key read back into its two fields: a blank or a minus sign, the
// number up to the next "-", then the name. A key of any other shape names
// no record whose number and name are both present.
struct ShipKeyParts
{
    QString number;
    QString name;
};

std::optional<ShipKeyParts> splitShipKey(const QString& key)
{
    if (key.size() < 3 || (key[0] != QLatin1Char(' ') && key[0] != QLatin1Char('-')))
        return std::nullopt;
    const qsizetype dash = key.indexOf(QLatin1Char('-'), 1);
    if (dash < 2)
        return std::nullopt;
    const QString digits = key.mid(1, dash - 1);
    return ShipKeyParts{key[0] == QLatin1Char('-') ? QLatin1Char('-') + digits : digits,
                        key.mid(dash + 1)};
}

// Moves to the first record and on to the first one that matches; false when
// none does, the cursor then standing past the end.
template<typename Matches>
bool findFirst(TableCursor& cursor, Matches&& matches)
{
    cursor.moveFirst();
    while (!cursor.eof()) {
        if (matches())
            return true;
        cursor.moveNext();
    }
    return false;
}

// The street and city lines of the current Client record.
QString clientAddress(const TableCursor& client)
{
    return addressLines(client.field(u"Addr1"), client.field(u"Addr2")) +
           CityStateZip::of(client.field(u"City"), client.field(u"State"), client.field(u"Zip"))
               .line();
}

// The block of the current Addresses record: name, streets, city line.
QString shipToAddress(const TableCursor& addresses)
{
    QString block = blockLine(addresses.field(u"ADDRESSNAME").toText());
    block += addressLines(addresses.field(u"STREET1"), addresses.field(u"STREET2"));
    block += CityStateZip::of(addresses.field(u"CITY"), addresses.field(u"STATE"),
                              addresses.field(u"ZIP"))
                 .line();
    return block;
}

} // namespace

void FrmDelivery::cboCust_Change()
{
    stopQuietlyOnFailure([this] {
        if (m_soldTo.cboCust->text().isEmpty())
            return;
        const QString name =
            splitCustomerText(m_soldTo.cboCust->text(), LeadingDash::NameFollows).name;
        QString block = blockLine(name);
        m_soldTo.txtCust->setText(QString());

        WalkField clientName(Data2, u"Name");
        if (!findFirst(Data2, [&] { return clientName.equals(name); }))
            return;
        block += clientAddress(Data2);
        block += blockLineIfPresent(Data2.field(u"Contact"));
        // Typing shows the phone too; a pick from the list leaves it out.
        block += blockLineIfPresent(Data2.field(u"Phone"));
        m_soldTo.txtCust->setText(block);
    });
}

void FrmDelivery::cboCust_Click()
{
    stopQuietlyOnFailure([this] {
        const QString name = splitCustomerText(m_soldTo.cboCust->text(), LeadingDash::NoParts).name;
        m_shipTo.cboSCust->setText(m_soldTo.cboCust->text());
        m_soldTo.txtCust->setText(QString());
        m_shipTo.txtShip->setText(QString());

        WalkField clientName(Data2, u"Name");
        if (!findFirst(Data2, [&] { return clientName.equals(name); }))
            return;
        // The picked customer is also where the goods go; the contact closes
        // the block without a line end of its own.
        const QString block =
            blockLine(name) + clientAddress(Data2) + Data2.field(u"Contact").toText();
        m_shipTo.txtShip->setText(block);
        m_soldTo.txtCust->setText(block);
    });
}

void FrmDelivery::cboSCust_Change() {}

void FrmDelivery::cboSCust_Click()
{
    stopQuietlyOnFailure([this] {
        const QString name =
            splitCustomerText(m_shipTo.cboSCust->text(), LeadingDash::NameFollows).name;
        m_shipTo.txtShip->setText(QString());
        QString block = blockLine(name);

        // Every customer of the name is stacked under the one name line; a
        // Null city part of a later one repeats the earlier one's.
        CityStateZip city;
        WalkField clientName(Data2, u"Name");
        for (Data2.moveFirst(); !Data2.eof(); Data2.moveNext()) {
            if (!clientName.equals(name))
                continue;
            block += addressLines(Data2.field(u"Addr1"), Data2.field(u"Addr2"));
            city.takePresent(Data2.field(u"City"), Data2.field(u"State"), Data2.field(u"Zip"));
            block += city.line();
            block += blockLineIfPresent(Data2.field(u"Contact"));
            m_shipTo.txtShip->setText(block);
        }
    });
}

void FrmDelivery::cboShip_Change()
{
    stopQuietlyOnFailure([this] {
        const QString key = m_shipTo.cboShip->text();
        m_shipTo.txtShip->setText(QString());

        // The key is split once rather than built for every record.
        WalkField addressId(Data3, u"AddressID");
        WalkField addressName(Data3, u"ADDRESSNAME");
        const std::optional<ShipKeyParts> parts = splitShipKey(key);
        const auto matches = [&] {
            return parts && addressId.equals(parts->number) && addressName.equals(parts->name);
        };
        if (findFirst(Data3, matches))
            m_shipTo.txtShip->setText(shipToAddress(Data3));
    });
}

void FrmDelivery::cboShip_Click()
{
    stopQuietlyOnFailure([this] {
        const QString key = m_shipTo.cboShip->text();

        WalkField addressId(Data3, u"AddressID");
        WalkField addressName(Data3, u"ADDRESSNAME");
        if (findFirst(Data3,
                      [&] { return shipKeyLeavingOutNulls(addressId(), addressName()) == key; }))
            m_shipTo.txtShip->setText(shipToAddress(Data3));
    });
}
