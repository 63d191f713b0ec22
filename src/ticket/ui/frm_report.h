#pragma once

// The ticket window, frmReport "Delivery Ticket": shows the ticket as it will
// be printed, carries the "Drop Signature Section" option and prints.
//
// Opening composes the ticket once; the window is only brought to the front
// when it is shown again while open, so the preview, and the address lines
// the print takes from the main window's hidden lists, stay those of the
// opening.

#include <QPointer>
#include <QStringList>
#include <QWidget>

class EventCheckBox;
class FrmDelivery;
class QPushButton;
class QScrollArea;
class TicketPage;

class FrmReport final : public QWidget
{
    Q_OBJECT

public:
    // Constructing the window is its load; it reads the main window's fields.
    explicit FrmReport(FrmDelivery& main, QWidget* parent = nullptr);

    // Controls.
    EventCheckBox* Check1 = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* Command1 = nullptr;
    QScrollArea* picFrame = nullptr;
    TicketPage* picTicket = nullptr;

    // The split sold-to and ship-to lines (at most 11 each) of the opening.
    QStringList CustLines;
    QStringList ShipLines;

    // Handlers.
    void Form_Load();
    void Check1_Click();
    void cmdPrint_Click();
    void Form_Unload();

    // Splits the main window's sold-to (ship-to) text into CustLines
    // (ShipLines) and into its hidden list lstCust (lstShip).
    void StripCust();
    void StripShip();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<FrmDelivery> m_main;
};
