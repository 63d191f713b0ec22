// The main window on the large order-entry database: from construction to
// filled lists (all four tables opened), and "Refresh Jobs", beside
// mdb-export of "Client" and "JobLog" in the same run.
//
//   bench_main_window [data folder]
//
// Without an argument the benchmark database of bench_orderdb is used (run
// that first). Runs headless; figures are medians of five runs.

#include "bench_setup.h"
#include "common/session.h"
#include "common/ui/event_combo_box.h"
#include "input/ui/frm_delivery.h"
#include "orderdb/table_source.h"
#include "process_timer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

constexpr int Runs = 5;

double since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--peak") == 0)
        return runPeakWrapper(argc, argv);
    runHeadless();
    QApplication app(argc, argv);

    const QString dataFolder = benchDataFolder(argc, argv);
    if (dataFolder.isEmpty())
        return 1;
    const QString database = dataFolder + "/qmdata.mdb";
    QTemporaryDir settings;
    Session session = sessionIn(settings.path(), dataFolder); // as the program's main owns it
    TableSource tables;

    std::vector<double> loads, refreshes;
    qsizetype customers = 0, jobs = 0;
    for (int run = 0; run < Runs; ++run) {
        tables.clearCache(); // every run reads the file anew
        const auto start = std::chrono::steady_clock::now();
        auto* window = new FrmDelivery(session, tables);
        window->Form_Load();
        loads.push_back(since(start));
        customers = window->soldTo().cboCust->count();
        jobs = window->jobs().cboJobs->count();

        tables.clearCache();
        const auto refreshStart = std::chrono::steady_clock::now();
        window->cmdRefresh_Click();
        refreshes.push_back(since(refreshStart));
        delete window;
    }

    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> exportBoth, exportJobs;
    for (int run = 0; run < Runs; ++run) {
        const double client = measureCommand(self, "mdb-export", {database, "Client"}).seconds;
        const double jobLog = measureCommand(self, "mdb-export", {database, "JobLog"}).seconds;
        exportBoth.push_back(client + jobLog);
        exportJobs.push_back(jobLog);
    }

    std::printf("main window load: %.3f s for %lld customers and %lld jobs; mdb-export Client + "
                "JobLog %.3f s; ratio %.2f\n",
                median(loads), static_cast<long long>(customers), static_cast<long long>(jobs),
                median(exportBoth), median(loads) / median(exportBoth));
    std::printf("Refresh Jobs:     %.3f s; mdb-export JobLog %.3f s; ratio %.2f\n",
                median(refreshes), median(exportJobs), median(refreshes) / median(exportJobs));
    std::printf("peak memory of this process: %ld KiB\n", ownPeakKiB());
    return 0;
}
