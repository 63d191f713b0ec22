#pragma once

// The main window's sold-to frame: the customer box and the address block
// under it. The window places the frame and runs the box's handlers, which
// also move the ship-to choices and the Client cursor.

class EventComboBox;
class EventTextBlock;
class QGroupBox;

class SoldToPanel
{
public:
    // Makes the frame and its controls, not yet placed in a window.
    SoldToPanel();

    QGroupBox* Frame2 = nullptr;
    EventComboBox* cboCust = nullptr;
    EventTextBlock* txtCust = nullptr;
};
