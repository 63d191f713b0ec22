#pragma once

// Everything a delivery ticket is composed from, as plain values: the main
// window's fields as they stand, the split address lines and the settings.

#include "settings/delivery_header_file.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

// The ticket is composed twice: on the preview window when it opens, and on
// the printer. The two differ in a handful of lines.
enum class TicketVariant { Preview, Print };

// The main window's values the ticket reads.
struct TicketFields
{
    // The split sold-to and ship-to texts; the first five lines are printed,
    // missing lines are empty.
    QStringList soldTo;
    QStringList shipTo;

    bool jobNumbers = false; // "Job/Quote Numbers"
    QString jobCaption;      // e.g. "Order No: 00012345"
    QString quoteCaption;    // "Quote No: 77", or empty
    QString purchaseOrder;
    QString phone;
    QString date;

    // The part rows (quantity, TAB, back-ordered, TAB, description), the part
    // on screen and the number of parts the description label names (0 when
    // it names none), and "Only Print Part No Shown".
    QStringList partRows;
    int partShown = 0;
    int partCount = 0;
    bool onlyPartShown = false;

    bool commentShown = false; // "Comments Shown"
    QString comment;
};

struct TicketInputs
{
    // The eleven header slots; all empty when the header file holds no data.
    DeliveryHeader header;
    // Print only: blank lines above the header.
    std::int16_t topMargin = 0;
    TicketFields fields;
    // Print only: "Drop Signature Section".
    bool dropSignature = false;
    // The owner's name, read when the composition reaches the FROM block, as
    // the owner's file has always been read at that point; nullopt when the
    // file holds no data.
    std::function<std::optional<QString>()> ownerName;
};
