// Job selection: filling the ticket from a job's order lines; and the job
// search box.

#include "input/frm_delivery.h"

void FrmDelivery::cboJobs_Change()
{
    cboJobs_Click();
}

void FrmDelivery::cboJobs_Click() {}
void FrmDelivery::Search_KeyPress(int) {}
void FrmDelivery::Search_LostFocus() {}
