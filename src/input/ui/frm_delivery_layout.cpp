// The main window's controls and menus, and where they sit: three columns
// (job and sold-to; ship-to and the part being edited; options) under the
// title line, with the buttons and the progress bar along the bottom. It
// fits a 1366 x 768 screen at 125% scaling.

#include "common/ui/event_check_box.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_option_button.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/event_text_block.h"
#include "common/ui/event_text_box.h"
#include "common/ui/named_control.h"
#include "common/ui/window_registry.h"
#include "input/ui/frm_delivery.h"

#include <QAction>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

void FrmDelivery::buildControls()
{
    setObjectName(windows::names::frmDelivery);
    setWindowTitle(QStringLiteral("Quillmark's Vantrell Series"));

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);

    grid->addLayout(buildTitleLine(), 0, 0, 1, 3);
    grid->addLayout(buildJobAndSoldTo(), 1, 0);
    grid->addLayout(buildShipToAndPart(), 1, 1);
    grid->addLayout(m_options.column(), 1, 2);
    grid->addLayout(buildButtons(), 2, 0, 1, 3);
    sizeControls();
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 2);
    chainTabs();
}

// Title line: title, order and quote captions, ticket date.
QHBoxLayout* FrmDelivery::buildTitleLine()
{
    Label1 = named<QLabel>("Label1", QStringLiteral("Vantrell Delivery Ticket"));
    QFont titleFont(QStringLiteral("Times New Roman"));
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    txtJob = named<QLabel>("txtJob");
    txtQuote = named<QLabel>("txtQuote");
    lblDate = named<QLabel>("lblDate", QStringLiteral("12/31/00"));
    // These captions are announced as they read (the date, "Order No: ...");
    // what they are goes into the description.
    lblDate->setAccessibleDescription(QStringLiteral("Ticket date"));
    txtJob->setAccessibleDescription(QStringLiteral("Order number"));
    txtQuote->setAccessibleDescription(QStringLiteral("Quote number"));
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(Label1);
    titleRow->addSpacing(20);
    titleRow->addWidget(txtJob);
    titleRow->addSpacing(12);
    titleRow->addWidget(txtQuote);
    titleRow->addStretch(1);
    titleRow->addWidget(lblDate);
    return titleRow;
}

// Left column: the job, the sold-to customer, purchase order and phone.
QVBoxLayout* FrmDelivery::buildJobAndSoldTo()
{
    Frame3 = named<QGroupBox>("Frame3", QStringLiteral("Purchase Order"));
    txtPO = named<EventTextBox>("txtPO"); // named by its frame's title
    auto* poLayout = new QHBoxLayout(Frame3);
    poLayout->addWidget(txtPO);

    txtPhone = named<EventTextBox>("txtPhone");
    auto* phoneRow = new QHBoxLayout;
    phoneRow->addWidget(buddyLabel("lblPhone", QStringLiteral("P&hone:"), txtPhone));
    phoneRow->addWidget(txtPhone, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(m_jobs.Frame1);
    left->addWidget(m_soldTo.Frame2, 1);
    left->addWidget(Frame3);
    left->addLayout(phoneRow);
    return left;
}

// Middle column: ship-to choices and the part being edited.
QVBoxLayout* FrmDelivery::buildShipToAndPart()
{
    auto* middle = new QVBoxLayout;
    middle->addWidget(m_shipTo.Frame5);
    middle->addWidget(m_shipTo.Frame6, 1);
    middle->addWidget(m_parts.Frame7);
    return middle;
}

// Bottom line: the buttons and the progress of list filling.
QHBoxLayout* FrmDelivery::buildButtons()
{
    cmdRefresh = named<QPushButton>("cmdRefresh", QStringLiteral("&Refresh Jobs"));
    cmdLabel = named<QPushButton>("cmdLabel", QStringLiteral("Display &Labels"));
    cmdTicket = named<QPushButton>("cmdTicket", QStringLiteral("Display &Ticket"));
    cmdExit = named<QPushButton>("cmdExit", QStringLiteral("E&xit"));
    pbRefresh = named<EventProgressBar>("pbRefresh");
    pbRefresh->setTextVisible(false);
    pbRefresh->setAccessibleName(QStringLiteral("List filling progress"));
    pbRefresh->setVisible(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(pbRefresh, 1);
    bottom->addStretch(0);
    for (QPushButton* button : {cmdRefresh, cmdLabel, cmdTicket, cmdExit})
        bottom->addWidget(button);
    return bottom;
}

// Room for a job entry, a customer name and a part description.
void FrmDelivery::sizeControls()
{
    m_jobs.Search->setMinimumWidth(110);
    for (EventComboBox* box :
         {m_jobs.cboJobs, m_soldTo.cboCust, m_shipTo.cboSCust, m_shipTo.cboShip})
        box->setMinimumContentsLength(28);
    setMinimumWidth(980);
}

// Tab follows the window's definition, as the operators know it; Enter
// has its own chain through the item fields.
void FrmDelivery::chainTabs()
{
    const OptionsPanel& o = m_options;
    const PartsPanel& p = m_parts;
    // clang-format off
    setTabChain({o.chkPart, o.Check1, txtPhone, cmdRefresh, cmdLabel, cmdTicket, cmdExit,
                 o.chkInv, o.chkNon, o.chkAll, o.chkJob, o.chkComment, o.cboComment,
                 p.HScroll1, m_shipTo.txtShip, m_shipTo.cboShip,
                 o.Option3, o.Option2, o.Option1, txtPO,
                 m_jobs.Search, m_jobs.cboJobs, m_shipTo.cboSCust,
                 p.txtDes, p.txtQty, p.txtBO,
                 m_soldTo.txtCust, m_soldTo.cboCust});
    // clang-format on
}

void FrmDelivery::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    ComLine = file->addAction(QStringLiteral("&Comment Lines"));
    DataPath = file->addAction(QStringLiteral("&Data Path"));
    DelvHead = file->addAction(QStringLiteral("Delivery &Head"));
    Margins = file->addAction(QStringLiteral("&Margins"));
    OwnName = file->addAction(QStringLiteral("&Owner's Name"));
    SetDate = file->addAction(QStringLiteral("Set D&ate"));
    mnuLoadJobs = file->addAction(QStringLiteral("&Load Jobs"));
    mnuLoadJobs->setCheckable(true);
    mnuLoadJobs->setChecked(true);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    About = help->addAction(QStringLiteral("&About"));

    const std::pair<QAction*, const char*> names[] = {
        {ComLine, "ComLine"},         {DataPath, "DataPath"}, {DelvHead, "DelvHead"},
        {Margins, "Margins"},         {OwnName, "OwnName"},   {SetDate, "SetDate"},
        {mnuLoadJobs, "mnuLoadJobs"}, {About, "About"}};
    for (const auto& [action, name] : names)
        action->setObjectName(QString::fromLatin1(name));
}
