#pragma once

// The main window: where the operator prepares one delivery ticket at a
// time. The ticket itself is its TicketDraft, which the preview and printing
// read: the window's boxes write what is typed into the draft, and show what
// the draft holds. Picking or typing a job, a customer or a ship-to key runs
// the selection rules (input/job_selection.h, input/customer_selection.h),
// which fill the draft; a box showing what a rule put there runs no handler
// of its own, the rule having run it already. The controls live in the
// window's panels, each frame's under the name the rest of the program
// knows it by; the title line, purchase order, phone and buttons are the
// window's own.
//
// The four table cursors live as long as the window; each has one current
// record shared by every handler, and a handler leaves it where it stopped.

#include "common/runtime_error.h"
#include "common/ui/handler_runner.h"
#include "input/customer_selection.h"
#include "input/job_selection.h"
#include "input/option_files.h"
#include "input/ticket_draft.h"
#include "input/ui/job_panel.h"
#include "input/ui/options_panel.h"
#include "input/ui/parts_panel.h"
#include "input/ui/ship_to_panel.h"
#include "input/ui/sold_to_panel.h"
#include "orderdb/table_cursor.h"

#include <QMainWindow>

class EventCheckBox;
class EventComboBox;
class EventOptionButton;
class EventProgressBar;
class EventTextBlock;
class EventTextBox;
class QAction;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QScrollBar;
class QVBoxLayout;
struct Session;

class FrmDelivery : public QMainWindow, private HandlerRunner
{
    Q_OBJECT

public:
    // Builds the window; Form_Load() loads it. The session's folders,
    // ticket date and job flag are the ones it reads and sets; its tables
    // are read through the table source.
    FrmDelivery(Session& session, const TableSource& tables, QWidget* parent = nullptr);
    ~FrmDelivery() override;

    // The ticket being edited.
    TicketDraft& draft() { return m_draft; }
    const TicketDraft& draft() const { return m_draft; }

    // The window's panels.
    JobPanel& jobs() { return m_jobs; }
    SoldToPanel& soldTo() { return m_soldTo; }
    ShipToPanel& shipTo() { return m_shipTo; }
    PartsPanel& parts() { return m_parts; }
    OptionsPanel& options() { return m_options; }

    // Routines other windows use.
    void CenterForm();
    void ClearTicket();
    void cmdRefresh_Click();

    // Controls, in the window's definition order.
    EventTextBox* txtPhone = nullptr;
    TableCursor Data4; // "JobLog"
    EventProgressBar* pbRefresh = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdLabel = nullptr;
    QPushButton* cmdTicket = nullptr;
    QPushButton* cmdExit = nullptr;
    TableCursor Data3; // "Addresses"
    TableCursor Data2; // "Client"
    QGroupBox* Frame3 = nullptr;
    EventTextBox* txtPO = nullptr;
    TableCursor Data1; // "Orders"
    QLabel* txtQuote = nullptr;
    QLabel* txtJob = nullptr;
    QLabel* lblDate = nullptr;
    QLabel* Label1 = nullptr;

    // Menu entries.
    QAction* ComLine = nullptr;
    QAction* DataPath = nullptr;
    QAction* DelvHead = nullptr;
    QAction* Margins = nullptr;
    QAction* OwnName = nullptr;
    QAction* SetDate = nullptr;
    QAction* mnuLoadJobs = nullptr;
    QAction* About = nullptr;

    // The load: settings, lists and tables. It may show message boxes and
    // the data-folder window, and may end the program.
    void Form_Load();

    // Handlers.
    void cmdExit_Click();
    void cmdLabel_Click();
    void cmdTicket_Click();
    void chkAll_Click();
    void chkInv_Click();
    void chkNon_Click();
    void chkJob_Click();
    void chkComment_Click();
    void mnuLoadJobs_Click();
    // Asks for the date window, its calendar on the ticket date, not
    // waiting.
    void SetDate_Click();
    void pbRefresh_MouseDown();
    void pbRefresh_Click();

    // Customer and ship-to selection (frm_delivery_customers.cpp).
    void cboCust_Change();
    void cboCust_Click();
    void cboSCust_Change();
    void cboSCust_Click();
    void cboShip_Change();
    void cboShip_Click();

    // Job selection and job search (frm_delivery_jobs.cpp).
    void cboJobs_Change();
    void cboJobs_Click();
    void Search_KeyPress(int keyAscii);
    void Search_LostFocus();

    // The item fields and the order's parts (frm_delivery_parts.cpp).
    void txtPO_KeyPress(int keyAscii);
    void txtQty_KeyPress(int keyAscii);
    void txtBO_KeyPress(int keyAscii);
    void txtDes_KeyPress(int keyAscii);
    void txtQty_LostFocus();
    void txtBO_LostFocus();
    void txtDes_LostFocus();
    void HScroll1_Change();

    // Closing by the close box: unloads every window and ends the program.
    void Form_QueryUnload();

signals:
    // "Set Date": the program shows the date window, which reports the date
    // chosen.
    void dateWindowWanted();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the load does after a failed statement.
    enum class LoadReaction { Continue, LeaveCustomerScan, LeaveJobPart, StopLoad };
    enum class ProgressStep { AfterMove, BeforeEntry };

    void buildControls();
    QHBoxLayout* buildTitleLine();
    QVBoxLayout* buildJobAndSoldTo();
    QVBoxLayout* buildShipToAndPart();
    QHBoxLayout* buildButtons();
    void sizeControls();
    void chainTabs();
    void bindDraft();
    void buildMenus();
    void connectHandlers();

    // What a failure leads to (the table in frm_delivery_failures.cpp): in
    // the load at a line label; in "Refresh Jobs", false when it stops;
    // opening the tables, false when the load stops.
    LoadReaction loadFailure(const Failure& failure, int label);
    bool refreshFailure(const Failure& failure, int label);
    bool openFailure(const Failure& failure);
    // The warning for a failure at a line label: "Error # 13 in Line 260."
    static QString errorBoxText(const Failure& failure, int label, bool fullStop);
    void askWhetherToGoOn(const QString& text);
    template<typename Statement>
    LoadReaction loadStep(int label, Statement&& statement);
    template<typename Statement>
    void ignoringFailures(Statement&& statement);

    // The load's stages, in order.
    void startEmptyTicket();
    bool readStoredOptions();
    void askForDataFolderWhenNone();
    void fillCommentList();
    qint64 customerAndJobRecords();
    LoadReaction fillLists(qint64& counter);

    bool openTables();

    class JobProgress;
    // Shows what the draft's selections set, in the boxes whose change
    // handlers the selection has already run itself.
    void showDraft();
    template<typename Change>
    void showingDraft(Change&& change);
    LoadReaction scanCustomers(qint64& counter);
    template<typename OnFailure>
    void scanJobs(qint64& counter, ProgressStep progress, OnFailure&& onFailure);

    void selectFilter(JobFilter filter);
    void showProgress(qint64 value);
    void resetProgress();
    void showDatabaseWarning();
    void showDataFolderWindow();

    JobFilter currentFilter() const;
    Session& m_session;
    TicketDraft m_draft;
    JobPanel m_jobs;
    SoldToPanel m_soldTo;
    ShipToPanel m_shipTo;
    PartsPanel m_parts;
    OptionsPanel m_options;
    CustomerSelection m_customers;
    JobSelection m_jobSelection;
    // While a box shows what the draft holds, its handlers do not run.
    bool m_showingDraft = false;
    bool m_databaseWarningShown = false;
    // The values between which the progress bar shows no change.
    qint64 m_progressLow = 0;
    qint64 m_progressNext = 0;
};
