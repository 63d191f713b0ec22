#include "ticket/ui/frm_report.h"

#include "common/runtime_error.h"
#include "common/session.h"
#include "common/ui/center_form.h"
#include "common/ui/event_check_box.h"
#include "common/ui/event_text_block.h"
#include "common/ui/platform.h"
#include "common/ui/unload_window.h"
#include "common/ui/window_registry.h"
#include "input/ticket_draft.h"
#include "settings/data_folder_file.h"
#include "settings/delivery_header_file.h"
#include "settings/margins_file.h"
#include "settings/owner_record_file.h"
#include "settings/signature_option_file.h"
#include "ticket/compose_ticket.h"
#include "ticket/draft_fields.h"
#include "ticket/text_grid_surface.h"
#include "ticket/ui/painter_surface.h"
#include "ticket/ui/ticket_font.h"
#include "ticket/ui/ticket_page.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int PreviewPointSize = 10;
constexpr int PrintPointSize = 12;
constexpr int PreferredHeight = 760;
constexpr int DeskStrip = 12;

std::optional<QString> storedOwnerName(const QString& settingsFolder)
{
    const std::optional<OwnerRecord> record = readOwnerRecord(settingsFolder);
    if (!record)
        return std::nullopt;
    return record->name;
}

// The data-folder file is read afresh on opening and at every print; the
// ticket does not use the folders, and a failing read leaves them as they
// were.
void refreshDataFolder(Session& session)
{
    [[maybe_unused]] const Result<void> folders =
        readDataFolderFile(session.settingsFolder).applyTo(session);
}

template<typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A control without text of its own (the page and its frame) under a fixed
// name for screen readers.
template<typename Widget>
Widget* named(Widget* widget, const char* name, const QString& accessibleName)
{
    widget->setAccessibleName(accessibleName);
    return named(widget, name);
}

} // namespace

FrmReport::FrmReport(TicketDraft& draft, Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_draft(&draft)
    , m_session(session)
{
    setObjectName(windows::names::frmReport);
    setWindowTitle(QStringLiteral("Delivery Ticket"));

    const QString printCaption = QStringLiteral("Print Ticket");
    Check1 = named(new EventCheckBox(this), "Check1");
    Check1->setText(QStringLiteral("Drop Signature Section"));
    Check1->setValue(1);
    // The buttons are announced by their captions, "Printing" too.
    cmdPrint = named(new QPushButton(printCaption, this), "cmdPrint");
    Command1 = named(new QPushButton(printCaption, this), "Command1");
    picTicket = named(new TicketPage(ticketFont(PreviewPointSize)), "picTicket",
                      QStringLiteral("Delivery Ticket"));
    picFrame = named(new QScrollArea(this), "picFrame", QStringLiteral("Delivery Ticket"));
    picFrame->setWidget(picTicket);
    picFrame->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    picFrame->setBackgroundRole(QPalette::Dark);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Check1);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(cmdPrint);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(picFrame, 1);

    // As wide as the page with a strip of the desk on either side, and as
    // tall as fits on most screens; a longer page scrolls.
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const double screenHeight = platform().screenSizeTwips().height() / platform().twipsPerPixel();
    resize(picTicket->sizeHint().width() + 2 * DeskStrip + frame +
               style()->pixelMetric(QStyle::PM_ScrollBarExtent) + layout->contentsMargins().left() +
               layout->contentsMargins().right(),
           screenHeight > 0 ? std::min(PreferredHeight, static_cast<int>(screenHeight * 0.9))
                            : PreferredHeight);

    connect(Check1, &EventCheckBox::clicked, this, &FrmReport::Check1_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &FrmReport::cmdPrint_Click);

    Form_Load();
}

void FrmReport::Form_Load()
{
    CenterForm(*this);

    // A file that cannot be read counts as unchecked; a stored value the box
    // cannot take leaves it as it is.
    if (const int stored = readSignatureOption(m_session.settingsFolder).valueOr(0);
        EventCheckBox::takes(stored))
        Check1->setValue(stored);
    refreshDataFolder(m_session);
    TicketInputs inputs;
    inputs.header = readDeliveryHeader(m_session.settingsFolder).value_or(DeliveryHeader());

    StripAddresses();
    inputs.fields = ticketFields(*m_draft);
    inputs.fields.soldTo = CustLines;
    inputs.fields.shipTo = ShipLines;
    inputs.ownerName = [this] { return storedOwnerName(m_session.settingsFolder); };

    TextGridSurface ticket;
    composeTicket(inputs, TicketVariant::Preview, ticket);
    picTicket->setTicket(ticket);
}

void FrmReport::Check1_Click()
{
    // An option that cannot be stored holds for this ticket only, unreported.
    [[maybe_unused]] const Result<void> stored =
        writeSignatureOption(m_session.settingsFolder, static_cast<std::int16_t>(Check1->value()));
}

void FrmReport::StripAddresses()
{
    if (!m_draft)
        return;
    m_draft->splitAddresses();
    CustLines = m_draft->soldToLines.items();
    ShipLines = m_draft->shipToLines.items();
}

void FrmReport::cmdPrint_Click()
{
    if (!m_draft)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!platform().printDialog(printer))
        return; // cancelled: nothing read, nothing printed

    refreshDataFolder(m_session);
    TicketInputs inputs;
    inputs.topMargin = readTopMargin(m_session.settingsFolder).valueOr(0);
    const std::optional<DeliveryHeader> header = readDeliveryHeader(m_session.settingsFolder);
    if (!header)
        return;
    inputs.header = *header;

    show();
    raise();
    activateWindow();
    cmdPrint->setText(QStringLiteral("Printing"));

    inputs.fields = ticketFields(*m_draft);
    inputs.dropSignature = Check1->value() == 1;
    inputs.ownerName = [this] { return storedOwnerName(m_session.settingsFolder); };

    QPainter painter;
    if (!painter.begin(&printer))
        return; // a printer that cannot start a document prints nothing
    const QRectF page(QPointF(0, 0),
                      printer.pageLayout().paintRectPixels(printer.resolution()).size());
    PainterSurface surface(painter, ticketFont(PrintPointSize), page,
                           [&printer] { printer.newPage(); });
    const bool complete = composeTicket(inputs, TicketVariant::Print, surface);
    // Ended in either case, so that no print job is left open; without the
    // owner's name the window stays open with its "Printing" caption.
    painter.end();
    if (!complete)
        return;

    // A closed window is deleted later, from the event loop: it can still
    // tell that it printed.
    unloadWindow(*this);
    emit printed();
}

void FrmReport::Form_Unload()
{
    if (m_draft)
        m_draft->clearAddressLines();
}

void FrmReport::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}
