#include "input/order_lines.h"

#include "common/decimal_text.h"
#include "common/runtime_error.h"

#include <cmath>

namespace {

const QString CrLf = QStringLiteral("\r\n");

} // namespace

OrderFields::OrderFields(const TableCursor& orders)
    : cursor(orders)
    , orderNo(orders.fieldIndex(u"OrderNo"))
    , partNo(orders.fieldIndex(u"PartNo"))
    , quoteOrJob(orders.fieldIndex(u"QuoteorJob"))
    , description(orders.fieldIndex(u"Description"))
    , acctName(orders.fieldIndex(u"AcctName"))
    , acctNo(orders.fieldIndex(u"AcctNo"))
    , phone(orders.fieldIndex(u"Phone"))
    , pressQty(orders.fieldIndex(u"PressQty"))
    , customerId(orders.fieldIndex(u"CustomerID"))
    , purchaseOrder(orders.fieldIndex(u"PurchaseOrder"))
    , shipToId(orders.fieldIndex(u"SHIPTOID"))
    , shipToName(orders.fieldIndex(u"SHIPTONAME"))
{
}

bool OrderFields::isLineOf(QStringView jobKey) const
{
    return cursor.fieldEquals(orderNo, jobKey) && cursor.fieldEquals(quoteOrJob, u"J");
}

int nearestWhole(double value)
{
    // std::nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        throw RuntimeError(ErrorCode::Overflow);
    return static_cast<int>(rounded);
}

std::optional<QString> orderShipKey(const FieldValue& shipToId, const FieldValue& shipToName)
{
    if (shipToId.isNull() && shipToName.isNull())
        return std::nullopt;
    QString key;
    if (!shipToId.isNull()) {
        bool isNumber = false;
        const double number = shipToId.toText().trimmed().toDouble(&isNumber);
        if (!isNumber)
            throw RuntimeError(ErrorCode::TypeMismatch, shipToId.toText());
        const std::string digits = plainDecimal(std::fabs(number));
        key = (number < 0 ? QStringLiteral("-") : QStringLiteral(" ")) +
              QString::fromStdString(digits);
    }
    if (!shipToName.isNull())
        key += QLatin1Char('-') + shipToName.toText();
    return key;
}

QString shipToAddressBlock(const TableCursor& addresses)
{
    QString block;
    for (const char16_t* name : {u"ADDRESSNAME", u"STREET1", u"STREET2"})
        block += addresses.field(name).toText() + CrLf;
    block += addresses.field(u"CITY").toText();
    const FieldValue state = addresses.field(u"STATE");
    if (!state.isNull())
        block += QStringLiteral(", ") + state.toText();
    const FieldValue zip = addresses.field(u"ZIP");
    if (!zip.isNull())
        block += QLatin1Char(' ') + zip.toText();
    return block + CrLf;
}
