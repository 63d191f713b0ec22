#include "settings/data_folder_file.h"

#include "common/field_reader.h"
#include "common/module_values.h"
#include "common/settings_folder.h"
#include "common/text_file.h"

namespace {

QByteArray readDataFolderBytes()
{
    return readFileBytes(settingsFilePath(QString::fromLatin1(DataFolderFileName)));
}

} // namespace

void readDataFolderFile()
{
    DelimitedFieldReader reader(readDataFolderBytes());
    DataFolder = reader.read();
    EstFolder = reader.read();
}

void readDataFolderFirstLine()
{
    LineReader reader(readDataFolderBytes());
    DataFolder = reader.readLine();
}

bool isFolderPath(const QString& text)
{
    return text.contains(u':') || text.startsWith(u'/');
}

bool writeDataFolderFile(const QString& dataFolder, const QString& estFolder)
{
    if (dataFolder.isEmpty() || estFolder.isEmpty() || !isFolderPath(dataFolder) ||
        !isFolderPath(estFolder))
        return false;

    DataFolder = dataFolder;
    EstFolder = estFolder;
    rewriteFile(settingsFilePath(QString::fromLatin1(DataFolderFileWriteName)),
                joinLines({dataFolder, estFolder}));
    return true;
}

QString fileInDataFolder(const QString& fileName)
{
    return DataFolder + u'/' + fileName;
}

QString databasePath()
{
    return fileInDataFolder(QString::fromLatin1(DatabaseFileName));
}
