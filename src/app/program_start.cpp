#include "app/program_start.h"

#include "common/install_layout.h"
#include "common/ui/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>

int answerCommandLine(const CommandLine& line)
{
    const QByteArray text = line.text.toLocal8Bit();
    const bool refused = line.action == CommandLine::Action::Refuse;
    std::fputs(text.constData(), refused ? stderr : stdout);
    return refused ? CommandLineRefused : 0;
}

void nameProgram()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Vantrell"));
    QCoreApplication::setApplicationName(QStringLiteral("vantrell-ticket"));
    QCoreApplication::setApplicationVersion(versionLine().section(QLatin1Char(' '), 1));
}

QString makeSettingsFolder(const QString& explicitFolder)
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString folder = install_layout::settingsFolderFor(
        programFolder, install_layout::readerPresenceIn(programFolder), explicitFolder,
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    // A folder that cannot be made shows itself at the first save, which
    // names the file and the reason.
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

void warnOfMissingReader()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!install_layout::findReader(programFolder).missing)
        return;
    const QString message = install_layout::missingReaderMessage(programFolder);
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    platform().messageBox(message, Platform::Buttons::Ok, Platform::Icon::Exclamation);
}
