#pragma once

// The main window's job frame: the job search box with its label, and the
// job list. The window places the frame and runs the handlers, which fill
// the ticket from the job's order lines.

class EventComboBox;
class EventTextBox;
class QGroupBox;
class QLabel;

class JobPanel
{
public:
    // Makes the frame and its controls, not yet placed in a window.
    JobPanel();

    QGroupBox* Frame1 = nullptr;
    EventTextBox* Search = nullptr;
    QLabel* Label7 = nullptr;
    EventComboBox* cboJobs = nullptr;
};
