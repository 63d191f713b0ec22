// Reading the large order-entry database through the program's cursors,
// beside mdb-export of the same tables and a plain cat of the file.
//
//   bench_orderdb [database file]
//
// Without an argument the benchmark database (30,000 clients, 100,000 jobs,
// 300,000 order lines) is written once under the build's bench-data folder.
// Each figure is the median of five runs. Peak memory is the largest
// resident set: of the process that reads through the cursors, and of the
// reader program and mdb-export run alone on the same tables.

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
#include <cstring>

namespace {

constexpr int Runs = 5;

// Child mode: open the tables, read every field of every record, print the
// wall time and this process's peak memory.
int readThroughCursors(const QString& database, const QStringList& tables)
{
    const auto start = std::chrono::steady_clock::now();
    qint64 cells = 0;
    const TableSource source;
    for (const QString& name : tables) {
        TableCursor cursor(source);
        cursor.open(database, name);
        const int fields = cursor.fieldCount();
        for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext()) {
            for (int f = 0; f < fields; ++f)
                cells += cursor.field(f).toText().size() > 0;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.6f %ld %lld\n", seconds, ownPeakKiB(), static_cast<long long>(cells));
    return 0;
}

struct Figure
{
    double seconds = 0;
    long peakKiB = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Figure cursorFigure(const QString& self, const QString& database, const QStringList& tables)
{
    std::vector<double> seconds;
    Figure figure;
    for (int run = 0; run < Runs; ++run) {
        const QStringList parts =
            commandOutput(self, QStringList{"--cursor", database} + tables).split(' ');
        if (parts.size() < 2)
            return figure;
        seconds.push_back(parts[0].toDouble());
        figure.peakKiB = std::max(figure.peakKiB, parts[1].toLong());
    }
    figure.seconds = median(seconds);
    return figure;
}

// The commands run one after another make one run; peak is the largest.
Figure commandFigure(const QString& self, const QString& program,
                     const QList<QStringList>& invocations)
{
    std::vector<double> seconds;
    Figure figure;
    for (int run = 0; run < Runs; ++run) {
        double total = 0;
        for (const QStringList& arguments : invocations) {
            const ProcessMeasure m = measureCommand(self, program, arguments);
            total += m.seconds;
            figure.peakKiB = std::max(figure.peakKiB, m.peakKiB);
        }
        seconds.push_back(total);
    }
    figure.seconds = median(seconds);
    return figure;
}

void report(const char* what, const Figure& cursor, const Figure& reader, const Figure& exported,
            const Figure& cat)
{
    std::printf("%-16s cursors %6.3f s, peak %7ld KiB (reader alone %6.3f s, peak %6ld KiB)\n"
                "%-16s mdb-export %6.3f s, peak %7ld KiB   cat %6.3f s\n"
                "%-16s cursors/mdb-export %.2f   cursors/cat %.1f   reader alone/cat %.1f\n",
                what, cursor.seconds, cursor.peakKiB, reader.seconds, reader.peakKiB, "",
                exported.seconds, exported.peakKiB, cat.seconds, "",
                cursor.seconds / exported.seconds, cursor.seconds / cat.seconds,
                reader.seconds / cat.seconds);
}

} // namespace

int main(int argc, char** argv)
{
    // Before anything else is loaded, so the wrapper stays small.
    if (argc >= 2 && std::strcmp(argv[1], "--peak") == 0)
        return runPeakWrapper(argc, argv);

    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == "--cursor")
        return readThroughCursors(args[2], args.mid(3));
    if (args.size() == 3 && args[1] == "--write") {
        jet4::writeDatabase(args[2].toStdString(), makeOrderEntryTables(LargeSize));
        return 0;
    }

    const QString self = QCoreApplication::applicationFilePath();
    QString database = args.size() > 1 ? args[1] : QString();
    if (database.isEmpty()) {
        const QString folder = QDir::cleanPath(QStringLiteral(BENCH_DATA_DIR));
        database = folder + "/qmdata.mdb";
        if (!QFileInfo::exists(database)) {
            std::printf("writing the benchmark database %s ...\n", qPrintable(database));
            QDir().mkpath(folder);
            commandOutput(self, {"--write", database});
        }
    }
    std::printf("database %s, %.1f MB; medians of %d runs\n", qPrintable(database),
                QFileInfo(database).size() / 1e6, Runs);

    const QString reader = TableSource().readerProgram();
    // The reader's own arguments: file, table, memory limit (MiB), output cap
    // (bytes); no field list means every column, as mdb-export gives.
    const auto alone = [&](const QString& table) {
        return QStringList{database, table, "1024", QString::number(qint64{1} << 40)};
    };
    const Figure cat = commandFigure(self, "cat", {{database}});
    report("Client + JobLog", cursorFigure(self, database, {"Client", "JobLog"}),
           commandFigure(self, reader, {alone("Client"), alone("JobLog")}),
           commandFigure(self, "mdb-export", {{database, "Client"}, {database, "JobLog"}}), cat);
    report("Orders", cursorFigure(self, database, {"Orders"}),
           commandFigure(self, reader, {alone("Orders")}),
           commandFigure(self, "mdb-export", {{database, "Orders"}}), cat);
    return 0;
}
