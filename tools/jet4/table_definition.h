#pragma once

#include "jet4/stored_column.h"

#include <cstdint>
#include <vector>

namespace jet4::detail {

struct TableDefinition
{
    const std::vector<StoredColumn>* columns = nullptr; ///< laid out by layoutColumns()
    bool system = false;
    std::uint32_t rowCount = 0;
    std::uint32_t usedPagesMap = 0; ///< pg_row of the used-pages usage map
    std::uint32_t freeSpaceMap = 0; ///< pg_row of the free-space usage map
};

/// Pages a definition with these columns occupies.
std::uint32_t definitionPageCount(const std::vector<StoredColumn>& columns);

/// The TDEF page chain (type 0x02), continuation pages linked through offset 4,
/// for a chain that starts at `firstPage`.
std::vector<std::uint8_t> buildDefinitionPages(const TableDefinition& definition,
                                               std::uint32_t firstPage);

} // namespace jet4::detail
