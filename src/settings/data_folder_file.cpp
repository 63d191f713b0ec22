#include "settings/data_folder_file.h"

#include "common/field_reader.h"
#include "common/session.h"
#include "common/settings_folder.h"
#include "common/text_file.h"

namespace {

QByteArray readDataFolderBytes(const QString& settingsFolder)
{
    return readFileBytes(resolveFileName(settingsFolder, QString::fromLatin1(DataFolderFileName)));
}

} // namespace

Result<void> DataFolderRead::applyTo(Session& session) const
{
    if (dataFolder)
        session.dataFolder = *dataFolder;
    if (estFolder)
        session.estFolder = *estFolder;
    if (failure)
        return *failure;
    return {};
}

DataFolderRead readDataFolderFile(const QString& settingsFolder)
{
    DataFolderRead read;
    const Result<void> done = attempt([&] {
        DelimitedFieldReader reader(readDataFolderBytes(settingsFolder));
        read.dataFolder = reader.read();
        read.estFolder = reader.read();
    });
    if (!done)
        read.failure = done.failure();
    return read;
}

DataFolderRead readDataFolderFirstLine(const QString& settingsFolder)
{
    DataFolderRead read;
    const Result<void> done = attempt([&] {
        LineReader reader(readDataFolderBytes(settingsFolder));
        read.dataFolder = reader.readLine();
    });
    if (!done)
        read.failure = done.failure();
    return read;
}

bool isFolderPath(const QString& text)
{
    return text.contains(u':') || text.startsWith(u'/');
}

Result<bool> writeDataFolderFile(Session& session, const QString& dataFolder,
                                 const QString& estFolder)
{
    if (dataFolder.isEmpty() || estFolder.isEmpty() || !isFolderPath(dataFolder) ||
        !isFolderPath(estFolder))
        return false;

    session.dataFolder = dataFolder;
    session.estFolder = estFolder;
    return attempt([&] {
        rewriteFile(
            resolveFileName(session.settingsFolder, QString::fromLatin1(DataFolderFileWriteName)),
            joinLines({dataFolder, estFolder}));
        return true;
    });
}

QString fileInDataFolder(const QString& dataFolder, const QString& fileName)
{
    return dataFolder + u'/' + fileName;
}

QString databasePath(const QString& dataFolder)
{
    return fileInDataFolder(dataFolder, QString::fromLatin1(DatabaseFileName));
}
