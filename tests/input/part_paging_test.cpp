#include "input/part_rows.h"
#include "support/main_window_fixture.h"

#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>

namespace {

// The main window loaded without a job, and three parts set up as a job
// selection leaves them.
class PartsWindowTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(loadOn({ordersSchema(), clientSchema(), addressesSchema(), jobLogSchema()}));
    }

    // Part 1 shown: its quantity is all that paging writes back.
    void setUpThreeParts()
    {
        m_session.jobLoaded = true;
        window().draft().partRows.clear();
        for (const QString& row : ThreeParts)
            window().draft().partRows.add(row);
        window().draft().setPartCaption(part_rows::caption(1, 3));
        window().parts().txtQty->setText("500");
    }

    // Moves the focus away from the box, as clicking elsewhere does.
    static void leave(EventTextBox* box)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(box, &out);
    }

    static QRgb partColour(int part) { return qRgb(20 * part, 200 - 10 * part, 90); }

    // A plain bitmap of the part's own colour in the settings folder.
    void writeBitmap(int part)
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(partColour(part));
        ASSERT_TRUE(image.save(m_settings.filePath(QStringLiteral("%1.bmp").arg(part)), "BMP"));
    }

    // The picture's colour; 0 for none.
    QRgb pictureColour()
    {
        const QImage picture = window().parts().picParts->pixmap().toImage();
        return picture.isNull() ? 0 : picture.pixel(4, 4);
    }
    QStringList rows() { return window().draft().partRows.items(); }

    const QStringList ThreeParts = {"500\t0\tLetterhead", "1000\t0\tEnvelopes #10",
                                    "2000\t100\tBusiness cards"};
};

// Leaving a box writes it into its own column of the shown part's row; a
// description holding a TAB is the rest of the row. Paging writes only the
// quantity back.
TEST_F(PartsWindowTest, EachBoxReplacesOnlyItsOwnPartOfTheShownRow)
{
    setUpThreeParts();
    window().parts().HScroll1->setValue(2);
    const std::tuple<EventTextBox*, const char*, const char*> edits[] = {
        {window().parts().txtQty, "750", "750\t0\tEnvelopes #10"},
        {window().parts().txtBO, "25", "750\t25\tEnvelopes #10"},
        {window().parts().txtDes, "Folded\tscored", "750\t25\tFolded\tscored"},
        {window().parts().txtBO, "7", "750\t7\tFolded\tscored"}};
    for (const auto& [box, text, row] : edits) {
        box->setText(text);
        leave(box);
        EXPECT_EQ(rows(), QStringList({ThreeParts[0], row, ThreeParts[2]}));
    }
    window().parts().HScroll1->setValue(1);
    window().parts().HScroll1->setValue(2);
    EXPECT_EQ(window().parts().txtDes->text(), "Folded\tscored");
    window().parts().txtQty->setText("600");
    window().parts().txtBO->setText("99");
    window().parts().HScroll1->setValue(1);
    EXPECT_EQ(rows(), QStringList({ThreeParts[0], "600\t7\tFolded\tscored", ThreeParts[2]}));
}

// Without a job the quantity becomes part 1 of 1, a part beyond the list
// gets empty rows, and the scroll bar only moves.
TEST_F(PartsWindowTest, WithoutAJobRowsAreMadeUpToThePartAndTheScrollBarOnlyMoves)
{
    window().parts().txtQty->setText("250");
    leave(window().parts().txtQty);
    window().parts().HScroll1->setValue(2);
    EXPECT_EQ(window().parts().Label4->text(), "Description: (Part 1 of 1)");
    EXPECT_EQ(rows(), QStringList({"250\t0\t"}));

    window().draft().setPartCaption("Description: (Part 3 of 3)");
    window().parts().txtDes->setText("Cards");
    leave(window().parts().txtDes);
    window().draft().setPartCaption("Description: (Part 5 of 5)");
    window().parts().txtQty->setText("40");
    leave(window().parts().txtQty);
    EXPECT_EQ(rows(), QStringList({"250\t0\t", "\t\t", "\t\tCards", "\t\t", "40\t\t"}));
    EXPECT_EQ(m_platform.beeps, 0);
    EXPECT_TRUE(window().parts().picParts->pixmap().isNull());
}

// The keys page the parts as clicks do: onto a part past the last one
// beeps and steps back one part per beep. An unreadable bitmap leaves the
// picture empty.
TEST_F(PartsWindowTest, KeysOnTheScrollBarPageThePartsBeepingBackFromPastTheLast)
{
    writeBitmap(1);
    writeBitmap(2);
    writeFileContents(m_settings.filePath("3.bmp"), "not a bitmap");
    setUpThreeParts();
    window().show();
    QApplication::setActiveWindow(&window());
    window().parts().HScroll1->setFocus();
    const std::tuple<Qt::Key, int, int> steps[] = {{Qt::Key_Right, 2, 0}, {Qt::Key_PageDown, 3, 0},
                                                   {Qt::Key_Right, 3, 1}, {Qt::Key_PageUp, 2, 1},
                                                   {Qt::Key_Home, 1, 1},  {Qt::Key_End, 3, 7},
                                                   {Qt::Key_Left, 2, 7}};
    for (const auto& [key, part, beeps] : steps) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(window().parts().HScroll1, &press);
        EXPECT_EQ(window().parts().HScroll1->value(), part) << key;
        EXPECT_EQ(m_platform.beeps, beeps) << key;
        EXPECT_EQ(window().parts().Label4->text(), part_rows::caption(part, 3));
        EXPECT_EQ(window().parts().txtQty->text() + '\t' + window().parts().txtBO->text() + '\t' +
                      window().parts().txtDes->text(),
                  ThreeParts[part - 1]);
        EXPECT_EQ(pictureColour(), part < 3 ? partColour(part) : 0) << key;
        EXPECT_EQ(rows(), ThreeParts);
    }
}

TEST(PartRowsTest, PartNumberIsTheTwentiethCharacterAndRowsLackingTabsKeepTheirText)
{
    EXPECT_EQ(part_rows::partNumber("&Description: (Part 4 of 9)"), 4);
    EXPECT_EQ(part_rows::partNumber("Description: (Part x of 9)"), 0);
    EXPECT_EQ(part_rows::partNumber("&Description:"), 0);
    EXPECT_EQ(part_rows::withQuantity("abc", "5"), "5abc");
    EXPECT_EQ(part_rows::withDescription("abc", "d"), "d");
    const auto oneTab = part_rows::split("1\t2");
    EXPECT_EQ(oneTab.quantity + oneTab.backOrdered + "|" + oneTab.description, "12|");
    EXPECT_EQ(part_rows::split("abc").quantity, "abc");
}

TEST(PartBitmapsTest, TheProgramFolderHoldsNineDistinctPartPictures)
{
    const QDir folder(QCoreApplication::applicationDirPath());
    if (!folder.exists("1.bmp"))
        GTEST_SKIP() << "the part pictures are made by the default build";
    std::vector<QImage> pictures;
    for (int part = 1; part <= 9; ++part) {
        const QImage picture(folder.filePath(QStringLiteral("%1.bmp").arg(part)));
        ASSERT_EQ(picture.size(), QSize(40, 40)) << part;
        for (const QImage& earlier : pictures)
            EXPECT_NE(picture, earlier) << part;
        pictures.push_back(picture);
    }
}

} // namespace
