// The item fields of the ticket and paging through the order's parts.

#include "input/frm_delivery.h"

void FrmDelivery::txtPO_KeyPress(int) {}
void FrmDelivery::txtQty_KeyPress(int) {}
void FrmDelivery::txtBO_KeyPress(int) {}
void FrmDelivery::txtDes_KeyPress(int) {}
void FrmDelivery::txtQty_LostFocus() {}
void FrmDelivery::txtBO_LostFocus() {}
void FrmDelivery::txtDes_LostFocus() {}
void FrmDelivery::HScroll1_Change() {}
