// The main window's controls and menus, and where they sit: three columns
// (job and sold-to; ship-to and the part being edited; options) under the
// title line, with the buttons and the progress bar along the bottom. It
// fits a 1366 x 768 screen at 125% scaling.

#include "common/ui/event_check_box.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_option_button.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/event_scroll_bar.h"
#include "common/ui/event_text_block.h"
#include "common/ui/event_text_box.h"
#include "common/ui/named_control.h"
#include "common/ui/window_registry.h"
#include "input/ui/frm_delivery.h"

#include <QAction>
#include <QFont>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// A control of the event kind with its caption set after construction.
template<typename Widget>
Widget* captioned(const char* name, const QString& caption)
{
    auto* widget = named<Widget>(name);
    widget->setText(caption);
    return widget;
}

} // namespace

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
    grid->addLayout(buildOptions(), 1, 2);
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
    Frame7 = named<QGroupBox>("Frame7", QString());
    Label5 = named<QLabel>("Label5", QStringLiteral("Delivery Ticket Input"));
    QFont headingFont = Label5->font();
    headingFont.setBold(true);
    Label5->setFont(headingFont);
    picParts = named<QLabel>("picParts");
    picParts->setFixedSize(40, 40);
    picParts->setFrameShape(QFrame::Box);
    picParts->setAccessibleName(QStringLiteral("Part No. picture"));
    lblPart = named<QLabel>("lblPart", QStringLiteral("Part No."));
    txtQty = named<EventTextBox>("txtQty");
    txtBO = named<EventTextBox>("txtBO");
    txtDes = named<EventTextBox>("txtDes");
    Label2 = buddyLabel("Label2", QStringLiteral("&Quantity:"), txtQty);
    Label3 = buddyLabel("Label3", QStringLiteral("&Back-Ordered:"), txtBO);
    Label4 = buddyLabel("Label4", QStringLiteral("Description:"), txtDes);
    HScroll1 = named<EventScrollBar>("HScroll1");
    HScroll1->setRange(1, 9);
    HScroll1->setAccessibleName(lblPart->text());
    auto* itemLayout = new QGridLayout(Frame7);
    itemLayout->addWidget(Label5, 0, 0, 1, 3);
    itemLayout->addWidget(lblPart, 1, 0);
    itemLayout->addWidget(picParts, 1, 1, 2, 1);
    itemLayout->addWidget(Label2, 1, 2);
    itemLayout->addWidget(txtQty, 1, 3);
    itemLayout->addWidget(Label3, 2, 2);
    itemLayout->addWidget(txtBO, 2, 3);
    itemLayout->addWidget(Label4, 3, 0, 1, 4);
    itemLayout->addWidget(txtDes, 4, 0, 1, 4);
    itemLayout->addWidget(HScroll1, 5, 0, 1, 4);

    auto* middle = new QVBoxLayout;
    middle->addWidget(m_shipTo.Frame5);
    middle->addWidget(m_shipTo.Frame6, 1);
    middle->addWidget(Frame7);
    return middle;
}

// Right column: list and include options, form selection, print options.
QVBoxLayout* FrmDelivery::buildOptions()
{
    Frame8 = named<QGroupBox>("Frame8", QStringLiteral("Options"));
    Label6 = named<QLabel>("Label6", QStringLiteral("List"));
    chkAll = captioned<EventOptionButton>("chkAll", QStringLiteral("&All Jobs"));
    chkInv = captioned<EventOptionButton>("chkInv", QStringLiteral("&Invoiced Jobs"));
    chkNon = captioned<EventOptionButton>("chkNon", QStringLiteral("&Non-Invoiced Jobs"));
    chkAll->setValue(true);
    Label8 = named<QLabel>("Label8", QStringLiteral("Include"));
    chkJob = captioned<EventCheckBox>("chkJob", QStringLiteral("&Job/Quote Numbers"));
    chkComment = captioned<EventCheckBox>("chkComment", QStringLiteral("&Comments Shown"));
    cboComment = named<EventComboBox>("cboComment");
    nameComboBox(cboComment, QStringLiteral("Comment line"));
    auto* optionLayout = new QVBoxLayout(Frame8);
    optionLayout->setSpacing(2);
    for (QWidget* widget : std::initializer_list<QWidget*>{Label6, chkAll, chkInv, chkNon, Label8,
                                                           chkJob, chkComment, cboComment})
        optionLayout->addWidget(widget);
    Label6->setFont(Label5->font());
    Label8->setFont(Label5->font());

    // The form selection is kept for the operator's habit; every ticket has
    // the one layout.
    Frame4 = named<QGroupBox>("Frame4", QStringLiteral("Form Selections"));
    Option3 = captioned<EventOptionButton>("Option3", QStringLiteral("5.5x8.5 Form 2 Up"));
    Option2 = captioned<EventOptionButton>("Option2", QStringLiteral("Basic Delivery Form"));
    Option1 = captioned<EventOptionButton>("Option1", QStringLiteral("Pre-Printed Form"));
    Option2->setValue(true);
    auto* formLayout = new QVBoxLayout(Frame4);
    formLayout->setSpacing(2);
    formLayout->addWidget(Option3);
    formLayout->addWidget(Option2);
    formLayout->addWidget(Option1);

    chkPart = captioned<EventCheckBox>("chkPart", QStringLiteral("Only &Print Part No Shown"));
    Check1 = captioned<EventCheckBox>("Check1", QStringLiteral("Set Contact as First &Line"));

    auto* right = new QVBoxLayout;
    right->addWidget(Frame8);
    right->addWidget(Frame4);
    right->addWidget(chkPart);
    right->addWidget(Check1);
    right->addStretch(1);
    return right;
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
    txtQty->setMinimumWidth(110);
    txtBO->setMinimumWidth(110);
    for (EventComboBox* box :
         {m_jobs.cboJobs, m_soldTo.cboCust, m_shipTo.cboSCust, m_shipTo.cboShip})
        box->setMinimumContentsLength(28);
    cboComment->setMinimumContentsLength(22);
    setMinimumWidth(980);
}

// Tab follows the window's definition, as the operators know it; Enter
// has its own chain through the item fields.
void FrmDelivery::chainTabs()
{
    // clang-format off
    setTabChain({chkPart,    Check1,   txtPhone,          cmdRefresh,        cmdLabel, cmdTicket,
                 cmdExit,    chkInv,   chkNon,            chkAll,            chkJob,   chkComment,
                 cboComment, HScroll1, m_shipTo.txtShip,  m_shipTo.cboShip,  Option3,  Option2,
                 Option1,    txtPO,    m_jobs.Search,     m_jobs.cboJobs,    m_shipTo.cboSCust,
                 txtDes,   txtQty,     txtBO,      m_soldTo.txtCust,   m_soldTo.cboCust});
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
