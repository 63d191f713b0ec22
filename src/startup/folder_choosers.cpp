#include "startup/folder_choosers.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>

DriveBox::DriveBox(const QStringList& mountPoints, QWidget* parent)
    : QComboBox(parent)
{
    addItems(mountPoints);
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_presetting)
            emit changed();
    });
}

QStringList DriveBox::drives() const
{
    QStringList all;
    for (int index = 0; index < count(); ++index)
        all << itemText(index);
    return all;
}

bool DriveBox::setDrive(const QString& drive)
{
    const int index = findText(drive);
    if (index < 0)
        return false;
    if (index == currentIndex())
        emit changed();
    else
        setCurrentIndex(index);
    return true;
}

void DriveBox::presetDrive(const QString& drive)
{
    m_presetting = true;
    setCurrentIndex(std::max(0, findText(drive)));
    m_presetting = false;
}

FolderList::FolderList(QWidget* parent)
    : QTreeView(parent)
    , m_model(new QFileSystemModel(this))
{
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    m_model->setReadOnly(true);
    m_model->setRootPath(QStringLiteral("/"));
    setModel(m_model);
    // The folder names alone: size, kind and date say nothing here.
    for (int column = 1; column < m_model->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    connect(this, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { setFolder(m_model->filePath(index)); });
}

bool FolderList::setFolder(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return false;
    const QString folder = QDir::cleanPath(info.absoluteFilePath());
    showFolder(folder);
    if (folder != m_folder) {
        m_folder = folder;
        emit changed();
    }
    return true;
}

bool FolderList::setDrive(const QString& mountPoint)
{
    if (!QFileInfo(mountPoint).isDir())
        return false;
    setRootIndex(m_model->index(mountPoint));
    return setFolder(mountPoint);
}

void FolderList::presetFolder(const QString& drive, const QString& path)
{
    setRootIndex(m_model->index(drive));
    m_folder = QDir::cleanPath(path);
    showFolder(m_folder);
}

void FolderList::showFolder(const QString& path)
{
    const QModelIndex index = m_model->index(path);
    for (QModelIndex parent = index; parent.isValid(); parent = parent.parent())
        expand(parent);
    setCurrentIndex(index);
    scrollTo(index);
}
