#pragma once

#include "ticket/ticket_inputs.h"

#include <QString>
#include <QStringList>

class TicketSurface;

// Writes the ticket on `surface`: header block, sold-to and ship-to rows,
// job and phone rows, item table, then the FROM and signature block. The
// preview and the print variant differ as the operator has always seen them
// (top margin, blank lines after the headline, sold-to column, bold rules,
// signature lines, "Drop Signature Section").
//
// Returns false when the owner's name could not be read: the ticket then
// ends after the item table (preview) or after the rule below it (print),
// without the FROM and signature block.
bool composeTicket(const TicketInputs& inputs, TicketVariant variant, TicketSurface& surface);

// StripIt and the item loop: the description's lines as written at the
// description column. While 61 characters or more remain, a chunk of the
// first 60 is cut back to its last blank (which it keeps); a chunk without
// any blank is cut hard at 60 characters, so the wrap always moves on. The
// rest, when not empty, is the last line.
QStringList wrapDescription(const QString& description);

// The two centring rules: header and comment lines, (80 - length) \ 2; the
// FROM line, 40 - (length \ 2). Either may be below 1 (the surface then
// writes at column 1).
int centredColumn(const QString& text);
int fromLineColumn(const QString& text);
