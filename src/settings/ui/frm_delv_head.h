#pragma once

// The delivery-header editor, frmDelvHead: the block of lines that heads
// every ticket, kept in DELVHEAD.DAT.

#include "common/ui/handler_runner.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

class FrmDelvHead final : public QWidget, private HandlerRunner
{
    Q_OBJECT

public:
    // Constructing the window is its load, of the file in `settingsFolder`.
    explicit FrmDelvHead(QString settingsFolder, QWidget* parent = nullptr);

    QLabel* lblDelvHead = nullptr;
    QLineEdit* txtBord = nullptr;
    QLineEdit* txtOwn = nullptr;
    QLineEdit* txtBord2 = nullptr;
    QLineEdit* txtAdd1 = nullptr;
    QLineEdit* txtAdd2 = nullptr;
    QLineEdit* txtPhone = nullptr;
    QLineEdit* txtFax = nullptr;
    QLineEdit* txtEmail = nullptr;
    QLineEdit* txtHead = nullptr;
    QLineEdit* txtSpc = nullptr;
    QLabel* lblDesc = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdExit = nullptr;

    // Centres the window and fills the boxes from the file when it holds
    // data; otherwise they keep their initial texts.
    void Form_Load();
    // Writes the 11 lines. A file that cannot be written is reported and
    // the window keeps what was typed.
    void cmdSave_Click();
    // Closes; unsaved changes are dropped.
    void cmdExit_Click();

private:
    // The tab order and the handlers of the controls.
    void connectControls();
    // The box shown for each line of the file (none for the spacer, line 8).
    QLineEdit* boxForLine(int line) const;

    const QString m_settingsFolder;
};
