#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary folder made the settings folder for the lifetime of the object,
// with the module-wide values reset on both ends.
class TempSettingsFolder
{
public:
    TempSettingsFolder();
    ~TempSettingsFolder();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    TempSettingsFolder(const TempSettingsFolder&) = delete;
    TempSettingsFolder& operator=(const TempSettingsFolder&) = delete;

private:
    QTemporaryDir m_dir;
};
