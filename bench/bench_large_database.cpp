// The main window on a very large order-entry database, made by the
// test-database writer: 100,000 clients, 300,000 jobs and about 1,000,000
// order lines. Reports the main window's load, the first job selection
// (which reads "Orders"), later selections and the program's peak memory,
// beside mdb-export of the same four tables.
//
//   bench_large_database [data folder]
//
// Without an argument the database is kept in bench-data-1m beside the build
// folder and written there when missing. The program is measured in a child
// process of its own, so that its peak memory is its own. Headless.

#include "bench_setup.h"
#include "common/session.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/platform.h"
#include "demodata/order_entry_tables.h"
#include "input/ui/frm_delivery.h"
#include "orderdb/table_source.h"
#include "process_timer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

constexpr OrderEntrySize HugeSize{100000, 300000, 150000};

class SilentPlatform : public Platform
{
public:
    Answer messageBox(const QString&, Buttons, Icon, const QString&) override { return Answer::Ok; }
    void beep() override {}
    [[noreturn]] void endProgram() override { std::exit(1); }
    QSizeF screenSizeTwips() const override { return {20490, 11520}; }
    double twipsPerPixel() const override { return 15; }
    bool printDialog(QPrinter&) override { return false; }
};

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// "--write <folder>": the database alone, in a process of its own.
int writeDatabase(const QString& folder)
{
    QDir().mkpath(folder);
    const std::vector<jet4::Table> tables = makeOrderEntryTables(HugeSize);
    jet4::writeDatabase((folder + "/qmdata.mdb").toStdString(), tables);
    return 0;
}

// "--measure <data folder> <result file>": the program's side.
int measureProgram(int argc, char** argv)
{
    QApplication app(argc, argv);
    SilentPlatform silent;
    setPlatform(&silent);
    const QString dataFolder = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir settings;
    Session session = sessionIn(settings.path(), dataFolder); // as the program's main owns it
    TableSource tables;

    const auto loadStart = std::chrono::steady_clock::now();
    FrmDelivery window(session, tables);
    window.Form_Load();
    const double load = secondsSince(loadStart);
    // The jobs to pick, copied out: a copy of the whole list would keep the
    // window's old entries alive through Refresh Jobs, and count them in the
    // program's peak as if the program kept them.
    QStringList picks;
    qsizetype jobCount = 0;
    {
        const QStringList jobs = window.jobs().cboJobs->items();
        jobCount = jobs.size();
        if (jobs.isEmpty())
            return 1;
        QRandomGenerator random(11);
        picks.append(QString(jobs.last().constData(), jobs.last().size()));
        for (int i = 0; i < 50; ++i) {
            const QString& job = jobs[random.bounded(static_cast<int>(jobs.size()))];
            picks.append(QString(job.constData(), job.size()));
        }
    }

    const auto firstStart = std::chrono::steady_clock::now();
    window.jobs().cboJobs->setText(picks.first());
    const double first = secondsSince(firstStart);

    std::vector<double> later;
    for (int i = 1; i <= 50; ++i) {
        const auto start = std::chrono::steady_clock::now();
        window.jobs().cboJobs->setText(picks[i]);
        later.push_back(secondsSince(start));
    }
    std::sort(later.begin(), later.end());

    const auto refreshStart = std::chrono::steady_clock::now();
    window.cmdRefresh_Click();
    const double refresh = secondsSince(refreshStart);

    QFile result(QString::fromLocal8Bit(argv[3]));
    if (!result.open(QIODevice::WriteOnly))
        return 1;
    result.write(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8\n")
                     .arg(load)
                     .arg(first)
                     .arg(later[later.size() / 2])
                     .arg(later.back())
                     .arg(refresh)
                     .arg(window.soldTo().cboCust->count())
                     .arg(jobCount)
                     .arg(ownPeakKiB())
                     .toUtf8());
    setPlatform(nullptr);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--peak") == 0)
        return runPeakWrapper(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0)
        return writeDatabase(QString::fromLocal8Bit(argv[2]));
    runHeadless();
    if (argc == 4 && std::strcmp(argv[1], "--measure") == 0)
        return measureProgram(argc, argv);

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const QString dataFolder = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                        : QDir::cleanPath(QStringLiteral(BENCH_DATA_DIR) + "-1m");
    const QString database = dataFolder + "/qmdata.mdb";
    if (!QFile::exists(database)) {
        const ProcessMeasure written = measureCommand(self, self, {"--write", dataFolder});
        std::printf("database written in %.1f s, writer peak %ld MiB\n", written.seconds,
                    written.peakKiB / 1024);
    }
    const qint64 fileSize = QFileInfo(database).size();
    std::printf("database: %.1f MiB\n", fileSize / 1048576.0);

    QTemporaryDir scratch;
    const QString resultFile = scratch.filePath("result");
    const ProcessMeasure program =
        measureCommand(self, self, {"--measure", dataFolder, resultFile});
    QFile result(resultFile);
    if (!result.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "the measured program failed\n");
        return 1;
    }
    const QStringList figures = QString::fromUtf8(result.readAll()).split(' ');
    std::printf("main window load:   %.2f s (%s customers, %s jobs)\n", figures[0].toDouble(),
                qPrintable(figures[5]), qPrintable(figures[6]));
    std::printf("first selection:    %.2f s (reads Orders)\n", figures[1].toDouble());
    std::printf("later selections:   median %.3f s, max %.3f s (50 random jobs)\n",
                figures[2].toDouble(), figures[3].toDouble());
    std::printf("Refresh Jobs:       %.2f s\n", figures[4].toDouble());
    std::printf("program peak:       %ld MiB (with its readers), %.2f x the file\n",
                program.peakKiB / 1024, program.peakKiB * 1024.0 / fileSize);

    double exportSeconds = 0;
    long exportPeak = 0;
    for (const char* table : {"Orders", "Client", "Addresses", "JobLog"}) {
        const ProcessMeasure measure = measureCommand(self, "mdb-export", {database, table});
        std::printf("mdb-export %-9s  %.2f s, peak %ld MiB\n", table, measure.seconds,
                    measure.peakKiB / 1024);
        exportSeconds += measure.seconds;
        exportPeak = std::max(exportPeak, measure.peakKiB);
    }
    std::printf("mdb-export, all four: %.2f s, peak %ld MiB\n", exportSeconds, exportPeak / 1024);
    return 0;
}
