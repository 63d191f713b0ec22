#include "ticket/compose_ticket.h"
#include "ticket/text_grid_surface.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <string>

namespace {

// A text block as written in the source: its first line break is dropped.
std::string block(const char* text)
{
    std::string s(text);
    return s.substr(s.find('\n') + 1);
}

std::string joined(const QStringList& lines)
{
    return (lines.join(u'\n') + u'\n').toStdString();
}

DeliveryHeader fullHeader()
{
    DeliveryHeader header;
    const char* texts[] = {"==============================",
                           "HARBOR LANE PRINTING",
                           "------------------------------",
                           "1200 Harbor Lane",
                           "Portsmouth, NH 03801",
                           "Phone (603) 555-0142",
                           "Fax (603) 555-0143",
                           "    ",
                           "*  *  *  D E L I V E R Y   R E C E I P T  *  *  *",
                           "1",
                           "orders@harborlane.example"};
    for (int slot = 1; slot <= DeliveryHeader::SlotCount; ++slot)
        header.slot(slot) = QString::fromLatin1(texts[slot - 1]);
    return header;
}

TicketInputs fullInputs()
{
    TicketInputs inputs;
    inputs.header = fullHeader();
    inputs.topMargin = 2;
    TicketFields& f = inputs.fields;
    f.soldTo = splitAddress("Bayside Foods\r\n40 Wharf St\r\n\r\nSuite 2\r\nSalem, MA 01970\r\n");
    f.shipTo = splitAddress("Bayside Warehouse\r\n9 Dock Rd\r\n\r\nSalem, MA 01970\r\n");
    f.jobNumbers = true;
    f.jobCaption = "Order No: 00012345";
    f.quoteCaption = "Quote No: 00000077";
    f.purchaseOrder = "PO-5521";
    f.phone = "978-555-0100";
    f.date = "12/07/26";
    f.partRows = {"500\t0\tTri-fold brochures, 100# gloss text, four colour both sides, "
                  "folded and boxed in 250s",
                  "1000\t250\tEnvelopes #10", "25\t0\tPosters"};
    f.partShown = 1;
    f.partCount = 3;
    f.commentShown = true;
    f.comment = "Thank you for your business";
    inputs.ownerName = [] { return std::optional<QString>("Harbor Lane Printing"); };
    return inputs;
}

struct Composed
{
    TextGridSurface grid;
    bool complete = false;
};

std::unique_ptr<Composed> compose(const TicketInputs& inputs, TicketVariant variant)
{
    auto composed = std::make_unique<Composed>();
    composed->complete = composeTicket(inputs, variant, composed->grid);
    return composed;
}

// The index of the first line matching `pattern` anywhere; -1 when none.
qsizetype lineMatching(const QStringList& lines, const char* pattern)
{
    const QRegularExpression re(QString::fromLatin1(pattern));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (re.match(lines[i]).hasMatch())
            return i;
    }
    return -1;
}

QStringList linesOf(const TicketInputs& inputs, TicketVariant variant)
{
    return compose(inputs, variant)->grid.texts();
}

// The lines of a ticket from its SOLD TO row on.
QStringList bodyOf(const TicketInputs& inputs, TicketVariant variant)
{
    const QStringList lines = linesOf(inputs, variant);
    return lines.mid(lineMatching(lines, "^SOLD TO:"));
}

TicketInputs onePart(const QString& row)
{
    TicketInputs inputs = fullInputs();
    inputs.fields.partRows = {row};
    inputs.fields.partCount = 1;
    return inputs;
}

// The item lines: those between the table's closing rule and the next rule
// or blank line.
QStringList itemLines(const TicketInputs& inputs, TicketVariant variant = TicketVariant::Preview)
{
    const QStringList lines = linesOf(inputs, variant);
    const qsizetype first = lineMatching(lines, "^   QN") + 2;
    qsizetype end = first;
    while (end < lines.size() && !lines[end].isEmpty() && !lines[end].startsWith(u'-'))
        ++end;
    return lines.mid(first, end - first);
}

