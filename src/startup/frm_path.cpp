#include "startup/frm_path.h"

#include "common/runtime_error.h"
#include "common/session.h"
#include "common/ui/center_form.h"
#include "common/ui/named_control.h"
#include "common/ui/save_failure.h"
#include "common/ui/unload_window.h"
#include "common/ui/window_registry.h"
#include "settings/data_folder_file.h"
#include "startup/folder_choosers.h"
#include "startup/mount_points.h"

#include <QDir>
#include <QGridLayout>
#include <QLineEdit>

namespace {

QLabel* heading(const char* name, const QString& text)
{
    QLabel* label = named<QLabel>(name, text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette red = label->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(red);
    return label;
}

} // namespace

FrmPath::FrmPath(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
{
    setObjectName(windows::names::frmPath);
    setWindowTitle(QStringLiteral("Location of Vantrell OE Folder"));

    Label2 = named<QLabel>("Label2",
                           QStringLiteral("Click on Drive followed by Double Clicking on Folder "
                                          "Where Vantrell Data Folder Resides and where Est Folder "
                                          "Resides. Results are shown below."));
    Label2->setWordWrap(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label2, 0, 0, 1, 2);
    buildFolderColumns(*grid);
    cmdPath = named<QPushButton>("cmdPath", QStringLiteral("Continue"));
    grid->addWidget(cmdPath, 7, 0, 1, 2, Qt::AlignHCenter);
    grid->setRowStretch(3, 1);

    connectHandlers();

    resize(640, 480);
    Form_Load();
}

// The data folder's column and the est folder's, side by side.
void FrmPath::buildFolderColumns(QGridLayout& grid)
{
    // The start state: each drive box on the drive of the home folder, its
    // folder list there, before any handler runs.
    const QStringList drives = pickableMountPoints();
    const QString home = QDir::homePath();
    const QString homeDrive = mountPointOf(home, drives);
    const struct
    {
        const char* heading;
        const char* headingText;
        const char* drive;
        const char* list;
        const char* result;
        const char* caption;
        const char* note;
        DriveBox*& driveBox;
        FolderList*& folderList;
        QLineEdit*& resultBox;
    } columns[] = {
        {"lblData", "Location of Vantrell Data", "drvBox", "dirBox", "Text1",
         "Location of Vantrell Data Folder.", "lblDataNote", drvBox, dirBox, Text1},
        {"lblEst", "Location of Est", "Drive1", "Dir1", "Text2", "Location of Est Folder",
         "lblEstNote", Drive1, Dir1, Text2},
    };
    int column = 0;
    for (const auto& c : columns) {
        c.driveBox = named<DriveBox>(c.drive, drives);
        c.driveBox->presetDrive(homeDrive);
        c.folderList = named<FolderList>(c.list);
        c.folderList->presetFolder(homeDrive, home);
        c.resultBox = named<QLineEdit>(c.result, QStringLiteral("No Folder Selected"));
        QLabel* head = heading(QByteArray(c.heading).append("Head").constData(),
                               QString::fromLatin1(c.headingText));
        nameComboBox(c.driveBox, QString::fromLatin1(c.headingText) + QStringLiteral(": drive"));
        c.folderList->setAccessibleName(QString::fromLatin1(c.headingText) +
                                        QStringLiteral(": folders"));
        QLabel* note = named<QLabel>(
            c.note,
            QStringLiteral("If the location above is correct, click the continue button below."));
        note->setWordWrap(true);
        grid.addWidget(head, 1, column);
        grid.addWidget(c.driveBox, 2, column);
        grid.addWidget(c.folderList, 3, column);
        grid.addWidget(buddyLabel(c.heading, QString::fromLatin1(c.caption), c.resultBox), 4,
                       column);
        grid.addWidget(c.resultBox, 5, column);
        grid.addWidget(note, 6, column);
        ++column;
    }
}

void FrmPath::connectHandlers()
{
    const std::pair<QObject*, void (FrmPath::*)()> handlers[] = {{drvBox, &FrmPath::drvBox_Change},
                                                                 {dirBox, &FrmPath::dirBox_Change},
                                                                 {Drive1, &FrmPath::Drive1_Change},
                                                                 {Dir1, &FrmPath::Dir1_Change}};
    for (const auto& [sender, handler] : handlers) {
        const auto run = [this, handler = handler] { runHandler([&] { (this->*handler)(); }); };
        if (auto* driveBox = qobject_cast<DriveBox*>(sender))
            connect(driveBox, &DriveBox::changed, this, run);
        else
            connect(qobject_cast<FolderList*>(sender), &FolderList::changed, this, run);
    }
    connect(cmdPath, &QPushButton::clicked, this,
            [this] { runHandler([this] { cmdPath_Click(); }); });
}

bool FrmPath::showStoredFolder(const QString& folder, DriveBox* drive, FolderList* list,
                               QLineEdit* result)
{
    if (!isFolderPath(folder))
        return true;
    if (!drive->setDrive(mountPointOf(folder, drive->drives())) || !list->setFolder(folder))
        return false;
    result->setText(folder);
    return true;
}

void FrmPath::Form_Load()
{
    CenterForm(*this);
    if (!readDataFolderFile(m_session.settingsFolder).applyTo(m_session)) {
        m_session.dataFolder.clear();
        return;
    }
    if (!showStoredFolder(m_session.dataFolder, drvBox, dirBox, Text1) ||
        !showStoredFolder(m_session.estFolder, Drive1, Dir1, Text2))
        m_session.dataFolder.clear();
}

void FrmPath::drvBox_Change()
{
    dirBox->setDrive(drvBox->drive());
}

void FrmPath::dirBox_Change()
{
    Text1->setText(dirBox->folder());
}

void FrmPath::Drive1_Change()
{
    Dir1->setDrive(Drive1->drive());
}

void FrmPath::Dir1_Change()
{
    Text2->setText(Dir1->folder());
}

void FrmPath::cmdPath_Click()
{
    const Result<bool> written = writeDataFolderFile(m_session, Text1->text(), Text2->text());
    if (!written)
        reportSaveFailure(written.failure(),
                          QStringLiteral("The folders are used until the program ends."));
    unloadWindow(*this);
    windows::show(windows::names::frmDelivery);
}
