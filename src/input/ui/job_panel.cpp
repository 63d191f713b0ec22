#include "input/ui/job_panel.h"

#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_box.h"
#include "common/ui/named_control.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

JobPanel::JobPanel()
{
    Frame1 = named<QGroupBox>("Frame1", QStringLiteral("Select or Enter Job Number"));
    Search = named<EventTextBox>("Search");
    Label7 = buddyLabel("Label7", QStringLiteral("Enter Job Number to &Search:"), Search);
    cboJobs = named<EventComboBox>("cboJobs");
    nameComboBox(cboJobs, Frame1->title());
    auto* layout = new QGridLayout(Frame1);
    layout->addWidget(Label7, 0, 0);
    layout->addWidget(Search, 0, 1);
    layout->addWidget(cboJobs, 1, 0, 1, 2);
}
