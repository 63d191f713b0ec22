#pragma once

// The order's parts as the main window keeps them: one row per part in the
// hidden part list, and the description label that says which part is on
// screen.
//
// A part row is quantity, TAB, back-ordered quantity, TAB, description. The
// description is the rest of the row and may itself hold TABs, so a row is
// only ever split at its first two TABs. Positions of missing TABs count as
// 0, and "the row from position 0 on" is the whole row: editing a field of a
// row that lacks its TABs keeps the old row's text rather than losing it.
//
// The label reads "Description: (Part n of N)"; the current part n is read
// back from its 20th character, which is why n is always a single digit.

#include <QString>

namespace part_rows {

// The row of a part that holds nothing yet.
inline constexpr char EmptyRow[] = "\t\t";

struct PartFields
{
    QString quantity;    // before the first TAB (the whole row without one)
    QString backOrdered; // between the first and second TAB
    QString description; // after the second TAB, TABs included
};

PartFields split(const QString& row);

// The row with one field replaced; everything else is kept as it was.
QString withQuantity(const QString& row, const QString& quantity);
QString withBackOrdered(const QString& row, const QString& backOrdered);
QString withDescription(const QString& row, const QString& description);

// The part number the label names: the digit at the caption's 20th
// character, 0 when there is none there. A mnemonic marker (a single '&')
// is not part of the caption as the operator reads it and is skipped.
int partNumber(const QString& caption);

// The label for part `part` of `count`: "Description: (Part 2 of 3)".
QString caption(int part, int count);

} // namespace part_rows
