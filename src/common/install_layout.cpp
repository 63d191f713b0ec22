#include "common/install_layout.h"

#include "common/settings_folder.h"

#include <QDir>
#include <QFileInfo>

namespace install_layout {
namespace {

// Where the helper and data folders lie relative to the program's folder in
// an install tree; the build fills these in from its install directories.
constexpr char HelperFromProgram[] = TICKET_HELPER_FROM_PROGRAM;
constexpr char DataFromProgram[] = TICKET_DATA_FROM_PROGRAM;

QString relativeTo(const QString& programFolder, const char* relative)
{
    return QDir::cleanPath(programFolder + QLatin1Char('/') + QString::fromUtf8(relative));
}

QString readerIn(const QString& folder)
{
    return folder + QLatin1Char('/') + QString::fromLatin1(ReaderName);
}

bool isProgram(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

QString helperFolder(const QString& programFolder)
{
    return relativeTo(programFolder, HelperFromProgram);
}

QString installedDataFolder(const QString& programFolder)
{
    return relativeTo(programFolder, DataFromProgram);
}

Layout layoutOf(ReaderPresence reader)
{
    return !reader.besideProgram && reader.inHelperFolder ? Layout::InstallTree : Layout::OwnFolder;
}

QString settingsFolderFor(const QString& programFolder, ReaderPresence reader,
                          const QString& explicitFolder, const QString& userConfigFolder)
{
    if (!explicitFolder.isEmpty())
        return explicitFolder;
    return layoutOf(reader) == Layout::InstallTree ? userConfigFolder : programFolder;
}

ReaderPresence readerPresenceIn(const QString& programFolder)
{
    return {isProgram(readerIn(programFolder)), isProgram(readerIn(helperFolder(programFolder)))};
}

ReaderLookup findReader(const QString& programFolder)
{
    const ReaderPresence presence = readerPresenceIn(programFolder);
    if (presence.besideProgram || !presence.inHelperFolder)
        return {readerIn(programFolder), !presence.besideProgram};
    return {readerIn(helperFolder(programFolder)), false};
}

QString missingReaderMessage(const QString& programFolder)
{
    return QStringLiteral("The database reader %1 was found neither beside the program (%2) nor "
                          "in its helper folder (%3). The order-entry database cannot be read "
                          "until it is installed again.")
        .arg(QString::fromLatin1(ReaderName), QDir::cleanPath(programFolder),
             helperFolder(programFolder));
}

QString partBitmapPath(const QString& settingsFolder, const QString& programFolder, int part)
{
    const QString name = QString::number(part) + QStringLiteral(".bmp");
    const QString own = resolveFileName(settingsFolder, name);
    if (QFileInfo(own).isFile())
        return own;
    return installedDataFolder(programFolder) + QLatin1Char('/') + name;
}

} // namespace install_layout
