#include "bench_setup.h"

#include <QDir>
#include <QFile>

#include <cstdio>

QString benchDataFolder(int argc, char** argv)
{
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QDir::cleanPath(QStringLiteral(BENCH_DATA_DIR));
    if (!QFile::exists(folder + "/qmdata.mdb")) {
        std::fprintf(stderr, "no database in %s: run bench_orderdb first\n", qPrintable(folder));
        return {};
    }
    return folder;
}

Session sessionIn(const QString& settingsFolder, const QString& dataFolder)
{
    QFile file(QDir(settingsFolder).filePath("qmvanck.dat"));
    if (file.open(QIODevice::WriteOnly))
        file.write((dataFolder + "\r\n/srv/est\r\n").toLocal8Bit());
    Session session;
    session.settingsFolder = settingsFolder;
    return session;
}

void runHeadless()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
