#pragma once

// The data-folder window's choosers: a drive box listing the pickable mount
// points (startup/mount_points.h) and a folder list showing one drive's
// folders as a tree, a folder opened by double-click.

#include <QComboBox>
#include <QTreeView>

class QFileSystemModel;

// changed(): the drive was picked, or set from code.
class DriveBox final : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveBox(const QStringList& mountPoints, QWidget* parent = nullptr);

    QString drive() const { return currentText(); }
    QStringList drives() const;
    // Chooses the drive and raises changed(), also when it was chosen
    // already; false (nothing changes) when there is no such drive.
    bool setDrive(const QString& drive);
    // Chooses the drive without raising changed(): the window's start state.
    void presetDrive(const QString& drive);

signals:
    void changed();

private:
    bool m_presetting = false;
};

// changed(): the current folder changed, by a double-click on a folder or
// from code.
class FolderList final : public QTreeView
{
    Q_OBJECT

public:
    explicit FolderList(QWidget* parent = nullptr);

    // The full path of the current (opened) folder.
    QString folder() const { return m_folder; }
    // Opens the folder and raises changed() when it is not the current one
    // already; false (nothing changes) when there is no such folder.
    bool setFolder(const QString& path);
    // Shows the tree of the drive mounted at `mountPoint` and opens its top.
    bool setDrive(const QString& mountPoint);
    // Shows the folder without raising changed(): the window's start state.
    void presetFolder(const QString& drive, const QString& path);

signals:
    void changed();

private:
    void showFolder(const QString& path);

    QFileSystemModel* m_model;
    QString m_folder;
};
