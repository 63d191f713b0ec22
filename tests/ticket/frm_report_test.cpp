#include "common/ui/event_check_box.h"
#include "support/main_window_fixture.h"
#include "ticket/ui/frm_report.h"
#include "ticket/ui/ticket_font.h"
#include "ticket/ui/ticket_page.h"

#include <QFontInfo>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>

namespace {

// A printed PDF as its words, read with pdftotext -bbox (poppler-utils).
struct PdfWord
{
    int page = 0; // from 0
    double xMin = 0, yMin = 0, xMax = 0;
    QString text;
};

QList<PdfWord> pdfWords(const QString& pdf)
{
    QProcess tool;
    tool.start("pdftotext", {"-bbox", pdf, "-"});
    EXPECT_TRUE(tool.waitForFinished(30000) && tool.exitCode() == 0) << "poppler-utils needed";
    static const QRegularExpression element(
        R"re(<page |<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" [^>]*>([^<]*)<)re");
    QList<PdfWord> words;
    int page = -1;
    for (auto it = element.globalMatch(tool.readAllStandardOutput()); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0) == "<page ")
            ++page;
        else
            words.append({page, m.captured(1).toDouble(), m.captured(2).toDouble(),
                          m.captured(3).toDouble(), m.captured(4).replace("&apos;", "'")});
    }
    return words;
}

// The first printed word of that text.
PdfWord word(const QList<PdfWord>& words, const QString& text)
{
    const auto it =
        std::find_if(words.begin(), words.end(), [&](auto& w) { return w.text == text; });
    EXPECT_TRUE(it != words.end()) << "not printed: " << text.toStdString();
    return it != words.end() ? *it : PdfWord();
}

class TicketWindowTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(loadOn({ordersSchema(), clientTable({}), addressesSchema(), jobLogTable({})}));
        FrmDelivery& w = window();
        w.soldTo().txtCust->setText("Bayside Foods\r\n40 Wharf St\r\nSalem, MA 01970\r\n");
        w.shipTo().txtShip->setText("Bayside Warehouse\r\n9 Dock Rd\r\n");
        w.options().chkJob->setValue(1);
        w.draft().setJobCaption("Order No: 00012345");
        w.draft().partRows.clear();
        w.draft().partRows.add("500\t0\tTri-fold brochures");
        w.draft().partRows.add("1000\t250\tEnvelopes");
        w.draft().setPartCaption("Description: (Part 1 of 2)");
        writeSetting("DELVHEAD.DAT", "==============================\r\nHARBOR LANE\r\n\r\n\r\n"
                                     "\r\n\r\n\r\n    \r\nDELIVERY RECEIPT\r\n2\r\n\r\n");
        writeSetting("OwnsAct.DAT", QByteArray("  Harbor Lane Printing").leftJustified(125));
        m_platform.printToFile = m_settings.filePath("ticket.pdf");
    }

    void TearDown() override { delete m_report.data(); }

    FrmReport& open() { return *(m_report = new FrmReport(window().draft(), m_session)); }

    QStringList previewLines() const
    {
        QStringList texts;
        for (const auto& line : m_report->picTicket->lines())
            texts.append(QString(line.text).remove(QRegularExpression(" +$")));
        return texts;
    }

    // Prints and lets the window's deferred deletion happen.
    QList<PdfWord> print()
    {
        m_report->cmdPrint_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return QFile::exists(m_platform.printToFile) ? pdfWords(m_platform.printToFile)
                                                     : QList<PdfWord>();
    }

    QPointer<FrmReport> m_report;
};

TEST(TicketFont, IsFixedPitchAtTheAskedSizeEvenForAProportionalFace)
{
    const QFontInfo font(ticketFont(11, "Liberation Sans"));
    EXPECT_TRUE(font.fixedPitch());
    EXPECT_EQ(font.pointSize(), 11);
}

