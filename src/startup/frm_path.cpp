#include "startup/frm_path.h"

#include "common/module_values.h"
#include "common/runtime_error.h"
#include "common/ui/center_form.h"
#include "common/ui/unload_window.h"
#include "common/ui/window_registry.h"
#include "settings/data_folder_file.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* folderBox(const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(QStringLiteral("No Folder Selected"), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

FrmPath::FrmPath(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_text1(folderBox("Text1", this))
    , m_text2(folderBox("Text2", this))
    , m_cmdPath(new QPushButton(QStringLiteral("Continue"), this))
{
    setObjectName(windows::names::frmPath);
    setWindowTitle(QStringLiteral("Location of Vantrell OE Folder"));
    m_cmdPath->setObjectName(QStringLiteral("cmdPath"));

    auto* folders = new QFormLayout;
    folders->addRow(QStringLiteral("Location of Vantrell Data Folder."), m_text1);
    folders->addRow(QStringLiteral("Location of Est Folder"), m_text2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(folders);
    layout->addWidget(m_cmdPath, 0, Qt::AlignRight);
    resize(560, sizeHint().height());

    connect(m_cmdPath, &QPushButton::clicked, this, &FrmPath::cmdPathClick);
    formLoad();
}

void FrmPath::formLoad()
{
    CenterForm(*this);
    try {
        readDataFolderFile();
        if (isFolderPath(DataFolder))
            m_text1->setText(DataFolder);
        if (isFolderPath(EstFolder))
            m_text2->setText(EstFolder);
    } catch (const RuntimeError&) {
        // Nothing is shown for a file that could not be read whole, and the
        // half-read data folder must not be taken for a chosen one.
        DataFolder.clear();
    }
}

void FrmPath::cmdPathClick()
{
    try {
        writeDataFolderFile(m_text1->text(), m_text2->text());
    } catch (const RuntimeError&) {
        // The folders are set for this run even when the file stays as it was.
    }
    unloadWindow(*this);
    windows::show(windows::names::frmDelivery);
}
