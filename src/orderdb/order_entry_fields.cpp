#include "orderdb/order_entry_fields.h"

namespace order_entry {

QStringList fieldsReadFrom(QStringView table)
{
    const auto is = [&](const char* name) {
        return table.compare(QLatin1StringView(name), Qt::CaseInsensitive) == 0;
    };
    if (is("Orders"))
        return {"OrderNo", "PartNo",   "QuoteorJob", "Description",   "AcctName", "AcctNo",
                "Phone",   "PressQty", "CustomerID", "PurchaseOrder", "SHIPTOID", "SHIPTONAME"};
    if (is("Client"))
        return {"ClientID", "Name", "Addr1", "Addr2", "City", "State", "Zip", "Contact", "Phone"};
    if (is("Addresses"))
        return {"AddressID", "ADDRESSNAME", "STREET1", "STREET2",
                "CITY",      "STATE",       "ZIP",     "CustomerID"};
    if (is("JobLog"))
        return {"Job", "Description", "Invoiced", "QuoteNo"};
    return {};
}

} // namespace order_entry
