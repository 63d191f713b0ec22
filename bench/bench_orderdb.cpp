// Reading the large order-entry database through the program's cursors,
// beside mdb-export of the same tables and a plain cat of the file.
//
//   bench_orderdb [database file]
//
// Without an argument the benchmark database (30,000 clients, 100,000 jobs,
// 300,000 order lines) is written once under the build's bench-data folder.
// Each figure is the median of five runs; peak memory is the largest
// resident set of the measuring process and of the reader program.

#include "demodata/order_entry_tables.h"
#include "orderdb/table_cursor.h"
#include "orderdb/table_source.h"
#include "process_timer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int Runs = 5;

// Child mode: open the tables, read every field of every record, print the
// wall time and the peak memory of this process and of the reader.
int readThroughCursors(const QString& database, const QStringList& tables)
{
    const auto start = std::chrono::steady_clock::now();
    qint64 cells = 0;
    for (const QString& name : tables) {
        TableCursor cursor;
        cursor.open(database, name);
        const int fields = cursor.fieldCount();
        for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext()) {
            for (int f = 0; f < fields; ++f)
                cells += cursor.field(f).toText().size() > 0;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage self{}, children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    std::printf("%.6f %ld %ld %lld\n", seconds, self.ru_maxrss, children.ru_maxrss,
                static_cast<long long>(cells));
    return 0;
}

struct Figure
{
    double seconds;
    long peakKiB;
    long readerPeakKiB = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Figure cursorFigure(const QString& self, const QString& database, const QStringList& tables)
{
    std::vector<double> seconds;
    Figure figure{0, 0};
    for (int run = 0; run < Runs; ++run) {
        const ProcessMeasure m =
            measureCommand(self, QStringList{"--cursor", database} + tables, true);
        const QStringList parts = m.output.split(' ');
        if (parts.size() < 3)
            return figure;
        seconds.push_back(parts[0].toDouble());
        figure.peakKiB = std::max(figure.peakKiB, parts[1].toLong());
        figure.readerPeakKiB = std::max(figure.readerPeakKiB, parts[2].toLong());
    }
    figure.seconds = median(seconds);
    return figure;
}

Figure commandFigure(const QString& program, const QList<QStringList>& invocations)
{
    std::vector<double> seconds;
    Figure figure{0, 0};
    for (int run = 0; run < Runs; ++run) {
        double total = 0;
        for (const QStringList& arguments : invocations) {
            const ProcessMeasure m = measureCommand(program, arguments);
            total += m.seconds;
            figure.peakKiB = std::max(figure.peakKiB, m.peakKiB);
        }
        seconds.push_back(total);
    }
    figure.seconds = median(seconds);
    return figure;
}

void report(const char* what, const Figure& cursor, const Figure& exported, const Figure& cat)
{
    std::printf("%-22s cursor %7.3f s (peak %6ld KiB, reader %6ld KiB) | mdb-export %7.3f s "
                "(peak %6ld KiB) | ratio %.2f | cat %.3f s\n",
                what, cursor.seconds, cursor.peakKiB, cursor.readerPeakKiB, exported.seconds,
                exported.peakKiB, cursor.seconds / exported.seconds, cat.seconds);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == "--cursor")
        return readThroughCursors(args[2], args.mid(3));

    QString database = args.size() > 1 ? args[1] : QString();
    if (database.isEmpty()) {
        const QString folder = QDir::cleanPath(QStringLiteral(BENCH_DATA_DIR));
        database = folder + "/qmdata.mdb";
        if (!QFileInfo::exists(database)) {
            std::printf("writing the benchmark database %s ...\n", qPrintable(database));
            QDir().mkpath(folder);
            jet4::writeDatabase(database.toStdString(), makeOrderEntryTables(LargeSize));
        }
    }
    std::printf("database %s, %.1f MB\n", qPrintable(database), QFileInfo(database).size() / 1e6);

    const QString self = QCoreApplication::applicationFilePath();
    const Figure cat = commandFigure("cat", {{database}});
    report("Client + JobLog", cursorFigure(self, database, {"Client", "JobLog"}),
           commandFigure("mdb-export", {{database, "Client"}, {database, "JobLog"}}), cat);
    report("Orders", cursorFigure(self, database, {"Orders"}),
           commandFigure("mdb-export", {{database, "Orders"}}), cat);
    return 0;
}
