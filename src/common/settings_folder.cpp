#include "common/settings_folder.h"

#include <QDir>
#include <QFileInfo>

QString resolveFileName(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    const QString asked = dir.filePath(name);
    const QFileInfo exact(asked);
    if (exact.exists() || exact.isSymLink())
        return asked;

    // Sorted, so that of several spellings differing only in case the same
    // one is chosen every time.
    const QStringList entries = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return asked;
}
