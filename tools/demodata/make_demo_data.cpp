// Writes a demo data folder (the order-entry database and its comment lines)
// and the program's settings files beside the program, so that the program
// starts on realistic data:
//
//   make-demo-data <data folder> <settings folder> [--large]
//
// With --large the database has the benchmark size instead (30,000 clients,
// 100,000 jobs, 300,000 order lines). The database and the data-folder file
// are always written anew; other settings files are written only when
// missing, so an operator's own settings survive a second run.

#include "common/session.h"
#include "common/settings_folder.h"
#include "common/text_file.h"
#include "demodata/order_entry_tables.h"
#include "settings/data_folder_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <exception>

namespace {

void writeIfMissing(const QString& path, const QByteArray& bytes)
{
    if (!QFile::exists(path))
        rewriteFile(path, bytes);
}

// The owner's record: five blank-padded fields of 25, 25, 25, 14 and 36
// characters.
QByteArray ownerRecord()
{
    const std::pair<const char*, int> fields[] = {{"Quillmark Printing Co.", 25},
                                                  {"118 Foundry Street", 25},
                                                  {"Riverton, OH 44870", 25},
                                                  {"(419) 555-0142", 14},
                                                  {"Thank you for your business!", 36}};
    QByteArray record;
    for (const auto& [text, width] : fields)
        record += QByteArray(text).leftJustified(width, ' ', true);
    return record;
}

void writeSettings(const QString& settings, const QString& data)
{
    const QString est = QDir(data).absoluteFilePath(QStringLiteral("../est"));
    QDir().mkpath(est);
    // The data-folder file is the demo's whole point: always aim it here.
    QFile::remove(resolveFileName(settings, QString::fromLatin1(DataFolderFileName)));
    Session written;
    written.settingsFolder = settings;
    const Result<bool> aimed =
        writeDataFolderFile(written, QDir::cleanPath(data), QDir::cleanPath(est));
    if (!aimed)
        throw RuntimeError(aimed.failure().code, aimed.failure().detail);

    writeIfMissing(resolveFileName(settings, QStringLiteral("DELVHEAD.DAT")),
                   joinLines({"=" + QString(78, '='), "QUILLMARK PRINTING CO.", QString(79, '-'),
                              "118 Foundry Street", "Riverton, OH 44870", "Phone (419) 555-0142",
                              "Fax (419) 555-0143", "    ",
                              "*  *  *  D E L I V E R Y   R E C E I P T  *  *  *", "2",
                              "orders@quillmark.example"}));
    writeIfMissing(resolveFileName(settings, QStringLiteral("OwnsAct.DAT")), ownerRecord());
    writeIfMissing(resolveFileName(settings, QStringLiteral("BID.FYL")),
                   joinLines({"3", "66", "", "", "", "", "", "", "", ""}));
}

void writeData(const QString& data, const OrderEntrySize& size)
{
    QDir().mkpath(data);
    const QString database = QDir(data).filePath(QString::fromLatin1(DatabaseFileName));
    jet4::writeDatabase(QFile::encodeName(database).toStdString(), makeOrderEntryTables(size));
    writeIfMissing(
        resolveFileName(data, QStringLiteral("Comments.Dat")),
        joinLines({"Please call upon arrival.", "Deliver to the loading dock.",
                   "Signature required on delivery.", "Balance due on delivery, thank you.",
                   "Remaining cartons follow next week."}));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2 || args.size() > 3 || (args.size() == 3 && args[2] != "--large")) {
        std::fprintf(stderr, "usage: make-demo-data <data folder> <settings folder> [--large]\n");
        return 2;
    }
    const QString data = QDir(args[0]).absolutePath();
    const QString settings = QDir(args[1]).absolutePath();
    try {
        writeData(data, args.size() == 3 ? LargeSize : DemoSize);
        writeSettings(settings, data);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-demo-data: %s\n", error.what());
        return 1;
    }
    std::printf("Demo data in %s, settings in %s\n", qPrintable(data), qPrintable(settings));
    return 0;
}
