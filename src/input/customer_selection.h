#pragma once

// Choosing whom the ticket is sold to and where the goods go: the rules
// behind the sold-to box, the ship-to customer box and the ship-to address
// box. Each looks its record up in Client or Addresses and puts the address
// block it builds into the draft, which the boxes follow.
//
// A lookup walks its cursor from the first record and leaves it where the
// walk stopped; job selection goes on from the address record the ship-to
// lookup found. A read that fails throws RuntimeError and ends the rule
// where it is: what it had put into the draft stays, as every later step
// depends on that read.

#include <QString>

class TableCursor;
class TicketDraft;

class CustomerSelection
{
public:
    CustomerSelection(TicketDraft& draft, TableCursor& clients, TableCursor& addresses);

    // The sold-to box's text was typed ("17-ACME"): the customer of the
    // name after the first dash, with contact and phone lines, becomes the
    // sold-to block; an unknown name empties it, an empty text changes
    // nothing.
    void soldToTyped(const QString& boxText);

    // A customer was picked in the sold-to box: it becomes the ship-to
    // customer too, and its block (the contact closing it without a line
    // end, no phone) both the sold-to and the ship-to block.
    void soldToPicked(const QString& boxText);

    // A customer was picked in the ship-to customer box: every customer of
    // the name is stacked under one name line as the ship-to block.
    void shipToCustomerPicked(const QString& boxText);

    // A ship-to key was typed (" 12-WAREHOUSE"): the address whose number
    // and name it spells becomes the ship-to block; none empties it.
    void shipToAddressTyped(const QString& key);

    // A ship-to key was picked: the first address whose key, built with
    // Null fields left out, equals it becomes the ship-to block; none
    // leaves the block as it was.
    void shipToAddressPicked(const QString& key);

private:
    TicketDraft& m_draft;
    TableCursor& m_clients;
    TableCursor& m_addresses;
};
