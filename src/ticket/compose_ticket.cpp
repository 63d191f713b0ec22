#include "ticket/compose_ticket.h"

#include "common/numeric.h"
#include "common/result.h"
#include "ticket/ticket_surface.h"

namespace {

using Then = TicketSurface::Then;

constexpr int AddressRows = 5;
constexpr int ChunkLength = 60;
constexpr int SignatureLine = 50;

const QString Rule(79, u'-');

QString addressLine(const QStringList& lines, int k)
{
    return k < lines.size() ? lines[k] : QString();
}

// Line Spaces: the slot's numeric reading as a whole number; a value out of
// range counts as none, as the failing conversion was always skipped.
int lineSpaces(const QString& slot)
{
    return attempt([&] { return wholeNumberOf(slot); }).valueOr(0);
}

void writeCentred(TicketSurface& surface, const QString& text)
{
    surface.writeAt(centredColumn(text), text);
}

// A bold label at the current position; what follows it is not bold.
void writeLabel(TicketSurface& surface, const QString& label)
{
    surface.setBold(true);
    surface.write(label, Then::Continue);
    surface.setBold(false);
}

void writeLabelAt(TicketSurface& surface, int column, const QString& label)
{
    surface.setBold(true);
    surface.writeAt(column, label, Then::Continue);
    surface.setBold(false);
}

// The delivery header's slots down to its headline; returns the blank lines
// written after the headline.
int writeHeader(const DeliveryHeader& header, bool print, TicketSurface& surface)
{
    for (int slot = 1; slot <= 7; ++slot)
        writeCentred(surface, header.slot(slot));
    const QString& email = header.slot(DeliveryHeader::EmailSlot);
    const QString& spacer = header.slot(DeliveryHeader::SpacerSlot);
    if (!email.isEmpty()) {
        const int column = centredColumn(email);
        surface.writeAt(column, email);
        surface.writeAt(column, spacer);
    } else {
        writeCentred(surface, spacer);
    }
    surface.setBold(true);
    writeCentred(surface, header.slot(9));
    int spaces = lineSpaces(header.slot(DeliveryHeader::LineSpacesSlot));
    if (print && spaces == 0)
        spaces = 2;
    for (int i = 0; i < spaces; ++i)
        surface.endLine();
    return spaces;
}

void writeAddresses(const TicketFields& fields, bool print, TicketSurface& surface)
{
    surface.write(QStringLiteral("SOLD TO:"), Then::Continue);
    surface.writeAt(40, QStringLiteral("SHIP TO:"));
    surface.setBold(false);
    for (int k = 0; k < AddressRows; ++k) {
        surface.writeAt(print ? 2 : 3, addressLine(fields.soldTo, k), Then::Continue);
        surface.writeAt(42, addressLine(fields.shipTo, k));
    }
}

void writeJobAndPhoneRows(const TicketFields& fields, TicketSurface& surface)
{
    if (fields.jobNumbers) {
        writeLabel(surface, QStringLiteral("Job: "));
        surface.write(fields.jobCaption.right(8) + QStringLiteral("  "), Then::Continue);
        if (!fields.quoteCaption.isEmpty()) {
            writeLabel(surface, QStringLiteral("Quote: "));
            surface.write(fields.quoteCaption.right(8), Then::Continue);
        }
    }
    writeLabelAt(surface, 40, QStringLiteral("P.O.: "));
    surface.write(fields.purchaseOrder);

    writeLabel(surface, QStringLiteral("PHONE: "));
    surface.write(fields.phone, Then::Continue);
    writeLabelAt(surface, 40, QStringLiteral("DATE: "));
    surface.write(fields.date);
}

QList<int> partsToPrint(const TicketFields& fields)
{
    QList<int> parts;
    if (fields.partCount < 1)
        return parts;
    if (fields.onlyPartShown) {
        parts.append(fields.partShown);
    } else {
        for (int part = 1; part <= fields.partCount; ++part)
            parts.append(part);
    }
    return parts;
}

// The item lines of the parts printed; returns the description lines
// written.
int writeItems(const TicketFields& fields, TicketSurface& surface)
{
    int written = 0;
    for (const int part : partsToPrint(fields)) {
        // A part the row list does not hold (the label can name one after a
        // job whose lines all had part number 0) is left out.
        if (part < 1 || part > fields.partRows.size())
            continue;
        const QString& row = fields.partRows[part - 1];
        const qsizetype tab1 = row.indexOf(u'\t');
        const qsizetype tab2 = tab1 < 0 ? -1 : row.indexOf(u'\t', tab1 + 1);
        surface.write(tab1 < 0 ? row : row.left(tab1), Then::Continue);
        surface.writeAt(10,
                        tab1 < 0 ? QString() : row.mid(tab1 + 1, tab2 < 0 ? -1 : tab2 - tab1 - 1),
                        Then::Continue);
        const QStringList lines = wrapDescription(tab2 < 0 ? QString() : row.mid(tab2 + 1));
        for (const QString& line : lines)
            surface.writeAt(19, line);
        written += static_cast<int>(lines.size());
    }
    return written;
}

} // namespace

QStringList wrapDescription(const QString& description)
{
    QStringList lines;
    QString rest = description;
    while (rest.size() > ChunkLength) {
        qsizetype length = ChunkLength;
        while (length > 0 && rest[length - 1] != u' ')
            --length;
        if (length == 0)
            length = ChunkLength;
        lines.append(rest.left(length));
        rest.remove(0, length);
    }
    if (!rest.isEmpty())
        lines.append(rest);
    return lines;
}

int centredColumn(const QString& text)
{
    return (80 - static_cast<int>(text.size())) / 2;
}

int fromLineColumn(const QString& text)
{
    return 40 - static_cast<int>(text.size()) / 2;
}

bool composeTicket(const TicketInputs& inputs, TicketVariant variant, TicketSurface& surface)
{
    const bool print = variant == TicketVariant::Print;
    const TicketFields& fields = inputs.fields;

    if (print) {
        for (int i = 0; i < inputs.topMargin; ++i)
            surface.endLine();
    }
    const int spaces = writeHeader(inputs.header, print, surface);
    int count = 9 + spaces + inputs.topMargin;

    writeAddresses(fields, print, surface);
    count += 6;
    writeJobAndPhoneRows(fields, surface);
    surface.endLine();
    count += 3;

    surface.setBold(!print);
    surface.write(Rule);
    surface.setBold(true);
    surface.write(QStringLiteral("   QN   | BK-OR | DESCRIPTION"));
    surface.setBold(!print);
    surface.write(Rule);
    surface.setBold(false);
    count += 3;

    count += writeItems(fields, surface);

    if (print) {
        if (inputs.dropSignature) {
            for (; count < SignatureLine; ++count)
                surface.endLine();
        }
        surface.write(Rule);
    } else {
        surface.endLine();
    }

    const std::optional<QString> owner = inputs.ownerName ? inputs.ownerName() : std::nullopt;
    if (!owner)
        return false;
    if (!print)
        surface.write(Rule);

    const QString from = QStringLiteral("FROM: ") + *owner;
    surface.writeAt(fromLineColumn(from), from);
    if (print)
        surface.endLine();
    surface.write(print ? QStringLiteral("REC'D BY:_____________________________________")
                        : QStringLiteral("REC'D BY:"),
                  Then::Continue);
    surface.writeAt(65, print ? QStringLiteral("DATE:_________") : QStringLiteral("DATE:"));
    surface.write(Rule);
    if (fields.commentShown)
        writeCentred(surface, fields.comment);
    return true;
}
