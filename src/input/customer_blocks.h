#pragma once

// The address blocks of the ticket's customer and ship-to boxes and the keys
// they are looked up by, built from table fields. Every line of a block ends
// with CR LF unless a function says otherwise; Null joins as empty text.

#include "orderdb/field_value.h"

#include <QString>
#include <QStringList>

#include <optional>

// The text and CR LF.
QString blockLine(const QString& text);

// The field's text and CR LF, or nothing for a Null field; an empty text
// still gives its line.
QString blockLineIfPresent(const FieldValue& field);

// A customer box text ("17-ACME") split at its first "-".
struct CustomerBoxText
{
    QString number; // before the "-"
    QString name;   // after it: the customer is looked up by this
};

// What a "-" at the very start of the text means: the name follows it, or
// the text splits into nothing at all (a pick in the sold-to box reads it so).
enum class LeadingDash { NameFollows, NoParts };

// Both parts are empty for a text without "-".
CustomerBoxText splitCustomerText(const QString& text, LeadingDash leadingDash);

// Each of the two street lines that is neither Null nor empty, as a line.
QString addressLines(const FieldValue& line1, const FieldValue& line2);

// The city line's three parts.
struct CityStateZip
{
    QString city;
    QString state;
    QString zip;

    // The fields' texts, each empty when Null.
    static CityStateZip of(const FieldValue& city, const FieldValue& state, const FieldValue& zip);

    // Takes the fields that are not Null and keeps the current text for a
    // Null one, so that a walk over several records can carry an earlier
    // record's value forward.
    void takePresent(const FieldValue& city, const FieldValue& state, const FieldValue& zip);

    // city, ", ", state, " ", zip as a line. The separators always stand, so
    // empty parts leave ",  " behind.
    QString line() const;
};

// AddressID as a ship-to key begins: a blank in place of the sign, or "-"
// for a negative number (12 -> " 12", -3 -> "-3"); empty for Null.
QString shipKeyNumber(const FieldValue& addressId);

// A record's ship-to key: the key number, "-", ADDRESSNAME (" 12-WAREHOUSE").
// None when either field is Null.
std::optional<QString> shipKey(const FieldValue& addressId, const FieldValue& addressName);

// The ship-to key with a Null field simply left out: a Null AddressID leaves
// "-" and the name, a Null ADDRESSNAME takes its "-" with it (" 12").
QString shipKeyLeavingOutNulls(const FieldValue& addressId, const FieldValue& addressName);

// StripCust / StripShip: an address text split into its lines, at most 11.
// A line break is CR LF, a lone CR or a lone LF (the address boxes treat all
// three alike); blank lines vanish, and a break at the very end adds no
// empty line. An empty text gives one empty line.
QStringList splitAddress(const QString& text);
