#pragma once

// A stand-in for the data-folder window, frmPath, until the window with
// drive boxes and folder lists takes its place: the two stored folders in
// two editable text boxes and a Continue button. Only typed paths can be
// chosen here.

#include <QWidget>

class QLineEdit;
class QPushButton;

class FrmPath final : public QWidget
{
    Q_OBJECT

public:
    // Builds the controls, then loads the window (Form_Load): centres it and
    // reads the data-folder file. A stored folder that is a path is shown in
    // its box (Text1 the data folder, Text2 the Est folder); a box without
    // one keeps "No Folder Selected". When the file is missing or short the
    // load stops where it failed and DataFolder is emptied.
    explicit FrmPath(QWidget* parent = nullptr);

private:
    void formLoad();

    // cmdPath_Click: stores both texts when both are paths (failures to
    // write are ignored), then unloads this window and shows frmDelivery.
    void cmdPathClick();

    QLineEdit* m_text1;
    QLineEdit* m_text2;
    QPushButton* m_cmdPath;
};
