// The rules of the ticket being edited, without a window or a database.

#include "input/ticket_draft.h"
#include "ticket/draft_fields.h"

#include "common/short_date.h"

#include <gtest/gtest.h>

namespace {

using Field = TicketDraft::PartField;

QStringList rowsOf(const TicketDraft& draft)
{
    return draft.partRows.items();
}

// Each write-back replaces its own column of the row of the part the
// caption names, whatever the row held; a caption naming no part becomes
// part 1 of 1, and a part past the rows gets empty rows up to it.
TEST(TicketDraftTest, WriteBackFillsTheNamedPartsRowMakingRowsUpToIt)
{
    struct Step
    {
        const char* caption; // nullptr: left as it is
        Field field;
        const char* text;
        QStringList rows;
        const char* captionAfter;
        bool relabelled;
    };
    const Step steps[] = {
        {nullptr, Field::Quantity, "250", {"250\t\t"}, "Description: (Part 1 of 1)", true},
        {"Description: (Part 3 of 3)",
         Field::Description,
         "Cards\twith tab",
         {"250\t\t", "\t\t", "\t\tCards\twith tab"},
         "Description: (Part 3 of 3)",
         false},
        {nullptr,
         Field::BackOrdered,
         "7",
         {"250\t\t", "\t\t", "\t7\tCards\twith tab"},
         "Description: (Part 3 of 3)",
         false},
        {"Description: (Part 1 of 3)",
         Field::Quantity,
         "",
         {"\t\t", "\t\t", "\t7\tCards\twith tab"},
         "Description: (Part 1 of 3)",
         false},
    };
    TicketDraft draft;
    QStringList announced;
    QObject::connect(&draft, &TicketDraft::partCaptionChanged,
                     [&](const QString& caption) { announced.append(caption); });
    for (const Step& step : steps) {
        if (step.caption != nullptr)
            draft.setPartCaption(step.caption);
        announced.clear();
        draft.writeBack(step.field, step.text);
        EXPECT_EQ(rowsOf(draft), step.rows) << step.text;
        EXPECT_EQ(draft.partCaption(), step.captionAfter) << step.text;
        EXPECT_EQ(announced.size(), step.relabelled ? 1 : 0) << step.text;
    }
}

// Paging finds a part's fields only where its row holds something.
TEST(TicketDraftTest, APartWithoutARowOrWithAnEmptyOneHasNoFields)
{
    TicketDraft draft;
    draft.partRows.add("500\t0\tLetterhead");
    draft.partRows.add(QString());
    draft.partRows.add("abc");
    EXPECT_FALSE(draft.partFields(0));
    EXPECT_FALSE(draft.partFields(2));
    EXPECT_FALSE(draft.partFields(4));
    const auto first = draft.partFields(1);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->quantity + '|' + first->backOrdered + '|' + first->description,
              "500|0|Letterhead");
    EXPECT_EQ(draft.partFields(3)->quantity, "abc");
}

TEST(TicketDraftTest, TheCaptionNamesThePartShownAndTheCount)
{
    const std::tuple<const char*, int, int> captions[] = {
        {"Description:", 0, 0},
        {"Description: (Part 2 of 3)", 2, 3},
        {"&Description: (Part 4 of 9)", 4, 9},
        {"Description: (Part x of 9)", 0, 0},
        {"Description: (Part 1 of)", 1, 0},
    };
    TicketDraft draft;
    for (const auto& [caption, shown, count] : captions) {
        draft.setPartCaption(caption);
        EXPECT_EQ(draft.partShown(), shown) << caption;
        EXPECT_EQ(draft.partCount(), count) << caption;
    }
}

// The preview splits both blocks into the lists the print reads, and its
// closing empties them; the ticket reads the draft as it stands.
TEST(TicketDraftTest, TheTicketReadsTheSplitLinesTheCaptionsTheOptionsAndTheDate)
{
    TicketDraft draft;
    draft.soldToText = "Bayside Foods\r\n40 Wharf St\r\n";
    draft.shipToText = "Bayside Warehouse\r\n";
    EXPECT_TRUE(ticketFields(draft).soldTo.isEmpty());
    draft.splitAddresses();
    draft.setJobCaption("Order No: 00012345");
    draft.setQuoteCaption("Quote No: 77");
    draft.setDate(QDate(2030, 1, 2));
    draft.setPartCaption("Description: (Part 2 of 3)");
    draft.purchaseOrder = "PO-9";
    draft.phone = "555-0100";
    draft.jobNumbers = true;
    draft.onlyPartShown = true;
    draft.comment = "Handle with care";

    const TicketFields fields = ticketFields(draft);
    EXPECT_EQ(fields.soldTo, QStringList({"Bayside Foods", "40 Wharf St"}));
    EXPECT_EQ(fields.shipTo, QStringList({"Bayside Warehouse"}));
    EXPECT_EQ(fields.jobCaption + '|' + fields.quoteCaption + '|' + fields.purchaseOrder + '|' +
                  fields.phone + '|' + fields.comment,
              "Order No: 00012345|Quote No: 77|PO-9|555-0100|Handle with care");
    EXPECT_EQ(fields.date, shortDateText(QDate(2030, 1, 2)));
    EXPECT_EQ(fields.partShown * 10 + fields.partCount, 23);
    EXPECT_TRUE(fields.jobNumbers && fields.onlyPartShown && !fields.commentShown);

    draft.clearAddressLines();
    EXPECT_EQ(ticketFields(draft).soldTo.size() + ticketFields(draft).shipTo.size(), 0);
    draft.setDate(QDate());
    EXPECT_EQ(ticketFields(draft).date, QString());
}

} // namespace
