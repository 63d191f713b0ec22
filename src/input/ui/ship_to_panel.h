#pragma once

// The main window's two ship-to frames: the customer whose address the
// ticket ships to, and the address chosen from the ship-to list with the
// block under it. The window places the frames and runs the boxes'
// handlers, which walk the Client and Addresses cursors.

class EventComboBox;
class EventTextBlock;
class QGroupBox;

class ShipToPanel
{
public:
    // Makes the frames and their controls, not yet placed in a window.
    ShipToPanel();

    QGroupBox* Frame5 = nullptr;
    EventComboBox* cboSCust = nullptr;
    QGroupBox* Frame6 = nullptr;
    EventComboBox* cboShip = nullptr;
    EventTextBlock* txtShip = nullptr;
};
