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
#include <QScopedValueRollback>
#include <QScrollBar>

FrmDelivery::FrmDelivery(Session& session, const TableSource& tables, QWidget* parent)
    : QMainWindow(parent)
    , Data4(tables)
    , Data3(tables)
    , Data2(tables)
    , Data1(tables)
    , m_session(session)
    , m_customers(m_draft, Data2, Data3)
    , m_jobSelection(m_draft, session, m_customers, {Data1, Data3, Data4})
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
    connect(m_options.cboComment->lineEdit(), &QLineEdit::textChanged, this,
            [this] { m_draft.comment = m_options.cboComment->text(); });
    m_draft.comment = m_options.cboComment->text();

    const auto checkedInto = [this](EventCheckBox* box, bool TicketDraft::*option) {
        connect(box, &QCheckBox::stateChanged, this,
                [this, box, option] { m_draft.*option = box->value() == 1; });
        m_draft.*option = box->value() == 1;
    };
    checkedInto(m_options.chkJob, &TicketDraft::jobNumbers);
    checkedInto(m_options.chkComment, &TicketDraft::commentShown);
    checkedInto(m_options.chkPart, &TicketDraft::onlyPartShown);

    const auto comboInto = [this](EventComboBox* box, QString TicketDraft::*field) {
        connect(box->lineEdit(), &QLineEdit::textChanged, this,
                [this, box, field] { m_draft.*field = box->text(); });
        m_draft.*field = box->text();
    };
    comboInto(m_soldTo.cboCust, &TicketDraft::soldToCustomer);
    comboInto(m_shipTo.cboSCust, &TicketDraft::shipToCustomer);
    comboInto(m_shipTo.cboShip, &TicketDraft::shipKey);
    showDraft();

    connect(&m_draft, &TicketDraft::jobCaptionChanged, txtJob, &QLabel::setText);
    connect(&m_draft, &TicketDraft::quoteCaptionChanged, txtQuote, &QLabel::setText);
    connect(&m_draft, &TicketDraft::dateChanged, lblDate,
            [this](const QDate& date) { lblDate->setText(shortDateText(date)); });
    connect(&m_draft, &TicketDraft::partCaptionChanged, m_parts.Label4,
            [this](const QString& caption) { relabel(m_parts.Label4, caption); });
}

template<typename Change>
void FrmDelivery::showingDraft(Change&& change)
{
    const QScopedValueRollback<bool> muted(m_showingDraft, true);
    change();
}

void FrmDelivery::showDraft()
{
    const auto show = [this](auto signal, auto* box, auto setter) {
        connect(&m_draft, signal, box, [this, box, setter](const auto& value) {
            showingDraft([&] { (box->*setter)(value); });
        });
    };
    show(&TicketDraft::soldToTextChanged, m_soldTo.txtCust, &EventTextBlock::setText);
    show(&TicketDraft::shipToTextChanged, m_shipTo.txtShip, &EventTextBlock::setText);
    show(&TicketDraft::soldToCustomerChanged, m_soldTo.cboCust, &EventComboBox::setText);
    show(&TicketDraft::shipToCustomerChanged, m_shipTo.cboSCust, &EventComboBox::setText);
    show(&TicketDraft::shipKeyChanged, m_shipTo.cboShip, &EventComboBox::setText);
    show(&TicketDraft::shipKeysChanged, m_shipTo.cboShip, &EventComboBox::setItems);
    show(&TicketDraft::purchaseOrderChanged, txtPO, &EventTextBox::setText);
    show(&TicketDraft::phoneChanged, txtPhone, &EventTextBox::setText);
    connect(&m_draft, &TicketDraft::partFieldShown, this,
            [this](TicketDraft::PartField field, const QString& text) {
                using Field = TicketDraft::PartField;
                EventTextBox* box = field == Field::Quantity      ? m_parts.txtQty
                                    : field == Field::BackOrdered ? m_parts.txtBO
                                                                  : m_parts.txtDes;
                showingDraft([&] { box->setText(text); });
            });
    connect(&m_draft, &TicketDraft::pagedToFirstPart, this,
            [this] { showingDraft([this] { m_parts.HScroll1->setValue(1); }); });
}

void FrmDelivery::connectHandlers()
{
    // A box showing what the draft holds runs no handler: the draft's
    // selection ran it already.
    const auto on = [this](auto* sender, auto signal, void (FrmDelivery::*handler)()) {
        connect(sender, signal, this, [this, handler] {
            if (!m_showingDraft)
                runHandler([&] { (this->*handler)(); });
        });
    };
    on(cmdExit, &QPushButton::clicked, &FrmDelivery::cmdExit_Click);
    on(cmdLabel, &QPushButton::clicked, &FrmDelivery::cmdLabel_Click);
    on(cmdTicket, &QPushButton::clicked, &FrmDelivery::cmdTicket_Click);
    on(cmdRefresh, &QPushButton::clicked, &FrmDelivery::cmdRefresh_Click);
    on(m_options.chkAll, &EventOptionButton::clicked, &FrmDelivery::chkAll_Click);
    on(m_options.chkInv, &EventOptionButton::clicked, &FrmDelivery::chkInv_Click);
    on(m_options.chkNon, &EventOptionButton::clicked, &FrmDelivery::chkNon_Click);
    on(m_options.chkJob, &EventCheckBox::clicked, &FrmDelivery::chkJob_Click);
    on(m_options.chkComment, &EventCheckBox::clicked, &FrmDelivery::chkComment_Click);
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
    on(m_parts.txtQty, &EventTextBox::lostFocus, &FrmDelivery::txtQty_LostFocus);
    on(m_parts.txtBO, &EventTextBox::lostFocus, &FrmDelivery::txtBO_LostFocus);
    on(m_parts.txtDes, &EventTextBox::lostFocus, &FrmDelivery::txtDes_LostFocus);
    on(m_parts.HScroll1, &QScrollBar::valueChanged, &FrmDelivery::HScroll1_Change);

    const std::pair<EventTextBox*, void (FrmDelivery::*)(int)> keyHandlers[] = {
        {m_jobs.Search, &FrmDelivery::Search_KeyPress},
        {txtPO, &FrmDelivery::txtPO_KeyPress},
        {m_parts.txtQty, &FrmDelivery::txtQty_KeyPress},
        {m_parts.txtBO, &FrmDelivery::txtBO_KeyPress},
        {m_parts.txtDes, &FrmDelivery::txtDes_KeyPress}};
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
    m_parts.txtQty->setText(QString());
    m_parts.txtBO->setText(QString());
    m_parts.txtDes->setText(QString());
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
