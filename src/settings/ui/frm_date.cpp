#include "settings/ui/frm_date.h"

#include "common/session.h"
#include "common/short_date.h"
#include "common/ui/center_form.h"
#include "common/ui/named_control.h"
#include "common/ui/unload_window.h"
#include "common/ui/window_registry.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

FrmDate::FrmDate(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
{
    setObjectName(windows::names::frmDate);
    setWindowTitle(QStringLiteral("Date Selection"));

    MonthView1 = named<QCalendarWidget>("MonthView1");
    MonthView1->setAccessibleName(QStringLiteral("Ticket date calendar"));
    cmdOK = named<QPushButton>("cmdOK", QStringLiteral("OK"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MonthView1);
    layout->addWidget(cmdOK, 0, Qt::AlignHCenter);

    connect(MonthView1, &QCalendarWidget::clicked, this,
            [this](QDate date) { runHandler([&] { MonthView1_DateClick(date); }); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { runHandler([this] { cmdOK_Click(); }); });

    adjustSize();
    Form_Load();
}

void FrmDate::Form_Load()
{
    CenterForm(*this);
}

void FrmDate::startOn(const QDate& date)
{
    MonthView1->setSelectedDate(date.isValid() ? date : QDate::currentDate());
}

void FrmDate::MonthView1_DateClick(const QDate& dateClicked)
{
    m_session.ticketDate = shortDateText(dateClicked);
    MonthView1->setSelectedDate(dateFromShortText(m_session.ticketDate));
    cmdOK->setFocus();
}

void FrmDate::cmdOK_Click()
{
    m_session.ticketDate = shortDateText(MonthView1->selectedDate());
    unloadWindow(*this);
    emit dateChosen(dateFromShortText(m_session.ticketDate));
}
