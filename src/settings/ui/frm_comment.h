#pragma once

// The comment-lines editor, frmComment: the stock comment lines of
// Comments.Dat in the data folder, which the main window offers in its own
// comment list.

#include "common/ui/handler_runner.h"
#include "settings/shared_comments.h"

#include <QStringList>
#include <QWidget>

class EventComboBox;
class QLabel;
class QPushButton;

class FrmComment final : public QWidget, private HandlerRunner
{
    Q_OBJECT

public:
    // Constructing the window is its load; it works in the session's data
    // folder.
    explicit FrmComment(Session& session, QWidget* parent = nullptr);

    QLabel* lblComment = nullptr;
    EventComboBox* cboComment = nullptr;
    QPushButton* cmdPost = nullptr;
    QPushButton* cmdErase = nullptr;
    QPushButton* cmdExit = nullptr;

    // Centres the window, takes the whole first line of the data-folder
    // file as the data folder and lists the comment file's lines; without a data
    // folder the data-folder window opens beside this one.
    void Form_Load();
    // Appends the edit text to the file as one line, unless the file as it
    // now stands already lists it in the same letters and case; then lists
    // the file as it now is, lines other workstations posted included. A
    // file that cannot be written is reported and the list stays as it
    // stands.
    void cmdPost_Click();
    // Removes the first entry equal to the edit text after a confirmation;
    // the file follows when the window is left with cmdExit.
    void cmdErase_Click();
    // Removes the lines erased here from the file as it now stands, keeping
    // every line posted meanwhile, and closes. A file that cannot be written
    // is reported; the window, the file and the main window's list then
    // stay as they are.
    void cmdExit_Click();

signals:
    // The comment file's lines after this window changed it or was left.
    void commentLinesChanged(const QStringList& lines);

private:
    // Lists the file as last read, less the lines erased here, and tells
    // who listens what the file now holds.
    void showLines();
    // Lists the comment file's lines; false (the data-folder window shown
    // instead) without a data folder.
    bool listComments();

    Session& m_session;
    SharedComments m_comments;
};
