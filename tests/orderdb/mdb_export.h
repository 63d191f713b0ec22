#pragma once

#include <QString>

#include <optional>
#include <vector>

// The rows of a table as the mdb-export command prints them: the reference
// reader that the program's own reading is compared with. mdb-export prints
// Null and empty text alike; both come back as nullopt.
using ExportedRow = std::vector<std::optional<QString>>;

std::vector<ExportedRow> exportWithMdbExport(const QString& databaseFile, const QString& table);
