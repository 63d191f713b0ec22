#pragma once

// What libmdb and mdb-export should return for a table the Jet 4 writer wrote.

#include "jet4/jet4_writer.h"
#include "mdb_read_back.h"

#include <string>
#include <vector>

/// Describes the first cell where rows read with readWithLibmdb() differ from
/// the table's rows, or returns "" when all agree.
std::string differenceFromLibmdb(const std::vector<ReadRow>& rows, const jet4::Table& table);

/// The same for rows read with readWithMdbExport(), which prints doubles with
/// 16 significant digits and Null as empty text.
std::string differenceFromMdbExport(const std::vector<std::vector<std::string>>& rows,
                                    const jet4::Table& table);
