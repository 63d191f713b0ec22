#include "common/ui/event_check_box.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_block.h"
#include "common/ui/event_text_box.h"
#include "common/ui/window_registry.h"
#include "demodata/order_entry_tables.h"
#include "input/frm_delivery.h"
#include "input/main_window_fixture.h"
#include "orderdb/table_source.h"
#include "printed_pdf.h"
#include "support/test_files.h"
#include "ticket/compose_ticket.h"
#include "ticket/ui/frm_report.h"
#include "ticket/ui/ticket_font.h"
#include "ticket/ui/ticket_page.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>

namespace {

const QByteArray Header = "==============================\r\n"
                          "HARBOR LANE PRINTING\r\n"
                          "------------------------------\r\n"
                          "1200 Harbor Lane\r\n"
                          "Portsmouth, NH 03801\r\n"
                          "Phone (603) 555-0142\r\n"
                          "Fax (603) 555-0143\r\n"
                          "    \r\n"
                          "DELIVERY RECEIPT\r\n"
                          "2\r\n"
                          "\r\n";

QByteArray ownerRecord(const QByteArray& name)
{
    return name.leftJustified(125, ' ');
}

QString trimmedRight(QString text)
{
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

class TicketWindowTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        pointAtDataFolder();
        writeDatabase({ordersTable(), clientTable({}), addressesTable(), jobLogTable({})});
        ASSERT_TRUE(load());
        FrmDelivery& w = window();
        w.txtCust->setText("Bayside Foods\r\n40 Wharf St\r\nSalem, MA 01970\r\n");
        w.txtShip->setText("Bayside Warehouse\r\n9 Dock Rd\r\n");
        w.chkJob->setValue(1);
        w.txtJob->setText("Order No: 00012345");
        w.txtQuote->clear();
        w.txtPO->setText("PO-5521");
        w.txtPhone->setText("978-555-0100");
        w.lblDate->setText("12/07/26");
        w.lstKeep.clear();
        w.lstKeep.add("500\t0\tTri-fold brochures");
        w.lstKeep.add("1000\t250\tEnvelopes");
        w.Label4->setText("Description: (Part 1 of 2)");
        w.chkComment->setValue(0);
        writeSetting("DELVHEAD.DAT", Header);
        writeSetting("OwnsAct.DAT", ownerRecord("  Harbor Lane Printing"));
        m_platform.printToFile = m_settings.filePath("ticket.pdf");
    }

