#pragma once

// The checks a table definition's columns must pass before their values are
// read from the rows. A column that fails them is damaged: its values are
// sent as Null and counted, never read from bytes that may be another
// column's or none at all.

#include "orderdb/reader/jet_rows.h"

#include <vector>

namespace column_checks {

struct ColumnDefinition
{
    int type = 0;
    jet_rows::ColumnLayout layout;
};

// Whether the reader knows how a value of this type code is stored.
bool isKnownType(int type);

// By column: whether it is damaged. A column is when its type is unknown; a
// fixed-size type is stored as a variable column, or text or long text as a
// fixed one; its null-mask bit lies beyond the columns the table can have
// (`maxColumns`, deleted ones included); its fixed bytes lie past any row's
// fixed area; or another column claims its fixed bytes, its null-mask bit or
// its variable slot (then both are).
std::vector<bool> damagedColumns(const std::vector<ColumnDefinition>& columns, int maxColumns);

} // namespace column_checks
