#include "common/module_values.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_box.h"
#include "input/frm_delivery.h"
#include "input/part_rows.h"
#include "main_window_fixture.h"
#include "support/test_files.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>

namespace {

// The main window loaded without a job, and three parts set up as a job
// selection leaves them, with part 1 on screen.
class PartsWindowTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        pointAtDataFolder();
        writeDatabase({ordersTable(), clientTable({}), addressesTable(), jobLogTable({})});
        ASSERT_TRUE(load());
    }

    void setUpThreeParts(int partShown = 1)
    {
        JobLoaded = FlagTrue;
        window().lstKeep.clear();
        for (const QString& row : ThreeParts)
            window().lstKeep.add(row);
        window().Label4->setText(QStringLiteral("Description: (Part %1 of 3)").arg(partShown));
        const auto fields = part_rows::split(ThreeParts[partShown - 1]);
        window().txtQty->setText(fields.quantity);
        window().txtBO->setText(fields.backOrdered);
        window().txtDes->setText(fields.description);
        window().HScroll1->setValue(partShown);
    }

    // Moves the focus away from the box, as clicking elsewhere does.
    static void leave(EventTextBox* box)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(box, &out);
    }

    // Types into whatever holds the focus, as the keyboard would.
    static void type(Qt::Key key, const QString& text)
    {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(focus, &press);
    }
    static void typeText(const QString& text)
    {
        for (const QChar c : text)
            type(Qt::Key_unknown, QString(c));
    }
    static void pressEnter() { type(Qt::Key_Return, QStringLiteral("\r")); }

    static QRgb partColour(int part) { return qRgb(20 * part, 200 - 10 * part, 90); }

    // A plain bitmap of the part's own colour in the settings folder.
    void writeBitmap(int part)
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(partColour(part));
        ASSERT_TRUE(image.save(m_settings.filePath(QStringLiteral("%1.bmp").arg(part)), "BMP"));
    }

    QRgb pictureColour() { return window().picParts->pixmap().toImage().pixel(4, 4); }
    QStringList rows() { return window().lstKeep.items(); }

    const QStringList ThreeParts = {"500\t0\tLetterhead", "1000\t0\tEnvelopes #10",
                                    "2000\t100\tBusiness cards"};
};

using PartWriteBackTest = PartsWindowTest;
using PartPagingTest = PartsWindowTest;
using ItemFieldKeysTest = PartsWindowTest;

// Leaving a box writes it into its own column of the shown part's row; a
// description holding a TAB is the rest of the row. Without a job the
// quantity becomes part 1 of 1; a part beyond the list gets empty rows.
TEST_F(PartWriteBackTest, EachBoxReplacesOnlyItsOwnPartOfTheShownRow)
{
    setUpThreeParts(2);
    const std::tuple<EventTextBox*, const char*, const char*> edits[] = {
        {window().txtQty, "750", "750\t0\tEnvelopes #10"},
        {window().txtBO, "25", "750\t25\tEnvelopes #10"},
        {window().txtDes, "Folded\tscored", "750\t25\tFolded\tscored"},
        {window().txtBO, "7", "750\t7\tFolded\tscored"}};
    for (const auto& [box, text, row] : edits) {
        box->setText(text);
        leave(box);
        EXPECT_EQ(rows(), QStringList({ThreeParts[0], row, ThreeParts[2]}));
    }
    EXPECT_EQ(window().Label4->text(), "Description: (Part 2 of 3)");
    window().HScroll1->setValue(1);
    window().HScroll1->setValue(2);
    EXPECT_EQ(window().txtDes->text(), "Folded\tscored");
}

TEST_F(PartWriteBackTest, WithoutAJobOrBeyondTheListRowsAreMadeUpToThePart)
{
    window().txtQty->setText("250");
    leave(window().txtQty);
    EXPECT_EQ(window().Label4->text(), "Description: (Part 1 of 1)");
    EXPECT_EQ(rows(), QStringList({"250\t0\t"}));

    window().Label4->setText("Description: (Part 3 of 3)");
    window().txtDes->setText("Cards");
    leave(window().txtDes);
    EXPECT_EQ(rows(), QStringList({"250\t0\t", "\t\t", "\t\tCards"}));
    window().Label4->setText("Description: (Part 5 of 5)");
    window().txtQty->setText("40");
    leave(window().txtQty);
    EXPECT_EQ(rows(), QStringList({"250\t0\t", "\t\t", "\t\tCards", "\t\t", "40\t\t"}));
    EXPECT_EQ(m_platform.beeps, 0);
}

// Past the last part the scroll bar beeps and steps back one part per beep.
TEST_F(PartPagingTest, PagingShowsTheChosenPartOrBeepsBackToTheLast)
{
    for (int part = 1; part <= 3; ++part)
        writeBitmap(part);
    const struct
    {
        int from, to, beeps, shown;
    } cases[] = {{1, 2, 0, 2}, {2, 1, 0, 1}, {3, 4, 1, 3}, {1, 9, 6, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to);
        setUpThreeParts(c.from);
        m_platform.beeps = 0;
        window().HScroll1->setValue(c.to);
        EXPECT_EQ(m_platform.beeps, c.beeps);
        EXPECT_EQ(window().HScroll1->value(), c.shown);
        EXPECT_EQ(window().Label4->text(),
                  QStringLiteral("Description: (Part %1 of 3)").arg(c.shown));
        EXPECT_EQ(window().txtQty->text() + '\t' + window().txtBO->text() + '\t' +
                      window().txtDes->text(),
                  ThreeParts[c.shown - 1]);
        EXPECT_EQ(pictureColour(), partColour(c.shown));
        EXPECT_EQ(rows(), ThreeParts);
    }
}