TEST(ComposeTicket, PreviewOfTheFullTicket)
{
    const auto ticket = compose(fullInputs(), TicketVariant::Preview);
    EXPECT_TRUE(ticket->complete);
    EXPECT_EQ(joined(ticket->grid.texts()), block(R"(
                        ==============================
                             HARBOR LANE PRINTING
                        ------------------------------
                               1200 Harbor Lane
                             Portsmouth, NH 03801
                             Phone (603) 555-0142
                              Fax (603) 555-0143
                          orders@harborlane.example

              *  *  *  D E L I V E R Y   R E C E I P T  *  *  *

SOLD TO:                               SHIP TO:
  Bayside Foods                          Bayside Warehouse
  40 Wharf St                            9 Dock Rd
  Suite 2                                Salem, MA 01970
  Salem, MA 01970

Job: 00012345  Quote: 00000077         P.O.: PO-5521
PHONE: 978-555-0100                    DATE: 12/07/26

-------------------------------------------------------------------------------
   QN   | BK-OR | DESCRIPTION
-------------------------------------------------------------------------------
500      0        Tri-fold brochures, 100# gloss text, four colour both
                  sides, folded and boxed in 250s
1000     250      Envelopes #10
25       0        Posters

-------------------------------------------------------------------------------
                          FROM: Harbor Lane Printing
REC'D BY:                                                       DATE:
-------------------------------------------------------------------------------
                         Thank you for your business
)"));
    EXPECT_EQ(joined(ticket->grid.boldTexts()), block(R"(









              *  *  *  D E L I V E R Y   R E C E I P T  *  *  *

SOLD TO:                               SHIP TO:





Job:           Quote:                  P.O.:
PHONE:                                 DATE:

-------------------------------------------------------------------------------
   QN   | BK-OR | DESCRIPTION
-------------------------------------------------------------------------------










)"));
}

TEST(ComposeTicket, PrintOfTheSameTicket)
{
    const auto ticket = compose(fullInputs(), TicketVariant::Print);
    EXPECT_TRUE(ticket->complete);
    EXPECT_EQ(joined(ticket->grid.texts()), block(R"(


                        ==============================
                             HARBOR LANE PRINTING
                        ------------------------------
                               1200 Harbor Lane
                             Portsmouth, NH 03801
                             Phone (603) 555-0142
                              Fax (603) 555-0143
                          orders@harborlane.example

              *  *  *  D E L I V E R Y   R E C E I P T  *  *  *

SOLD TO:                               SHIP TO:
 Bayside Foods                           Bayside Warehouse
 40 Wharf St                             9 Dock Rd
 Suite 2                                 Salem, MA 01970
 Salem, MA 01970

Job: 00012345  Quote: 00000077         P.O.: PO-5521
PHONE: 978-555-0100                    DATE: 12/07/26

-------------------------------------------------------------------------------
   QN   | BK-OR | DESCRIPTION
-------------------------------------------------------------------------------
500      0        Tri-fold brochures, 100# gloss text, four colour both
                  sides, folded and boxed in 250s
1000     250      Envelopes #10
25       0        Posters
-------------------------------------------------------------------------------
                          FROM: Harbor Lane Printing

REC'D BY:_____________________________________                  DATE:_________
-------------------------------------------------------------------------------
                         Thank you for your business
)"));
    EXPECT_EQ(joined(ticket->grid.boldTexts()), block(R"(











              *  *  *  D E L I V E R Y   R E C E I P T  *  *  *

SOLD TO:                               SHIP TO:





Job:           Quote:                  P.O.:
PHONE:                                 DATE:


   QN   | BK-OR | DESCRIPTION











)"));
}

TEST(ComposeTicket, LineSpacesAfterTheHeadline)
{
    struct Case
    {
        const char* slot;
        int preview;
        int print;
    };
    for (const Case& c : {Case{"0", 0, 2}, Case{"", 0, 2}, Case{"x", 0, 2}, Case{"99999", 0, 2},
                          Case{"3", 3, 3}, Case{"2.5", 2, 2}, Case{"-1", 0, 0}}) {
        TicketInputs inputs = fullInputs();
        inputs.topMargin = 0;
        inputs.header.slot(DeliveryHeader::LineSpacesSlot) = c.slot;
        for (const auto& [variant, expected] : {std::pair{TicketVariant::Preview, c.preview},
                                                std::pair{TicketVariant::Print, c.print}}) {
            const QStringList lines = linesOf(inputs, variant);
            const qsizetype headline = lineMatching(lines, "D E L I V E R Y");
            EXPECT_EQ(lineMatching(lines, "^SOLD TO:") - headline - 1, expected)
                << "Line Spaces \"" << c.slot << "\", print " << (variant == TicketVariant::Print);
        }
    }
}

TEST(ComposeTicket, CentringRules)
{
    struct Case
    {
        int length;
        int centred;
        int fromLine;
    };
    for (const Case& c : {Case{80, 0, 0}, Case{79, 0, 1}, Case{78, 1, 1}, Case{3, 38, 39},
                          Case{4, 38, 38}, Case{0, 40, 40}, Case{90, -5, -5}}) {
        const QString text(c.length, u'x');
        EXPECT_EQ(centredColumn(text), c.centred) << c.length;
        EXPECT_EQ(fromLineColumn(text), c.fromLine) << c.length;
    }
    TicketInputs inputs = fullInputs();
    inputs.header.slot(1) = QString(80, u'#');
    inputs.header.slot(2) = QString(79, u'=');
    const QStringList lines = linesOf(inputs, TicketVariant::Preview);
    EXPECT_EQ(lines[0], QString(80, u'#'));
    EXPECT_EQ(lines[1], QString(79, u'='));
}

TEST(ComposeTicket, AddressSplitting)
{
    struct Case
    {
        const char* text;
        QStringList lines;
    };
    const Case cases[] = {
        {"NAME\r\nSTREET\r\nCITY\r\n", {"NAME", "STREET", "CITY"}},
        {"A\r\n\r\nB", {"A", "B"}},
        {"A\r\n\r\n", {"A", ""}},
        {"", {""}},
        {"One line", {"One line"}},
        {"A\rB\nC\n\rD", {"A", "B", "C", "D"}},
        {"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitAddress(c.text), c.lines) << c.text;
}

TEST(ComposeTicket, AddressRowsShowFiveLinesAtTheirColumns)
{
    TicketInputs inputs = fullInputs();
    inputs.fields.soldTo = splitAddress("S1\r\nS2\r\nS3\r\nS4\r\nS5\r\nS6\r\nS7");
    inputs.fields.shipTo = splitAddress("Only");
    const QStringList rows = bodyOf(inputs, TicketVariant::Preview).mid(1, 6);
    EXPECT_EQ(rows, (QStringList{"  S1" + QString(37, u' ') + "Only", "  S2", "  S3", "  S4",
                                 "  S5", "Job: 00012345  Quote: 00000077         P.O.: PO-5521"}));
    EXPECT_EQ(bodyOf(inputs, TicketVariant::Print)[5], " S5");

    // A sold-to line reaching the ship-to column pushes the ship-to line down.
    inputs.fields.soldTo = {QString(40, u's')};
    const QStringList pushed = bodyOf(inputs, TicketVariant::Preview);
    EXPECT_EQ(pushed[1], "  " + QString(40, u's'));
    EXPECT_EQ(pushed[2], QString(41, u' ') + "Only");
}

TEST(ComposeTicket, DescriptionWrapping)
{
    const QString sixty = QString(55, u'a') + " bcd.";
    const QString words61 = QString(30, u'a') + u' ' + QString(30, u'b');
    const QString solid61(61, u'x');
    struct Case
    {
        QString description;
        QStringList lines;
    };
    const Case cases[] = {
        {sixty, {sixty}},
        {words61, {QString(30, u'a') + u' ', QString(30, u'b')}},
        {solid61, {QString(60, u'x'), "x"}},
        {QString(59, u'y') + " z" + QString(60, u'w') + " end",
         {QString(59, u'y') + u' ', "z" + QString(60, u'w').left(59), QString(1, u'w') + " end"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrapDescription(c.description), c.lines) << c.description.toStdString();

    EXPECT_EQ(itemLines(onePart("1\t0\t" + words61)),
              (QStringList{"1        0        " + QString(30, u'a'),
                           QString(18, u' ') + QString(30, u'b')}));
}

TEST(ComposeTicket, ItemRowsAndTheTabRule)
{
    TicketInputs inputs = fullInputs();
    inputs.fields.partRows = {"5\t0\t", "7\t1\tX", "1234567890\t2\tY", "123456789\t3\tZ"};
    inputs.fields.partCount = 4;
    EXPECT_EQ(itemLines(inputs), (QStringList{"5        07", "         1        X", "1234567890",
                                              "         2        Y", "1234567893        Z"}));
}

TEST(ComposeTicket, OnlyThePartShown)
{
    TicketInputs inputs = fullInputs();
    inputs.fields.partRows = {"1\t0\tOne", "2\t0\tTwo", "3\t0\tThree", "4\t0\tFour", "5\t0\tFive"};
    inputs.fields.partCount = 5;
    inputs.fields.partShown = 3;
    inputs.fields.onlyPartShown = true;
    EXPECT_EQ(itemLines(inputs), QStringList{"3        0        Three"});

    inputs.fields.partCount = 0; // the label names no part
    inputs.fields.onlyPartShown = false;
    EXPECT_EQ(itemLines(inputs), QStringList{});
    inputs.fields.partCount = 7; // parts the rows do not hold are left out
    EXPECT_EQ(itemLines(inputs).size(), 5);
}

TEST(ComposeTicket, DropSignatureSectionFillsToLineFifty)
{
    // Line count before the drop: 9 + 2 line spaces + top margin + 12 + one
    // description line = 24 + top margin.
    struct Case
    {
        int topMargin;
        int blankLines;
    };
    for (const Case& c : {Case{6, 20}, Case{25, 1}, Case{26, 0}, Case{30, 0}}) {
        TicketInputs inputs = onePart("1\t0\tOne");
        inputs.header.slot(DeliveryHeader::LineSpacesSlot) = "2";
        inputs.topMargin = static_cast<std::int16_t>(c.topMargin);
        inputs.dropSignature = true;
        const QStringList lines = linesOf(inputs, TicketVariant::Print);
        const qsizetype item = lines.indexOf("1        0        One");
        EXPECT_EQ(lineMatching(lines, "^FROM:|^ +FROM:") - item - 2, c.blankLines) << c.topMargin;
    }
}

TEST(ComposeTicket, WithoutTheOwnersNameTheTicketEndsAfterTheItems)
{
    TicketInputs inputs = onePart("1\t0\tOne");
    TextGridSurface* grid = nullptr;
    QStringList seenWhenRead;
    inputs.ownerName = [&] {
        seenWhenRead = grid->texts();
        return std::optional<QString>();
    };
    for (const auto& [variant, tail] :
         {std::pair{TicketVariant::Preview, QStringList{"1        0        One", ""}},
          std::pair{TicketVariant::Print,
                    QStringList{"1        0        One", QString(79, u'-')}}}) {
        Composed composed;
        grid = &composed.grid;
        EXPECT_FALSE(composeTicket(inputs, variant, composed.grid));
        const QStringList lines = composed.grid.texts();
        EXPECT_EQ(lines.mid(lines.size() - 2), tail);
        EXPECT_EQ(seenWhenRead, lines) << "the owner's file is read after the item table";
    }
}
} // namespace
