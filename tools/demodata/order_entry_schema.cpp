#include "demodata/order_entry_schema.h"

using jet4::ColumnType;

jet4::Table ordersSchema()
{
    return {"Orders",
            {{"OrderNo", ColumnType::Text, 8},
             {"PartNo", ColumnType::Integer},
             {"QuoteorJob", ColumnType::Text, 1},
             {"Description", ColumnType::Text, 150},
             {"AcctName", ColumnType::Text, 50},
             {"AcctNo", ColumnType::Long},
             {"Phone", ColumnType::Text, 20},
             {"PressQty", ColumnType::Long},
             {"CustomerID", ColumnType::Long},
             {"PurchaseOrder", ColumnType::Text, 20},
             {"SHIPTOID", ColumnType::Long},
             {"SHIPTONAME", ColumnType::Text, 50}}};
}

jet4::Table clientSchema()
{
    return {"Client",
            {{"ClientID", ColumnType::Long},
             {"Name", ColumnType::Text, 50},
             {"Addr1", ColumnType::Text, 50},
             {"Addr2", ColumnType::Text, 50},
             {"City", ColumnType::Text, 30},
             {"State", ColumnType::Text, 2},
             {"Zip", ColumnType::Text, 10},
             {"Contact", ColumnType::Text, 40},
             {"Phone", ColumnType::Text, 20}}};
}

jet4::Table addressesSchema()
{
    return {"Addresses",
            {{"AddressID", ColumnType::Long},
             {"ADDRESSNAME", ColumnType::Text, 50},
             {"STREET1", ColumnType::Text, 50},
             {"STREET2", ColumnType::Text, 50},
             {"CITY", ColumnType::Text, 30},
             {"STATE", ColumnType::Text, 2},
             {"ZIP", ColumnType::Text, 10},
             {"CustomerID", ColumnType::Long}}};
}

jet4::Table jobLogSchema(ColumnType invoicedType)
{
    return {"JobLog",
            {{"Job", ColumnType::Text, 8},
             {"Description", ColumnType::Text, 100},
             {"Invoiced", invoicedType, 1},
             {"QuoteNo", ColumnType::Text, 10}}};
}
