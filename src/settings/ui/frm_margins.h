#pragma once

// The margins editor, frmMargins: the ticket's top margin and the form's
// line count, kept in BID.FYL, beside a small drawing of the page whose
// height label follows the line count.

#include "common/ui/handler_runner.h"

#include <QWidget>

class EventTextBox;
class QLabel;
class QPushButton;

class FrmMargins final : public QWidget, private HandlerRunner
{
    Q_OBJECT

public:
    // Constructing the window is its load, of the file in `settingsFolder`.
    explicit FrmMargins(QString settingsFolder, QWidget* parent = nullptr);

    QLabel* Label6 = nullptr;      // the page height in inches
    EventTextBox* Text1 = nullptr; // top margin, line 1
    EventTextBox* Text2 = nullptr; // hidden, never read or written
    EventTextBox* Text3 = nullptr; // total lines, line 2
    QPushButton* cmdMargins = nullptr;

    // Centres the window and reads the file; a failure stops the reading
    // with a "Warning" box naming the error number (53: the file is
    // missing and will be created by the save).
    void Form_Load();
    // Enter moves the focus to cmdMargins.
    void Text3_KeyPress(int keyAscii);
    // Label6 follows the typed line count.
    void Text3_LostFocus();
    // Saves and closes. A file that cannot be written is reported and the
    // window stays open with what was typed.
    void cmdMargins_Click();

private:
    // The tab order and the handlers of the controls.
    void connectControls();

    const QString m_settingsFolder;
};
