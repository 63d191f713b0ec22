#include "ticket/compose_ticket.h"

#include "input/customer_blocks.h"
#include "ticket/text_grid_surface.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <string>

namespace {

// A text block as written in the source: its first line break is dropped.
std::string block(const char* text)
{
    return std::string(text).substr(1);
}

std::string joined(const QStringList& lines)
{
    return (lines.join(u'\n') + u'\n').toStdString();
}

// Odd lengths tell the two centring rules apart; an 80-column border starts
// at column 1; Line Spaces 0 is none in the preview and two in print.
TicketInputs fullInputs()
{
    TicketInputs inputs;
    const char* header[] = {"================================================================"
                            "================",
                            "HARBOR LANE PRINTING",
                            "1200 Harbor Lane",
                            "Portsmouth, NH 03801",
                            "Phone (603) 555-0142",
                            "Fax (603) 555-0143",
                            "-----",
                            "    ",
                            "* D E L I V E R Y  R E C E I P T *",
                            "0",
                            "orders@harbor.example"};
    for (int slot = 1; slot <= DeliveryHeader::SlotCount; ++slot)
        inputs.header.slot(slot) = QString::fromLatin1(header[slot - 1]);
    inputs.topMargin = 1;
    TicketFields& f = inputs.fields;
    f.soldTo = splitAddress("Bayside Foods\r\n40 Wharf St\r\n\r\nSuite 2\r\nSalem, MA 01970\r\n"
                            "USA\r\nAttn: Receiving\r\n");
    f.shipTo = splitAddress("Bayside Warehouse\r\n9 Dock Rd\r\n");
    f.jobNumbers = true;
    f.jobCaption = "Order No: 00012345";
    f.quoteCaption = "Quote No: 00000077";
    f.purchaseOrder = "PO-5521";
    f.phone = "978-555-0100";
    f.date = "12/07/26";
    f.partRows = {"500\t0\tTri-fold brochures, 100# gloss text, four colour both sides, "
                  "folded and boxed in 250s",
                  "123456789\t250\tEnvelopes #10", "1234567890\t2\tLabels"};
    f.partShown = 1;
    f.partCount = 3;
    f.commentShown = true;
    f.comment = "Thank you for your business";
    inputs.ownerName = [] { return std::optional<QString>("Harbor Lane Press"); };
    return inputs;
}

QStringList linesOf(const TicketInputs& inputs, TicketVariant variant, bool bold = false)
{
    TextGridSurface grid;
    composeTicket(inputs, variant, grid);
    return bold ? grid.boldTexts().filter(QRegularExpression(".")) : grid.texts();
}

TEST(ComposeTicket, PreviewAndPrintOfTheFullTicket)
{
    EXPECT_EQ(joined(linesOf(fullInputs(), TicketVariant::Preview)), block(R"(
================================================================================
                             HARBOR LANE PRINTING
                               1200 Harbor Lane
                             Portsmouth, NH 03801
                             Phone (603) 555-0142
                              Fax (603) 555-0143
                                    -----
                            orders@harbor.example

                      * D E L I V E R Y  R E C E I P T *
SOLD TO:                               SHIP TO:
  Bayside Foods                          Bayside Warehouse
  40 Wharf St                            9 Dock Rd
  Suite 2
  Salem, MA 01970
  USA
Job: 00012345  Quote: 00000077         P.O.: PO-5521
PHONE: 978-555-0100                    DATE: 12/07/26

-------------------------------------------------------------------------------
   QN   | BK-OR | DESCRIPTION
-------------------------------------------------------------------------------
500      0        Tri-fold brochures, 100# gloss text, four colour both
                  sides, folded and boxed in 250s
123456789250      Envelopes #10
1234567890
         2        Labels

-------------------------------------------------------------------------------
                            FROM: Harbor Lane Press
REC'D BY:                                                       DATE:
-------------------------------------------------------------------------------
                         Thank you for your business
)"));
    EXPECT_EQ(joined(linesOf(fullInputs(), TicketVariant::Print)), block(R"(

================================================================================
                             HARBOR LANE PRINTING
                               1200 Harbor Lane
                             Portsmouth, NH 03801
                             Phone (603) 555-0142
                              Fax (603) 555-0143
                                    -----
                            orders@harbor.example

                      * D E L I V E R Y  R E C E I P T *


SOLD TO:                               SHIP TO:
 Bayside Foods                           Bayside Warehouse
 40 Wharf St                             9 Dock Rd
 Suite 2
 Salem, MA 01970
 USA
Job: 00012345  Quote: 00000077         P.O.: PO-5521
PHONE: 978-555-0100                    DATE: 12/07/26

-------------------------------------------------------------------------------
   QN   | BK-OR | DESCRIPTION
-------------------------------------------------------------------------------
500      0        Tri-fold brochures, 100# gloss text, four colour both
                  sides, folded and boxed in 250s
123456789250      Envelopes #10
1234567890
         2        Labels
-------------------------------------------------------------------------------
                            FROM: Harbor Lane Press

REC'D BY:_____________________________________                  DATE:_________
-------------------------------------------------------------------------------
                         Thank you for your business
)"));
    // Bold: the headline, the labels and the column header; in the preview
    // also the rules around the column header.
    QStringList bold = {
        "                      * D E L I V E R Y  R E C E I P T *",
        "SOLD TO:                               SHIP TO:",
        "Job:           Quote:                  P.O.:",
        "PHONE:                                 DATE:", "   QN   | BK-OR | DESCRIPTION"};
    EXPECT_EQ(linesOf(fullInputs(), TicketVariant::Print, true), bold);
    bold.insert(4, QString(79, u'-'));
    bold.insert(6, QString(79, u'-'));
    EXPECT_EQ(linesOf(fullInputs(), TicketVariant::Preview, true), bold);
}

TEST(ComposeTicket, AddressWrapAndPartRules)
{
    // Blank lines vanish but a last one stays; CR, LF and CR LF all break;
    // eleven lines at most.
    EXPECT_EQ(splitAddress("A\r\n\r\n"), (QStringList{"A", ""}));
    EXPECT_EQ(splitAddress("A\rB\nC\n\rD"), (QStringList{"A", "B", "C", "D"}));
    EXPECT_EQ(splitAddress("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12").size(),
              11);

    // 60 characters stay one line; a chunk keeps its closing blank; a chunk
    // without a blank is cut hard.
    const QString sixty = QString(55, u'a') + " bcd.";
    EXPECT_EQ(wrapDescription(sixty), QStringList{sixty});
    EXPECT_EQ(wrapDescription(QString(30, u'a') + u' ' + QString(30, u'b')),
              (QStringList{QString(30, u'a') + u' ', QString(30, u'b')}));
    EXPECT_EQ(wrapDescription(QString(61, u'x')), (QStringList{QString(60, u'x'), "x"}));

    // "Only Print Part No Shown"; no items when the label names no part, or
    // one the rows do not hold.
    TicketInputs inputs = fullInputs();
    inputs.fields.partShown = 2;
    inputs.fields.onlyPartShown = true;
    const QStringList lines = linesOf(inputs, TicketVariant::Preview);
    const qsizetype items = lines.indexOf("   QN   | BK-OR | DESCRIPTION") + 2;
    EXPECT_EQ(lines.mid(items, 2), (QStringList{"123456789250      Envelopes #10", ""}));

    inputs.fields.partShown = inputs.fields.partCount = 4;
    EXPECT_EQ(linesOf(inputs, TicketVariant::Preview)[items], "");
    inputs.fields.partCount = 0;
    EXPECT_EQ(linesOf(inputs, TicketVariant::Preview)[items], "");
}

} // namespace
