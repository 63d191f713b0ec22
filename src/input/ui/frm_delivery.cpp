// The main window's life: construction and load, its buttons and menus,
// closing, and clearing the ticket.

#include "input/ui/frm_delivery.h"

#include "common/session.h"
#include "common/short_date.h"
#include "common/ui/center_form.h"
#include "common/ui/event_check_box.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_option_button.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/event_text_block.h"
#include "common/ui/event_text_box.h"
#include "common/ui/named_control.h"
#include "common/ui/platform.h"
#include "common/ui/window_registry.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

FrmDelivery::FrmDelivery(Session& session, const TableSource& tables, QWidget* parent)
    : QMainWindow(parent)
    , Data4(tables)
    , Data3(tables)
    , Data2(tables)
    , Data1(tables)
    , m_session(session)
{
    buildControls();
    buildMenus();
    bindDraft();
    connectHandlers();
}

FrmDelivery::~FrmDelivery() = default;

// The boxes write into the draft before their change handlers run, so a
// handler never finds the draft behind the screen; the labels show what the
// draft holds.
void FrmDelivery::bindDraft()
{
    const auto textInto = [this](auto* box, QString TicketDraft::*field) {
        connect(box, &std::remove_pointer_t<decltype(box)>::textChanged, this,
                [this, box, field] { m_draft.*field = box->text(); });
        m_draft.*field = box->text();
    };
    textInto(m_soldTo.txtCust, &TicketDraft::soldToText);
    textInto(m_shipTo.txtShip, &TicketDraft::shipToText);
    textInto(txtPO, &TicketDraft::purchaseOrder);
    textInto(txtPhone, &TicketDraft::phone);
    connect(cboComment->lineEdit(), &QLineEdit::textChanged, this,
            [this] { m_draft.comment = cboComment->text(); });
    m_draft.comment = cboComment->text();

    const auto checkedInto = [this](EventCheckBox* box, bool TicketDraft::*option) {
        connect(box, &QCheckBox::stateChanged, this,
                [this, box, option] { m_draft.*option = box->value() == 1; });
        m_draft.*option = box->value() == 1;
    };
    checkedInto(chkJob, &TicketDraft::jobNumbers);
    checkedInto(chkComment, &TicketDraft::commentShown);
    checkedInto(chkPart, &TicketDraft::onlyPartShown);

    connect(&m_draft, &TicketDraft::jobCaptionChanged, txtJob, &QLabel::setText);
    connect(&m_draft, &TicketDraft::quoteCaptionChanged, txtQuote, &QLabel::setText);
    connect(&m_draft, &TicketDraft::dateChanged, lblDate,
            [this](const QDate& date) { lblDate->setText(shortDateText(date)); });
    connect(&m_draft, &TicketDraft::partCaptionChanged, Label4,
            [this](const QString& caption) { relabel(Label4, caption); });
}

