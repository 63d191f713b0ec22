// Sold-to customer, ship-to customer and ship-to address selection: the
// boxes hand their text to the selection rules (input/customer_selection.h),
// whose blocks the boxes then show. A failed read stops a handler without a
// message; what was filled stays.

#include "common/ui/event_combo_box.h"
#include "input/ui/frm_delivery.h"
#include "input/ui/frm_delivery_steps.h"

void FrmDelivery::cboCust_Change()
{
    stopQuietlyOnFailure([this] { m_customers.soldToTyped(m_soldTo.cboCust->text()); });
}

void FrmDelivery::cboCust_Click()
{
    stopQuietlyOnFailure([this] { m_customers.soldToPicked(m_soldTo.cboCust->text()); });
}

void FrmDelivery::cboSCust_Change() {}

void FrmDelivery::cboSCust_Click()
{
    stopQuietlyOnFailure([this] { m_customers.shipToCustomerPicked(m_shipTo.cboSCust->text()); });
}

void FrmDelivery::cboShip_Change()
{
    stopQuietlyOnFailure([this] { m_customers.shipToAddressTyped(m_shipTo.cboShip->text()); });
}

void FrmDelivery::cboShip_Click()
{
    stopQuietlyOnFailure([this] { m_customers.shipToAddressPicked(m_shipTo.cboShip->text()); });
}
