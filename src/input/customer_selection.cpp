#include "input/customer_selection.h"

#include "input/customer_blocks.h"
#include "input/ticket_draft.h"
#include "input/walk_field.h"

#include <optional>

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

CustomerSelection::CustomerSelection(TicketDraft& draft, TableCursor& clients,
                                     TableCursor& addresses)
    : m_draft(draft)
    , m_clients(clients)
    , m_addresses(addresses)
{
}

void CustomerSelection::soldToTyped(const QString& boxText)
{
    if (boxText.isEmpty())
        return;
    const QString name = splitCustomerText(boxText, LeadingDash::NameFollows).name;
    QString block = blockLine(name);
    m_draft.setSoldToText(QString());

    WalkField clientName(m_clients, u"Name");
    if (!findFirst(m_clients, [&] { return clientName.equals(name); }))
        return;
    block += clientAddress(m_clients);
    block += blockLineIfPresent(m_clients.field(u"Contact"));
    // Typing shows the phone too; a pick from the list leaves it out.
    block += blockLineIfPresent(m_clients.field(u"Phone"));
    m_draft.setSoldToText(block);
}

void CustomerSelection::soldToPicked(const QString& boxText)
{
    const QString name = splitCustomerText(boxText, LeadingDash::NoParts).name;
    m_draft.setShipToCustomer(boxText);
    m_draft.setSoldToText(QString());
    m_draft.setShipToText(QString());

    WalkField clientName(m_clients, u"Name");
    if (!findFirst(m_clients, [&] { return clientName.equals(name); }))
        return;
    // The picked customer is also where the goods go; the contact closes the
    // block without a line end of its own.
    const QString block =
        blockLine(name) + clientAddress(m_clients) + m_clients.field(u"Contact").toText();
    m_draft.setShipToText(block);
    m_draft.setSoldToText(block);
}

void CustomerSelection::shipToCustomerPicked(const QString& boxText)
{
    const QString name = splitCustomerText(boxText, LeadingDash::NameFollows).name;
    m_draft.setShipToText(QString());
    QString block = blockLine(name);

    // Every customer of the name is stacked under the one name line; a Null
    // city part of a later one repeats the earlier one's.
    CityStateZip city;
    WalkField clientName(m_clients, u"Name");
    for (m_clients.moveFirst(); !m_clients.eof(); m_clients.moveNext()) {
        if (!clientName.equals(name))
            continue;
        block += addressLines(m_clients.field(u"Addr1"), m_clients.field(u"Addr2"));
        city.takePresent(m_clients.field(u"City"), m_clients.field(u"State"),
                         m_clients.field(u"Zip"));
        block += city.line();
        block += blockLineIfPresent(m_clients.field(u"Contact"));
        m_draft.setShipToText(block);
    }
}

void CustomerSelection::shipToAddressTyped(const QString& key)
{
    m_draft.setShipToText(QString());

    // The key is split once rather than built for every record.
    WalkField addressId(m_addresses, u"AddressID");
    WalkField addressName(m_addresses, u"ADDRESSNAME");
    const std::optional<ShipKeyParts> parts = splitShipKey(key);
    const auto matches = [&] {
        return parts && addressId.equals(parts->number) && addressName.equals(parts->name);
    };
    if (findFirst(m_addresses, matches))
        m_draft.setShipToText(shipToAddress(m_addresses));
}

void CustomerSelection::shipToAddressPicked(const QString& key)
{
    WalkField addressId(m_addresses, u"AddressID");
    WalkField addressName(m_addresses, u"ADDRESSNAME");
    if (findFirst(m_addresses,
                  [&] { return shipKeyLeavingOutNulls(addressId(), addressName()) == key; }))
        m_draft.setShipToText(shipToAddress(m_addresses));
}
