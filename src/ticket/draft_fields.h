#pragma once

// The ticket's inputs taken from the ticket being edited.

#include "input/ticket_draft.h"
#include "ticket/ticket_inputs.h"

// Everything of the draft the ticket composition reads, as it stands now.
// The address lines are those of the lists, which the preview fills when it
// opens.
TicketFields ticketFields(const TicketDraft& draft);
