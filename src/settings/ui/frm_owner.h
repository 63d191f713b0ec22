#pragma once

// The owner's data editor, frmOwner: the shop owner's name, address, city
// line, phone and a comment line, kept as one fixed-width record in
// OwnsAct.DAT.

#include "common/ui/handler_runner.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

class FrmOwner final : public QWidget, private HandlerRunner
{
    Q_OBJECT

public:
    // Constructing the window is its load, of the file in `settingsFolder`.
    explicit FrmOwner(QString settingsFolder, QWidget* parent = nullptr);

    QLabel* lblDelvHead = nullptr;
    QLineEdit* txtName = nullptr;
    QLineEdit* txtAdd = nullptr;
    QLineEdit* txtState = nullptr;
    QLineEdit* txtPhone = nullptr;
    QLineEdit* txtCom = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdExit = nullptr;

    // Centres the window and fills the boxes from the record, each field
    // trimmed; a file holding no data leaves them empty.
    void Form_Load();
    // Writes the record and moves the focus to cmdExit. A file that cannot
    // be written is reported and the window keeps what was typed.
    void cmdSave_Click();
    // Closes; unsaved changes are dropped.
    void cmdExit_Click();

private:
    const QString m_settingsFolder;
};
