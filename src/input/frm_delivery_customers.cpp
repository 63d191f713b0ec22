// Sold-to customer, ship-to customer and ship-to address selection.

#include "input/frm_delivery.h"

void FrmDelivery::cboCust_Change() {}
void FrmDelivery::cboCust_Click() {}
void FrmDelivery::cboSCust_Change() {}
void FrmDelivery::cboSCust_Click() {}
void FrmDelivery::cboShip_Change() {}
void FrmDelivery::cboShip_Click() {}
