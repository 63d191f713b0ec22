#pragma once

// The data-folder window, frmPath: where the operator points the program at
// the order-entry data folder and the "Est" folder, each chosen with a
// drive box and a folder list (or typed), and stored in the data-folder
// file by Continue, which then goes on to the main window.
//
// Drives are the pickable mount points (startup/mount_points.h); a stored
// folder is shown when it is a path by the data-folder file's rule
// (isFolderPath), its drive being the mount point that holds it.

#include "common/ui/handler_runner.h"

#include <QWidget>

class DriveBox;
class FolderList;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
struct Session;

class FrmPath final : public QWidget, private HandlerRunner
{
    Q_OBJECT

public:
    // Constructing the window is its load.
    explicit FrmPath(Session& session, QWidget* parent = nullptr);

    QLabel* Label2 = nullptr;
    DriveBox* drvBox = nullptr;
    FolderList* dirBox = nullptr;
    QLineEdit* Text1 = nullptr;
    DriveBox* Drive1 = nullptr;
    FolderList* Dir1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* cmdPath = nullptr;

    // Centres the window and shows the stored folders. When the file cannot
    // be read whole, or a stored drive or folder is not there, loading stops
    // where it failed, leaving what it showed, and the session's data folder is emptied.
    void Form_Load();
    void drvBox_Change();
    void dirBox_Change();
    void Drive1_Change();
    void Dir1_Change();
    // Stores both texts when both are paths, then closes this window and
    // shows the main window (only brought forward when it is open). A file
    // that cannot be written is reported; the folders hold for this run.
    void cmdPath_Click();

private:
    void buildFolderColumns(QGridLayout& grid);
    void connectHandlers();

    Session& m_session;
    // One column's part of the load; false when it failed.
    static bool showStoredFolder(const QString& folder, DriveBox* drive, FolderList* list,
                                 QLineEdit* result);
};
