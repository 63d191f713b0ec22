#pragma once

// The main window's fields as the ticket reads them.

#include "ticket/ticket_inputs.h"

class FrmDelivery;

// Every main-window value the ticket composition reads, as it stands now.
// The address lines are the items of the hidden lists lstCust and lstShip,
// which the preview fills when it opens.
TicketFields ticketFields(const FrmDelivery& window);

// The number of parts the description label names ("Description: (Part 2
// of 3)" names 3); 0 when it names no part ("Description:").
int partCountOf(const QString& caption);
