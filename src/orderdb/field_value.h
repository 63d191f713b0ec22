#pragma once

#include <QString>

// One value read from a table field: text, a number, or Null (no value).
//
// Numbers keep their plain decimal text ("100", "2.5", "-1" for a true
// Boolean), so joining a field into a caption never depends on the locale.
// Text is exact: nothing trimmed, case kept. Null and empty text differ.
class FieldValue
{
public:
    enum class Kind { Null, Text, Number };

    FieldValue() = default; // Null
    static FieldValue text(QString value) { return FieldValue(Kind::Text, std::move(value)); }
    static FieldValue number(QString plainDecimalText)
    {
        return FieldValue(Kind::Number, std::move(plainDecimalText));
    }

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    bool isNumber() const { return m_kind == Kind::Number; }

    // The value as text; Null joins as empty text.
    const QString& toText() const { return m_text; }

    // Comparison by value: a number field against the number, a text field
    // against the number's plain text ("1"); Null equals nothing.
    bool equalsValue(int number) const;

    friend bool operator==(const FieldValue&, const FieldValue&) = default;

private:
    FieldValue(Kind kind, QString text)
        : m_kind(kind)
        , m_text(std::move(text))
    {
    }

    Kind m_kind = Kind::Null;
    QString m_text;
};