TEST_F(TicketWindowTest, PreviewThenPrintToPdfAtTheColumnsAndLinesOfTheTicket)
{
    writeSetting("BID.FYL", "3\r\n66\r\n\r\n\r\n\r\n");
    open();
    EXPECT_EQ(m_report->Check1->value(), 0); // no stored option
    EXPECT_EQ(setting("SigSec.Dat"), " 0 \r\n");
    EXPECT_EQ(previewLines().mid(11, 2),
              (QStringList{"SOLD TO:                               SHIP TO:",
                           "  Bayside Foods                          Bayside Warehouse"}));
    EXPECT_EQ(window().draft().soldToLines.items(),
              (QStringList{"Bayside Foods", "40 Wharf St", "Salem, MA 01970"}));
    EXPECT_EQ(window().draft().shipToLines.items(),
              (QStringList{"Bayside Warehouse", "9 Dock Rd"}));

    m_report->Check1->setValue(1);
    EXPECT_EQ(setting("SigSec.Dat"), " 1 \r\n");
    const QList<PdfWord> words = print();
    EXPECT_TRUE(m_report.isNull()) << "a complete print closes the preview";
    EXPECT_EQ(window().draft().soldToLines.count() + window().draft().shipToLines.count(), 0);

    // Courier New 12 point: 7.2 points a column, every word at that pitch.
    const PdfWord sold = word(words, "SOLD");
    const double pitch = (sold.xMax - sold.xMin) / 4;
    EXPECT_NEAR(pitch, 7.2, 0.05);
    for (const PdfWord& w : words)
        EXPECT_NEAR((w.xMax - w.xMin) / w.text.size(), pitch, 0.01) << w.text.toStdString();
    const double lineHeight = (word(words, "P.O.:").yMin - sold.yMin) / 6;
    // Lines from the SOLD TO row. Above it: 3 of top margin, 9 header lines
    // and 2 line spaces; 12 more and 2 item lines make 28, so "Drop Signature
    // Section" adds 22 blank lines before the rule, the 51st line.
    const std::tuple<const char*, int, int> expected[] = {
        {"Bayside", 2, 1}, {"Warehouse", 50, 1},    {"Job:", 1, 6},
        {"P.O.:", 40, 6},  {"DESCRIPTION", 19, 10}, {"Tri-fold", 19, 12},
        {"250", 10, 13},   {"FROM:", 27, 37},       {"DATE:_________", 65, 39}};
    for (const auto& [text, column, line] : expected) {
        const PdfWord w = word(words, text);
        EXPECT_NEAR((w.xMin - sold.xMin) / pitch + 1, column, 0.02) << text;
        EXPECT_NEAR((w.yMin - sold.yMin) / lineHeight, line, 0.02) << text;
    }
    // Column 1 at the printable area's left edge.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QRectF area = printer.pageLayout().paintRectPoints();
    EXPECT_NEAR(sold.xMin, area.left(), 0.1);
    EXPECT_NEAR((sold.yMin - area.top()) / lineHeight, 14, 0.1);
}

// A print that cannot complete leaves the window open. Cancelled, it reads
// and prints nothing; without a header nothing is printed; without the
// owner's name the ticket ends after the items and what was written so far
// is ended as a document.
TEST_F(TicketWindowTest, APrintThatCannotCompleteLeavesTheWindowOpen)
{
    const QString header = m_settings.filePath("DELVHEAD.DAT");
    QFile::rename(header, header + ".kept");
    writeSetting("OwnsAct.DAT", "Harbor");
    writeSetting("SigSec.Dat", " 1 ");
    EXPECT_EQ(open().Check1->value(), 1);
    EXPECT_EQ(setting("SigSec.Dat"), " 1 ") << "an unchanged box writes nothing";
    const QStringList lines = previewLines();
    EXPECT_EQ(lines.mid(0, 10), QStringList(9, QString()) +
                                    QStringList{"SOLD TO:                               SHIP TO:"});
    EXPECT_EQ(lines.mid(lines.size() - 2), (QStringList{"1000     250      Envelopes", ""}));

    QFile::remove(header); // left behind empty by the opening
    m_platform.cancelPrintDialog = true;
    const QStringList files = QDir(m_settings.path()).entryList(QDir::Files);
    print();
    EXPECT_EQ(m_platform.printDialogs, 1);
    EXPECT_EQ(QDir(m_settings.path()).entryList(QDir::Files), files);

    m_platform.cancelPrintDialog = false;
    print();
    ASSERT_FALSE(m_report.isNull());
    EXPECT_EQ(m_report->cmdPrint->text(), "Print Ticket");
    EXPECT_FALSE(QFile::exists(m_platform.printToFile));

    QFile::remove(header);
    QFile::rename(header + ".kept", header);
    const QList<PdfWord> words = print();
    ASSERT_FALSE(m_report.isNull());
    EXPECT_EQ(m_report->cmdPrint->text(), "Printing");
    ASSERT_FALSE(words.isEmpty());
    EXPECT_EQ(words.back().text, QString(79, u'-'));
}

TEST_F(TicketWindowTest, ATicketPastTheBottomContinuesOnANewPage)
{
    writeSetting("BID.FYL", "10\r\n66\r\n\r\n\r\n\r\n");
    for (int part = 3; part <= 9; ++part)
        window().draft().partRows.add(QString("%1\t0\t").arg(part) +
                                      QString("Long words ").repeated(22));
    window().draft().setPartCaption("Description: (Part 1 of 9)");
    open();
    const QList<PdfWord> words = print();
    EXPECT_EQ(word(words, "SOLD").page, 0);
    EXPECT_EQ(word(words, "FROM:").page, 1);
    EXPECT_LT(word(words, "FROM:").yMin, word(words, "SOLD").yMin);
}

} // namespace