TEST_F(PartPagingTest, PagingWritesOnlyTheQuantityBack)
{
    setUpThreeParts();
    window().txtQty->setText("600");
    window().txtBO->setText("99");
    window().HScroll1->setValue(2);
    EXPECT_EQ(rows(), QStringList({"600\t0\tLetterhead", ThreeParts[1], ThreeParts[2]}));
}

TEST_F(PartPagingTest, AMissingOrUnreadableBitmapLeavesThePictureEmpty)
{
    writeBitmap(2);
    writeFileContents(m_settings.filePath("3.bmp"), "not a bitmap");
    setUpThreeParts();
    window().HScroll1->setValue(2);
    ASSERT_FALSE(window().picParts->pixmap().isNull());

    window().HScroll1->setValue(3);
    EXPECT_TRUE(window().picParts->pixmap().isNull());
    EXPECT_EQ(window().txtQty->text(), "2000");
    EXPECT_EQ(window().Label4->text(), "Description: (Part 3 of 3)");

    window().HScroll1->setValue(1); // no 1.bmp at all
    EXPECT_TRUE(window().picParts->pixmap().isNull());
    EXPECT_EQ(window().txtQty->text(), "500");
}

TEST_F(PartPagingTest, WithNoJobLoadedTheScrollBarOnlyMoves)
{
    writeBitmap(2);
    setUpThreeParts();
    JobLoaded = FlagFalse;
    window().txtQty->setText("600");
    window().HScroll1->setValue(2);
    EXPECT_EQ(window().HScroll1->value(), 2);
    EXPECT_EQ(window().txtQty->text(), "600");
    EXPECT_EQ(window().Label4->text(), "Description: (Part 1 of 3)");
    EXPECT_TRUE(window().picParts->pixmap().isNull());
    EXPECT_EQ(rows(), ThreeParts);
}

TEST_F(ItemFieldKeysTest, EnterMovesThroughTheItemFieldsToTheSoldToBox)
{
    window().show();
    window().activateWindow();
    QApplication::setActiveWindow(&window());
    window().txtPO->setFocus();
    ASSERT_TRUE(window().txtPO->hasFocus());
    int enterHandled = 0;
    QObject::connect(window().txtPO, &QLineEdit::returnPressed, [&] { ++enterHandled; });

    typeText("PO-9");
    EXPECT_TRUE(window().txtPO->hasFocus());
    pressEnter();
    EXPECT_EQ(enterHandled, 1); // the box still saw its Enter
    EXPECT_EQ(window().txtPO->text(), "PO-9");
    EXPECT_TRUE(window().txtQty->hasFocus());

    typeText("42");
    pressEnter();
    EXPECT_TRUE(window().txtBO->hasFocus());
    EXPECT_EQ(rows(), QStringList({"42\t0\t"})); // leaving the box wrote it back

    pressEnter();
    EXPECT_TRUE(window().txtDes->hasFocus());
    pressEnter();
    EXPECT_TRUE(window().cboCust->hasFocus());
}

TEST(PartRowsTest, PartNumberIsTheTwentiethCharacterOfTheShownCaption)
{
    EXPECT_EQ(part_rows::partNumber("Description: (Part 7 of 9)"), 7);
    EXPECT_EQ(part_rows::partNumber("&Description: (Part 4 of 9)"), 4);
    EXPECT_EQ(part_rows::partNumber("Description: (Part x of 9)"), 0);
    EXPECT_EQ(part_rows::partNumber("&Description:"), 0);
    EXPECT_EQ(part_rows::caption(2, 13), "Description: (Part 2 of 13)");
}

TEST(PartRowsTest, RowsLackingTheirTabsKeepTheirText)
{
    EXPECT_EQ(part_rows::withQuantity("abc", "5"), "5abc");
    EXPECT_EQ(part_rows::withDescription("abc", "d"), "d");
    const auto oneTab = part_rows::split("1\t2");
    EXPECT_EQ(QStringList({oneTab.quantity, oneTab.backOrdered, oneTab.description}),
              QStringList({"1", "2", ""}));
    EXPECT_EQ(part_rows::split("abc").quantity, "abc");
}

TEST(PartBitmapsTest, TheProgramFolderHoldsNineDistinctPartPictures)
{
    const QDir folder(QCoreApplication::applicationDirPath());
    if (!folder.exists("1.bmp"))
        GTEST_SKIP() << "the part pictures are made by the default build";
    std::vector<QImage> pictures;
    for (int part = 1; part <= 9; ++part) {
        QImage picture(folder.filePath(QStringLiteral("%1.bmp").arg(part)));
        ASSERT_EQ(picture.size(), QSize(40, 40)) << part;
        for (const QImage& earlier : pictures)
            EXPECT_NE(picture, earlier) << part;
        pictures.push_back(picture);
    }
}

} // namespace
