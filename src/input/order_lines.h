#pragma once

// Reading a job's order lines from "Orders", and the ship-to address block
// that a job selection builds from "Addresses".

#include "orderdb/table_cursor.h"

#include <QString>

#include <optional>

// The fields of "Orders" a job selection reads, looked up once.
struct OrderFields
{
    explicit OrderFields(const TableCursor& orders);

    // Whether the current record is an order line of the job: OrderNo equals
    // the job key exactly and QuoteorJob is "J" (quotes are never taken).
    bool isLineOf(QStringView jobKey) const;

    const TableCursor& cursor;
    int orderNo, partNo, quoteOrJob, description, acctName, acctNo, phone, pressQty, customerId,
        purchaseOrder, shipToId, shipToName;
};

// A number rounded to the nearest whole number, halves to the even one.
int nearestWhole(double value);

// The ship-to key of an order line: SHIPTOID with one leading blank (a minus
// sign in its place when negative), then "-" and SHIPTONAME; the number is
// left out when SHIPTOID is Null, the dash and name when SHIPTONAME is.
// nullopt when both are Null. Throws RuntimeError (TypeMismatch) when
// SHIPTOID is no number.
std::optional<QString> orderShipKey(const FieldValue& shipToId, const FieldValue& shipToName);

// The ship-to block of the current "Addresses" record: ADDRESSNAME, STREET1
// and STREET2 on lines of their own (a Null gives an empty line), then
// CITY, ", " STATE and " " ZIP, each separator only with its field.
QString shipToAddressBlock(const TableCursor& addresses);
