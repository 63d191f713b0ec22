// Job selection on the large order-entry database: the first selection
// after the load (which reads "Orders" for the first time), then 200 picks
// of random jobs, picks of jobs whose lines lie at the end of "Orders", and
// keystrokes into the job and sold-to boxes (each runs a full lookup).
//
//   bench_job_selection [data folder]
//
// Uses the benchmark database of bench_orderdb (run that first). Headless.

#include "bench_setup.h"
#include "common/session.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/platform.h"
#include "input/ui/frm_delivery.h"
#include "orderdb/table_source.h"
#include "process_timer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

// Message boxes answered at once: typing a partial job number into the job
// box reports "no order detail" on every keystroke.
class SilentPlatform : public Platform
{
public:
    Answer messageBox(const QString&, Buttons, Icon, const QString&) override
    {
        ++messages;
        return Answer::Ok;
    }
    void beep() override {}
    [[noreturn]] void endProgram() override { std::exit(1); }
    QSizeF screenSizeTwips() const override { return {20490, 11520}; }
    double twipsPerPixel() const override { return 15; }
    bool printDialog(QPrinter&) override { return false; }
    int messages = 0;
};

double milliseconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

struct Spread
{
    double median, maximum;
};

Spread spread(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

template<typename Action>
Spread timeEach(const QStringList& inputs, Action&& action)
{
    std::vector<double> times;
    for (const QString& input : inputs) {
        const auto start = std::chrono::steady_clock::now();
        action(input);
        times.push_back(milliseconds(start));
    }
    return spread(times);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--peak") == 0)
        return runPeakWrapper(argc, argv);
    runHeadless();
    QApplication app(argc, argv);
    SilentPlatform silent;
    setPlatform(&silent);

    const QString dataFolder = benchDataFolder(argc, argv);
    if (dataFolder.isEmpty())
        return 1;
    const QString database = dataFolder + "/qmdata.mdb";
    QTemporaryDir settings;
    Session session = sessionIn(settings.path(), dataFolder); // as the program's main owns it
    TableSource tables;

    FrmDelivery window(session, tables);
    window.Form_Load();
    const QStringList jobs = window.jobs().cboJobs->items();
    const QStringList customers = window.soldTo().cboCust->items();

    // The first selection reads "Orders" unless the background read after
    // the load has already done so; here no event loop ran, so it has not.
    const QString lastJob = jobs.last();
    const auto first = std::chrono::steady_clock::now();
    window.jobs().cboJobs->setText(lastJob);
    const double firstMs = milliseconds(first);
    const double exportOrders =
        measureCommand(QCoreApplication::applicationFilePath(), "mdb-export", {database, "Orders"})
            .seconds;

    QRandomGenerator random(7);
    QStringList picks, lastJobs, jobKeys, customerKeys;
    for (int i = 0; i < 200; ++i)
        picks << jobs[random.bounded(static_cast<int>(jobs.size()))];
    for (int i = 0; i < 200; ++i)
        lastJobs << jobs[jobs.size() - 1 - i % 10];
    for (int i = 0; i < 20; ++i) {
        const QString job = picks[i];
        for (int length = 1; length <= 10; ++length)
            jobKeys << job.left(length);
        const QString customer = customers[random.bounded(static_cast<int>(customers.size()))];
        for (int length = 1; length <= 10; ++length)
            customerKeys << customer.left(length);
    }

    const Spread random200 =
        timeEach(picks, [&](const QString& job) { window.jobs().cboJobs->setText(job); });
    const Spread atTheEnd = timeEach(lastJobs, [&](const QString& job) {
        window.jobs().cboJobs->setText(QString());
        window.jobs().cboJobs->setText(job);
    });
    const Spread jobTyping =
        timeEach(jobKeys, [&](const QString& text) { window.jobs().cboJobs->setText(text); });
    const Spread customerTyping = timeEach(
        customerKeys, [&](const QString& text) { window.soldTo().cboCust->setText(text); });

    std::printf("first selection: %.1f ms (reads Orders); mdb-export Orders %.1f ms; ratio %.2f\n",
                firstMs, exportOrders * 1000, firstMs / (exportOrders * 1000));
    std::printf("200 random picks:            median %5.1f ms, max %5.1f ms\n", random200.median,
                random200.maximum);
    std::printf("200 picks, lines at the end: median %5.1f ms, max %5.1f ms\n", atTheEnd.median,
                atTheEnd.maximum);
    std::printf("200 keystrokes in cboJobs:   median %5.1f ms, max %5.1f ms\n", jobTyping.median,
                jobTyping.maximum);
    std::printf("200 keystrokes in cboCust:   median %5.1f ms, max %5.1f ms\n",
                customerTyping.median, customerTyping.maximum);
    std::printf("peak memory of this process: %ld KiB\n", ownPeakKiB());
    setPlatform(nullptr);
    return 0;
}
