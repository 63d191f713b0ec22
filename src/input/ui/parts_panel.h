#pragma once

// The main window's part frame: the quantity, back-ordered quantity and
// description of the part on screen, the scroll bar that pages through the
// order's parts, and the part's picture. The window places the frame and
// runs the handlers, which keep the draft's part rows and these boxes in
// step.

class EventTextBox;
class QGroupBox;
class QLabel;
class QScrollBar;

class PartsPanel
{
public:
    // Makes the frame and its controls, not yet placed in a window.
    PartsPanel();

    QGroupBox* Frame7 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* picParts = nullptr;
    QLabel* lblPart = nullptr;
    EventTextBox* txtQty = nullptr;
    EventTextBox* txtBO = nullptr;
    EventTextBox* txtDes = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    // Its caption names the part on screen ("Description: (Part 2 of 3)").
    QLabel* Label4 = nullptr;
    QScrollBar* HScroll1 = nullptr;
};
