#include "orderdb/field_value.h"

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
