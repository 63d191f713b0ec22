#pragma once

// The ticket window, frmReport "Delivery Ticket": shows the ticket as it will
// be printed, carries the "Drop Signature Section" option and prints.
//
// It reads the ticket being edited (TicketDraft) and never a window. Opening
// composes the ticket once; the window is only brought to the front when it
// is shown again while open, so the preview, and the address lines the print
// takes from the draft's lists, stay those of the opening.

#include <QPointer>
#include <QStringList>
#include <QWidget>

class EventCheckBox;
class QPushButton;
class QScrollArea;
class TicketDraft;
struct Session;
class TicketPage;

class FrmReport final : public QWidget
{
    Q_OBJECT

public:
    // Constructing the window is its load; it reads the draft, and reads
    // the data-folder file into the session again.
    FrmReport(TicketDraft& draft, Session& session, QWidget* parent = nullptr);

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

    // Splits the draft's sold-to and ship-to blocks into CustLines and
    // ShipLines and into the draft's lists.
    void StripAddresses();

signals:
    // A complete print closed the window: the main window comes back.
    void printed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<TicketDraft> m_draft;
    Session& m_session;
};