void FrmDelivery::connectHandlers()
{
    const auto on = [this](auto* sender, auto signal, void (FrmDelivery::*handler)()) {
        connect(sender, signal, this, [this, handler] { runHandler([&] { (this->*handler)(); }); });
    };
    on(cmdExit, &QPushButton::clicked, &FrmDelivery::cmdExit_Click);
    on(cmdLabel, &QPushButton::clicked, &FrmDelivery::cmdLabel_Click);
    on(cmdTicket, &QPushButton::clicked, &FrmDelivery::cmdTicket_Click);
    on(cmdRefresh, &QPushButton::clicked, &FrmDelivery::cmdRefresh_Click);
    on(chkAll, &EventOptionButton::clicked, &FrmDelivery::chkAll_Click);
    on(chkInv, &EventOptionButton::clicked, &FrmDelivery::chkInv_Click);
    on(chkNon, &EventOptionButton::clicked, &FrmDelivery::chkNon_Click);
    on(chkJob, &EventCheckBox::clicked, &FrmDelivery::chkJob_Click);
    on(chkComment, &EventCheckBox::clicked, &FrmDelivery::chkComment_Click);
    on(mnuLoadJobs, &QAction::triggered, &FrmDelivery::mnuLoadJobs_Click);
    on(pbRefresh, &EventProgressBar::mouseDown, &FrmDelivery::pbRefresh_MouseDown);
    on(pbRefresh, &EventProgressBar::clicked, &FrmDelivery::pbRefresh_Click);
    on(m_soldTo.cboCust, &EventComboBox::changed, &FrmDelivery::cboCust_Change);
    on(m_soldTo.cboCust, &EventComboBox::clicked, &FrmDelivery::cboCust_Click);
    on(m_shipTo.cboSCust, &EventComboBox::changed, &FrmDelivery::cboSCust_Change);
    on(m_shipTo.cboSCust, &EventComboBox::clicked, &FrmDelivery::cboSCust_Click);
    on(m_shipTo.cboShip, &EventComboBox::changed, &FrmDelivery::cboShip_Change);
    on(m_shipTo.cboShip, &EventComboBox::clicked, &FrmDelivery::cboShip_Click);
    on(m_jobs.cboJobs, &EventComboBox::changed, &FrmDelivery::cboJobs_Change);
    on(m_jobs.cboJobs, &EventComboBox::clicked, &FrmDelivery::cboJobs_Click);
    on(m_jobs.Search, &EventTextBox::lostFocus, &FrmDelivery::Search_LostFocus);
    on(txtQty, &EventTextBox::lostFocus, &FrmDelivery::txtQty_LostFocus);
    on(txtBO, &EventTextBox::lostFocus, &FrmDelivery::txtBO_LostFocus);
    on(txtDes, &EventTextBox::lostFocus, &FrmDelivery::txtDes_LostFocus);
    on(HScroll1, &QScrollBar::valueChanged, &FrmDelivery::HScroll1_Change);

    const std::pair<EventTextBox*, void (FrmDelivery::*)(int)> keyHandlers[] = {
        {m_jobs.Search, &FrmDelivery::Search_KeyPress},
        {txtPO, &FrmDelivery::txtPO_KeyPress},
        {txtQty, &FrmDelivery::txtQty_KeyPress},
        {txtBO, &FrmDelivery::txtBO_KeyPress},
        {txtDes, &FrmDelivery::txtDes_KeyPress}};
    for (const auto& [box, handler] : keyHandlers) {
        connect(box, &EventTextBox::keyPressed, this,
                [this, handler = handler](int key) { runHandler([&] { (this->*handler)(key); }); });
    }

    using namespace windows::names;
    const std::pair<QAction*, const QString&> menuWindows[] = {
        {ComLine, frmComment}, {DataPath, frmPath}, {DelvHead, frmDelvHead},
        {Margins, frmMargins}, {OwnName, frmOwner}, {About, frmAbout}};
    for (const auto& [action, name] : menuWindows) {
        connect(action, &QAction::triggered, this,
                [this, name] { runHandler([&] { windows::show(name); }); });
    }
    connect(SetDate, &QAction::triggered, this,
            [this] { runHandler([this] { SetDate_Click(); }); });
}

void FrmDelivery::SetDate_Click()
{
    raisingEvents([this] { emit dateWindowWanted(); });
}

void FrmDelivery::CenterForm()
{
    ::CenterForm(*this);
}

void FrmDelivery::ClearTicket()
{
    txtQty->setText(QString());
    txtBO->setText(QString());
    txtDes->setText(QString());
    m_soldTo.txtCust->setText(QString());
    m_shipTo.txtShip->setText(QString());
    m_jobs.cboJobs->setText(QString());
    m_soldTo.cboCust->setText(QString());
    m_shipTo.cboShip->setText(QString());
    m_shipTo.cboSCust->setText(QString());
    txtPO->setText(QString());
    m_draft.setQuoteCaption(QString());
    m_draft.setJobCaption(QString());
    txtPhone->setText(QString());
}

void FrmDelivery::cmdExit_Click()
{
    platform().endProgram();
}

void FrmDelivery::cmdLabel_Click() {}

void FrmDelivery::cmdTicket_Click()
{
    windows::show(windows::names::frmReport);
}

void FrmDelivery::Form_QueryUnload()
{
    windows::unloadAll();
    platform().endProgram();
}

void FrmDelivery::closeEvent(QCloseEvent* event)
{
    event->accept();
    runHandler([this] { Form_QueryUnload(); });
}
