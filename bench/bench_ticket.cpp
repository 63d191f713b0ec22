// The ticket window: opening the preview of a nine-part ticket with long
// descriptions (composed and drawn once), and printing it to a PDF file.
//
//   bench_ticket
//
// The ticket is a draft filled in here, as a job selection leaves it; the
// settings files are written in a temporary folder. Runs headless; figures
// are medians of 20 runs.

#include "bench_setup.h"
#include "common/session.h"
#include "common/ui/platform.h"
#include "input/ticket_draft.h"
#include "ticket/ui/frm_report.h"
#include "ticket/ui/ticket_page.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

constexpr int Runs = 20;

double since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return (values[values.size() / 2 - 1] + values[values.size() / 2]) / 2;
}

// Prints to a PDF file instead of asking; answers every message box Ok.
class PdfPlatform : public Platform
{
public:
    explicit PdfPlatform(QString file)
        : m_file(std::move(file))
    {
    }
    Answer messageBox(const QString&, Buttons, Icon, const QString&) override { return Answer::Ok; }
    void beep() override {}
    [[noreturn]] void endProgram() override { std::exit(1); }
    QSizeF screenSizeTwips() const override { return {19200, 14400}; }
    double twipsPerPixel() const override { return 15; }
    bool printDialog(QPrinter& printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_file);
        return true;
    }

private:
    QString m_file;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void fillNineParts(TicketDraft& draft)
{
    draft.soldToText = "Bayside Foods\r\n40 Wharf St\r\nSuite 2\r\nSalem, MA 01970\r\n";
    draft.shipToText = "Bayside Warehouse\r\n9 Dock Rd\r\nSalem, MA 01970\r\n";
    draft.jobNumbers = true;
    draft.commentShown = true;
    draft.setDate(QDate::currentDate());
    for (int part = 1; part <= 9; ++part)
        draft.partRows.add(
            QStringLiteral("%1\t0\t").arg(part * 250) +
            QStringLiteral("Tri-fold brochure, 100# gloss text, four colour both sides, ")
                .repeated(3));
    draft.setPartCaption(QStringLiteral("Description: (Part 1 of 9)"));
}

} // namespace

int main(int argc, char** argv)
{
    runHeadless();
    QApplication app(argc, argv);

    QTemporaryDir data, settings;
    Session session = sessionIn(settings.path(), data.path());
    writeFile(settings.filePath("DELVHEAD.DAT"),
              "==============================\r\nHARBOR LANE PRINTING\r\n"
              "------------------------------\r\n1200 Harbor Lane\r\nPortsmouth, NH 03801\r\n"
              "Phone (603) 555-0142\r\nFax (603) 555-0143\r\n    \r\nDELIVERY RECEIPT\r\n2\r\n"
              "orders@harborlane.example\r\n");
    writeFile(settings.filePath("OwnsAct.DAT"),
              QByteArray("Harbor Lane Printing").leftJustified(125));
    writeFile(settings.filePath("SigSec.Dat"), " 1 \r\n");
    const QString pdf = settings.filePath("ticket.pdf");
    PdfPlatform pdfPlatform(pdf);
    setPlatform(&pdfPlatform);

    TicketDraft draft;
    fillNineParts(draft);

    std::vector<double> previews, prints;
    int lines = 0;
    qint64 pdfBytes = 0;
    for (int run = 0; run < Runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        auto* report = new FrmReport(draft, session);
        report->show();
        QCoreApplication::processEvents();
        // The window drawn whole, as the screen shows it.
        report->grab();
        previews.push_back(since(start));
        lines = report->picTicket->lineCount();

        QFile::remove(pdf);
        const auto printStart = std::chrono::steady_clock::now();
        report->cmdPrint_Click();
        prints.push_back(since(printStart));
        pdfBytes = QFileInfo(pdf).size();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    setPlatform(nullptr);

    std::printf("nine-part ticket, %d preview lines, PDF of %lld bytes; medians of %d runs\n",
                lines, static_cast<long long>(pdfBytes), Runs);
    std::printf("preview shown:  %7.1f ms (target < 50 ms)\n", median(previews));
    std::printf("PDF written:    %7.1f ms (target < 200 ms)\n", median(prints));
    return 0;
}
