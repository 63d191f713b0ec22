#include "orderdb/field_value.h"

FieldValue::FieldValue(Kind kind, QString text)
    : m_kind(kind)
    , m_text(std::move(text))
{
}

FieldValue FieldValue::text(QString value)
{
    return FieldValue(Kind::Text, std::move(value));
}

FieldValue FieldValue::number(QString plainDecimalText)
{
    return FieldValue(Kind::Number, std::move(plainDecimalText));
}

bool FieldValue::equalsValue(int number) const
{
    switch (m_kind) {
    case Kind::Number: {
        bool ok = false;
        const double value = m_text.toDouble(&ok);
        return ok && value == number;
    }
    case Kind::Text:
        return m_text == QString::number(number);
    case Kind::Null:
        break;
    }
    return false;
}