    void TearDown() override
    {
        delete m_report.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FrmReport& open()
    {
        m_report = new FrmReport(window());
        return *m_report;
    }

    QStringList previewLines() const
    {
        QStringList texts;
        for (const auto& line : m_report->picTicket->lines())
            texts.append(trimmedRight(line.text));
        return texts;
    }

    // Prints and lets the window's deferred deletion happen.
    void print()
    {
        m_report->cmdPrint_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString pdf() const { return m_platform.printToFile; }

    QPointer<FrmReport> m_report;
};

TEST_F(TicketWindowTest, OpeningReadsTheSignatureOptionAndStoresChanges)
{
    open();
    EXPECT_EQ(m_report->Check1->value(), 0);
    EXPECT_EQ(setting("SigSec.Dat"), " 0 \r\n");
    m_report->Check1->setValue(1);
    EXPECT_EQ(setting("SigSec.Dat"), " 1 \r\n");
    delete m_report.data();

    writeSetting("SigSec.Dat", " 1 ");
    open();
    EXPECT_EQ(m_report->Check1->value(), 1);
    EXPECT_EQ(setting("SigSec.Dat"), " 1 ") << "an unchanged box writes nothing";
    EXPECT_EQ(m_report->windowTitle(), "Delivery Ticket");
    EXPECT_EQ(m_report->Command1->text(), "Print Ticket");
}

TEST_F(TicketWindowTest, PreviewShowsTheTicketAndFillsTheAddressLists)
{
    open();
    const QStringList lines = previewLines();
    ASSERT_GE(lines.size(), 30);
    EXPECT_EQ(lines[0], QString(24, u' ') + "==============================");
    EXPECT_EQ(lines[8], QString(31, u' ') + "DELIVERY RECEIPT");
    EXPECT_EQ(lines.mid(9, 2), QStringList(2, QString())) << "Line Spaces 2";
    EXPECT_EQ(lines[11], "SOLD TO:                               SHIP TO:");
    EXPECT_EQ(lines[12], "  Bayside Foods                          Bayside Warehouse");
    EXPECT_EQ(lines[23], "500      0        Tri-fold brochures");
    EXPECT_TRUE(lines.contains("                          FROM: Harbor Lane Printing"));
    EXPECT_EQ(window().lstCust.items(),
              (QStringList{"Bayside Foods", "40 Wharf St", "Salem, MA 01970"}));
    EXPECT_EQ(window().lstShip.items(), (QStringList{"Bayside Warehouse", "9 Dock Rd"}));
    EXPECT_EQ(m_report->CustLines, window().lstCust.items());

    m_report->close();
    EXPECT_EQ(window().lstCust.count(), 0);
    EXPECT_EQ(window().lstShip.count(), 0);
}

TEST_F(TicketWindowTest, PreviewWithoutHeaderOrOwnerFile)
{
    QFile::remove(m_settings.filePath("DELVHEAD.DAT"));
    writeSetting("OwnsAct.DAT", "");
    open();
    const QStringList lines = previewLines();
    EXPECT_EQ(lines.mid(0, 10), QStringList(9, QString()) + QStringList{lines[9]});
    EXPECT_TRUE(lines[9].startsWith("SOLD TO:"));
    EXPECT_EQ(lines.mid(lines.size() - 2), (QStringList{"1000     250      Envelopes", ""}));
    EXPECT_EQ(setting("DELVHEAD.DAT"), "") << "left behind empty";
}

TEST_F(TicketWindowTest, DisplayingAgainOnlyBringsTheOpenWindowToTheFront)
{
    windows::registerWindow(windows::names::frmReport, [this] { return new FrmReport(window()); });
    auto* first = windows::show<FrmReport>(windows::names::frmReport);
    ASSERT_NE(first, nullptr);
    m_report = first;
    const QStringList before = previewLines();
    window().txtPO->setText("CHANGED");
    window().txtCust->setText("Someone Else");
    EXPECT_EQ(windows::show<FrmReport>(windows::names::frmReport), first);
    EXPECT_EQ(previewLines(), before);
    EXPECT_EQ(window().lstCust.item(0), "Bayside Foods");
}

TEST_F(TicketWindowTest, PreviewIsAPageThatRedrawsAndScrolls)
{
    open().resize(700, 400);
    m_report->show();
    TicketPage& page = *m_report->picTicket;
    EXPECT_GT(page.height(), m_report->picFrame->viewport()->height());
    EXPECT_GT(m_report->picFrame->verticalScrollBar()->maximum(), 0);
    m_report->resize(900, 500); // redrawn from what it keeps, not composed again

    // SOLD TO: at column 1 and SHIP TO: at column 40 of line 10, with the
    // font's exact pitch: the first inked pixel of each word.
    const QImage image = page.grab().toImage();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
    const double top = page.origin().y() + 11 * page.lineHeight(); // the SOLD TO row
    const int y0 = static_cast<int>(top), y1 = static_cast<int>(top + page.lineHeight());
    auto firstInk = [&](double from) {
        for (int x = static_cast<int>(from); x < image.width(); ++x) {
            for (int y = y0; y < y1; ++y) {
                if (qGray(image.pixel(x, y)) < 128)
                    return x;
            }
        }
        return -1;
    };
    const int sold = firstInk(page.origin().x());
    const int ship = firstInk(page.origin().x() + 30 * page.pitch());
    ASSERT_GE(sold, 0);
    EXPECT_NEAR(ship - sold, 39 * page.pitch(), 1.0);
}

TEST(TicketFont, IsFixedPitchAtTheAskedSize)
{
    for (const int size : {10, 12}) {
        const QFontInfo font(ticketFont(size));
        EXPECT_TRUE(font.fixedPitch()) << font.family().toStdString();
        EXPECT_EQ(font.pointSize(), size);
    }
    // A face that is not fixed-pitch gives way to the system's fixed font,
    // and the program says so once.
    testing::internal::CaptureStderr();
    const QFontInfo first(ticketFont(12, "Liberation Sans"));
    const QFontInfo second(ticketFont(10, "Liberation Sans"));
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(first.fixedPitch() && second.fixedPitch()) << first.family().toStdString();
    EXPECT_EQ(first.pointSize(), 12);
    EXPECT_NE(told.find("not fixed-pitch"), std::string::npos);
    EXPECT_EQ(told.find("not fixed-pitch"), told.rfind("not fixed-pitch"));
}

// Words of the printed PDF by text; the first one of each.
const PdfWord* word(const QList<PdfWord>& words, const QString& text)
{
    for (const PdfWord& w : words) {
        if (w.text == text)
            return &w;
    }
    ADD_FAILURE() << "not printed: " << text.toStdString();
    return nullptr;
}

TEST_F(TicketWindowTest, PrintsToPdfAtTheColumnsAndLinesOfTheTicket)
{
    writeSetting("BID.FYL", "3\r\n66\r\n\r\n\r\n\r\n");
    open();
    print();
    EXPECT_TRUE(m_report.isNull()) << "a complete print closes the preview";
    EXPECT_EQ(window().lstCust.count(), 0);

    const QList<PdfWord> words = pdfWords(pdf());
    const PdfWord* sold = word(words, "SOLD");
    ASSERT_NE(sold, nullptr);
    // Courier New 12 point: 7.2 points a column.
    const double pitch = (sold->xMax - sold->xMin) / 4;
    EXPECT_NEAR(pitch, 7.2, 0.05);
    const PdfWord* ship = word(words, "SHIP");
    const PdfWord* po = word(words, "P.O.:");
    ASSERT_TRUE(ship && po);
    const double lineHeight = (po->yMin - ship->yMin) / 6; // the job row is 6 lines below
    struct Expected
    {
        const char* text;
        int column;
        int line; // from the SOLD TO row
    };
    for (const Expected& e :
         {Expected{"SHIP", 40, 0}, Expected{"Bayside", 2, 1}, Expected{"Warehouse", 50, 1},
          Expected{"Job:", 1, 6}, Expected{"00012345", 6, 6}, Expected{"P.O.:", 40, 6},
          Expected{"BK-OR", 11, 10}, Expected{"DESCRIPTION", 19, 10}, Expected{"Tri-fold", 19, 12},
          Expected{"250", 10, 13}, Expected{"FROM:", 27, 15}, Expected{"DATE:_________", 65, 17}}) {
        const PdfWord* w = word(words, e.text);
        if (w == nullptr)
            continue;
        EXPECT_NEAR((w->xMin - sold->xMin) / pitch + 1, e.column, 0.02) << e.text;
        EXPECT_NEAR((w->yMin - sold->yMin) / lineHeight, e.line, 0.02) << e.text;
    }
    for (const PdfWord& w : words)
        EXPECT_NEAR((w.xMax - w.xMin) / w.text.size(), pitch, 0.01)
            << "fixed pitch: " << w.text.toStdString();

    // Column 1 at the printable area's left edge; three lines of top margin,
    // then nine header lines and two line spaces above SOLD TO.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QRectF area = printer.pageLayout().paintRectPoints();
    const PdfWord* border = word(words, "==============================");
    ASSERT_NE(border, nullptr);
    EXPECT_NEAR(sold->xMin, area.left(), 0.1);
    EXPECT_NEAR((border->yMin - area.top()) / lineHeight, 3, 0.1);
    EXPECT_NEAR((sold->yMin - border->yMin) / lineHeight, 11, 0.02);

    const QList<PdfFont> fonts = pdfFonts(pdf());
    ASSERT_FALSE(fonts.isEmpty());
    for (const PdfFont& font : fonts) {
        EXPECT_TRUE(font.embedded) << font.name.toStdString();
        EXPECT_TRUE(font.name.contains("Mono") || font.name.contains("Courier"))
            << font.name.toStdString();
    }
}

TEST_F(TicketWindowTest, CancellingThePrinterDialogReadsAndPrintsNothing)
{
    open();
    QFile::remove(m_settings.filePath("DELVHEAD.DAT"));
    m_platform.cancelPrintDialog = true;
    const QStringList files = QDir(m_settings.path()).entryList(QDir::Files);
    print();
    ASSERT_FALSE(m_report.isNull());
    EXPECT_EQ(m_platform.printDialogs, 1);
    EXPECT_EQ(m_report->cmdPrint->text(), "Print Ticket");
    EXPECT_EQ(QDir(m_settings.path()).entryList(QDir::Files), files);
    EXPECT_FALSE(QFile::exists(pdf()));
}

TEST_F(TicketWindowTest, WithoutHeaderNothingIsPrinted)
{
    open();
    QFile::remove(m_settings.filePath("DELVHEAD.DAT"));
    print();
    ASSERT_FALSE(m_report.isNull());
    EXPECT_EQ(m_report->cmdPrint->text(), "Print Ticket");
    EXPECT_FALSE(QFile::exists(pdf()));
    EXPECT_EQ(setting("DELVHEAD.DAT"), "");
}

TEST_F(TicketWindowTest, WithoutOwnerTheDocumentEndsAfterTheItemRule)
{
    open();
    for (const QByteArray& owner : {QByteArray(), QByteArray("Harbor")}) {
        if (owner.isNull())
            QFile::remove(m_settings.filePath("OwnsAct.DAT"));
        else
            writeSetting("OwnsAct.DAT", owner);
        QFile::remove(pdf());
        print();
        ASSERT_FALSE(m_report.isNull());
        EXPECT_EQ(m_report->cmdPrint->text(), "Printing");
        const QList<PdfWord> words = pdfWords(pdf());
        ASSERT_FALSE(words.isEmpty()) << "the document written so far is ended";
        EXPECT_EQ(words.back().text, QString(79, u'-'));
        m_report->cmdPrint->setText("Print Ticket");
    }
}

TEST_F(TicketWindowTest, ATicketPastTheBottomContinuesOnANewPage)
{
    writeSetting("BID.FYL", "10\r\n66\r\n\r\n\r\n\r\n");
    window().lstKeep.clear();
    for (int part = 1; part <= 9; ++part)
        window().lstKeep.add(QString("%1\t0\t").arg(part) +
                             QString("Long description words ").repeated(8));
    window().Label4->setText("Description: (Part 1 of 9)");
    open();
    print();
    const QList<PdfWord> words = pdfWords(pdf());
    ASSERT_FALSE(words.isEmpty());
    EXPECT_EQ(word(words, "SOLD")->page, 0);
    EXPECT_EQ(word(words, "FROM:")->page, 1);
    EXPECT_LT(word(words, "FROM:")->yMin, word(words, "SOLD")->yMin);
}

TEST_F(TicketWindowTest, ADemoJobPreviewsAndPrints)
{
    writeDatabase(makeOrderEntryTables({20, 40, 30}));
    table_source::clearCache();
    ASSERT_TRUE(load());
    ASSERT_GT(window().cboJobs->count(), 0);
    const QString job = window().cboJobs->item(0);
    window().cboJobs->setText(job);
    window().chkJob->setValue(1);
    const QStringList sold = splitAddress(window().txtCust->text());
    ASSERT_FALSE(sold.first().isEmpty());

    open();
    EXPECT_TRUE(previewLines()[12].startsWith("  " + sold.first()));
    print();
    EXPECT_TRUE(m_report.isNull());
    bool jobPrinted = false;
    for (const PdfWord& w : pdfWords(pdf()))
        jobPrinted = jobPrinted || w.text == job.left(8).right(8);
    EXPECT_TRUE(jobPrinted) << job.toStdString();
}

} // namespace
