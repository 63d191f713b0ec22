#pragma once

#include <QStringList>
#include <QStringView>

// The fields the program reads from each table of the order-entry database.
// Only these travel from the reader program: a table may hold other columns,
// long texts among them, that the program never looks at.
namespace order_entry {

// Empty for a table the program does not know: then every field is read.
QStringList fieldsReadFrom(QStringView table);

} // namespace order_entry
