#pragma once

// The date window, frmDate: a calendar on which the operator picks the date
// the ticket carries. The main window's "Set Date" sets the calendar to the
// ticket date before showing it; OK reports the date chosen, and the
// program hands it to the ticket.

#include "common/ui/handler_runner.h"

#include <QWidget>

class QCalendarWidget;
class QDate;
class QPushButton;
struct Session;

class FrmDate final : public QWidget, private HandlerRunner
{
    Q_OBJECT

public:
    // Constructing the window is its load; the ticket date it sets is the
    // session's.
    explicit FrmDate(Session& session, QWidget* parent = nullptr);

    QCalendarWidget* MonthView1 = nullptr;
    QPushButton* cmdOK = nullptr;

    void Form_Load();
    // The calendar on `date`, or on today when it names none.
    void startOn(const QDate& date);
    // A day was clicked: the session's ticket date takes it at once (the main window's
    // date only on OK), and the focus moves to cmdOK.
    void MonthView1_DateClick(const QDate& dateClicked);
    // The ticket date takes the calendar's date; the window closes and reports
    // the date.
    void cmdOK_Click();

signals:
    void dateChosen(const QDate& date);

private:
    Session& m_session;
};
