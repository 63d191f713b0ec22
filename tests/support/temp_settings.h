#pragma once

#include <QTemporaryDir>

// A temporary folder to hold the settings files, removed with the object;
// a test hands path() on as the settings folder (Session::settingsFolder).
class TempSettingsFolder
{
public:
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};
