#pragma once

#include "jet4/data_pages.h"
#include "jet4/stored_column.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jet4::detail {

/// The table definition of MSysObjects lives on this page; readers start there.
inline constexpr std::uint32_t kCatalogDefinitionPage = 2;

/// One object row of MSysObjects.
struct CatalogEntry
{
    std::string name;
    std::uint32_t id = 0; ///< for tables: the definition page
    std::uint32_t parentId = 0;
    std::uint16_t type = 0;
    std::uint32_t flags = 0;
    const std::vector<std::uint8_t>* properties = nullptr; ///< LvProp, stored inline
};

/// The 17 MSysObjects columns in the order Access writes them, laid out.
std::vector<StoredColumn> catalogColumns();

/// The rows every file needs, the "Tables" container and MSysObjects itself,
/// followed by one row per user table (definition page, name, properties).
std::vector<CatalogEntry> catalogEntries(const std::vector<CatalogEntry>& userTables);

/// The catalog's data pages. Throws std::invalid_argument when an entry does
/// not fit a page (a very large property blob).
DataPages buildCatalogPages(const std::vector<StoredColumn>& columns,
                            const std::vector<CatalogEntry>& entries);

} // namespace jet4::detail
