#pragma once

// The main window's option column: which jobs the job list holds (all,
// invoiced, not invoiced), what the ticket includes (job and quote numbers,
// the comment line and its box), the form selection, and the two print
// options under it. The window places the column and runs the handlers;
// the include options write into the draft.

class EventCheckBox;
class EventComboBox;
class EventOptionButton;
class QGroupBox;
class QLabel;
class QVBoxLayout;

class OptionsPanel
{
public:
    // Makes the column and its controls, not yet placed in a window.
    OptionsPanel();

    // The column, to be placed in the window.
    QVBoxLayout* column() const { return m_column; }

    QGroupBox* Frame8 = nullptr;
    QLabel* Label6 = nullptr;
    EventOptionButton* chkAll = nullptr;
    EventOptionButton* chkInv = nullptr;
    EventOptionButton* chkNon = nullptr;
    QLabel* Label8 = nullptr;
    EventCheckBox* chkJob = nullptr;
    EventCheckBox* chkComment = nullptr;
    EventComboBox* cboComment = nullptr;
    QGroupBox* Frame4 = nullptr;
    EventOptionButton* Option3 = nullptr;
    EventOptionButton* Option2 = nullptr;
    EventOptionButton* Option1 = nullptr;
    EventCheckBox* chkPart = nullptr;
    EventCheckBox* Check1 = nullptr;

private:
    void buildFormSelection();

    QVBoxLayout* m_column = nullptr;
};
