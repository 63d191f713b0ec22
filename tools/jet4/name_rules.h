#pragma once

#include "jet4/jet4_writer.h"

#include <vector>

namespace jet4::detail {

/// Rejects, with std::invalid_argument, what the file cannot hold or readers
/// would confuse: empty, over-long or non-ASCII names, names that differ only
/// in case, the catalog's own names, and tables without columns or with more
/// than 255.
void checkNames(const std::vector<Table>& tables);

} // namespace jet4::detail
