#pragma once

#include <QTemporaryDir>

// A temporary folder made the settings folder for the lifetime of the object.
class TempSettingsFolder
{
public:
    TempSettingsFolder() { enter(m_dir.path()); }
    ~TempSettingsFolder() { enter({}); }

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    static void enter(const QString& folder);
    QTemporaryDir m_dir;
};
