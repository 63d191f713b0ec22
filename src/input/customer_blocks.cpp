#include "input/customer_blocks.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

void takeIfPresent(QString& part, const FieldValue& field)
{
    if (!field.isNull())
        part = field.toText();
}

} // namespace

QString blockLine(const QString& text)
{
    return text + CrLf;
}

QString blockLineIfPresent(const FieldValue& field)
{
    return field.isNull() ? QString() : blockLine(field.toText());
}

CustomerBoxText splitCustomerText(const QString& text, LeadingDash leadingDash)
{
    const qsizetype dash = text.indexOf(u'-');
    if (dash < 0 || (dash == 0 && leadingDash == LeadingDash::NoParts))
        return {};
    return {text.left(dash), text.mid(dash + 1)};
}

QString addressLines(const FieldValue& line1, const FieldValue& line2)
{
    QString lines;
    for (const FieldValue* line : {&line1, &line2}) {
        if (!line->toText().isEmpty())
            lines += blockLine(line->toText());
    }
    return lines;
}

CityStateZip CityStateZip::of(const FieldValue& city, const FieldValue& state,
                              const FieldValue& zip)
{
    return {city.toText(), state.toText(), zip.toText()};
}

void CityStateZip::takePresent(const FieldValue& cityField, const FieldValue& stateField,
                               const FieldValue& zipField)
{
    takeIfPresent(city, cityField);
    takeIfPresent(state, stateField);
    takeIfPresent(zip, zipField);
}

QString CityStateZip::line() const
{
    return blockLine(city + QStringLiteral(", ") + state + u' ' + zip);
}

QString shipKeyNumber(const FieldValue& addressId)
{
    if (addressId.isNull())
        return {};
    const QString& digits = addressId.toText();
    return digits.startsWith(u'-') ? digits : u' ' + digits;
}

std::optional<QString> shipKey(const FieldValue& addressId, const FieldValue& addressName)
{
    if (addressId.isNull() || addressName.isNull())
        return std::nullopt;
    return shipKeyLeavingOutNulls(addressId, addressName);
}

QString shipKeyLeavingOutNulls(const FieldValue& addressId, const FieldValue& addressName)
{
    QString key = shipKeyNumber(addressId);
    if (!addressName.isNull())
        key += u'-' + addressName.toText();
    return key;
}

namespace {

constexpr int MaxAddressLines = 11;

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

QStringList splitAddress(const QString& text)
{
    QStringList lines;
    QString rest = text;
    while (lines.size() < MaxAddressLines) {
        qsizetype brk = 0;
        while (brk < rest.size() && !isLineBreak(rest[brk]))
            ++brk;
        lines.append(rest.left(brk));
        if (brk == rest.size())
            break;
        qsizetype next = brk + 1;
        if (rest[brk] == u'\r' && next < rest.size() && rest[next] == u'\n')
            ++next;
        if (next == rest.size())
            break;
        while (next < rest.size() && isLineBreak(rest[next]))
            ++next;
        rest = rest.mid(next);
    }
    return lines;
}
