#include "jet4/jet4_writer.h"

#include "jet4/catalog.h"
#include "jet4/data_pages.h"
#include "jet4/database_header.h"
#include "jet4/long_value_pages.h"
#include "jet4/name_rules.h"
#include "jet4/table_definition.h"
#include "jet4/table_encoder.h"
#include "jet4/usage_map.h"

#include <cstring>
#include <fstream>
#include <span>
#include <stdexcept>
#include <string>

namespace jet4 {

using namespace detail;

namespace {

constexpr std::uint32_t kMaxPages = 0x00FFFFFF; // 24 bits of page number in a pg_row

/// Everything of one table (or of the catalog) that ends up in the file.
struct PlacedTable
{
    std::vector<StoredColumn> columns;
    std::uint32_t definitionPage = 0;
    std::uint32_t firstDataPage = 0;
    std::vector<std::uint8_t> dataPages;
    std::vector<std::uint8_t> longValuePages;
    std::uint32_t rowCount = 0;
    UsageMap usedPages;
    std::uint32_t firstBitmapPage = 0; ///< of a type 1 used-pages map
    std::uint32_t usedPagesMapRow = 0; ///< pg_row, known once the maps are packed
    std::uint32_t freeSpaceMapRow = 0;

    std::uint32_t dataPageCount() const
    {
        return static_cast<std::uint32_t>(dataPages.size() / kPageSize);
    }
};

/// Gives the table its bitmap pages (if the map needs any) from `cursor` on
/// and returns the first page after them.
std::uint32_t mapUsedPages(PlacedTable& table, std::uint32_t cursor)
{
    table.usedPages = buildUsageMap(table.firstDataPage, table.dataPageCount(), cursor);
    table.firstBitmapPage = cursor;
    return cursor + static_cast<std::uint32_t>(table.usedPages.bitmapPages.size() / kPageSize);
}

void copyPages(std::vector<std::uint8_t>& file, std::uint32_t firstPage,
               std::span<const std::uint8_t> pages)
{
    if (!pages.empty()) {
        std::memcpy(file.data() + std::size_t{firstPage} * kPageSize, pages.data(), pages.size());
    }
}

void copyTable(std::vector<std::uint8_t>& file, const PlacedTable& table, bool system)
{
    TableDefinition definition;
    definition.columns = &table.columns;
    definition.system = system;
    definition.rowCount = table.rowCount;
    definition.usedPagesMap = table.usedPagesMapRow;
    definition.freeSpaceMap = table.freeSpaceMapRow;
    copyPages(file, table.definitionPage, buildDefinitionPages(definition, table.definitionPage));
    copyPages(file, table.firstDataPage, table.dataPages);
    const std::uint32_t afterData = table.firstDataPage + table.dataPageCount();
    copyPages(file, afterData, table.longValuePages);
    copyPages(file, table.firstBitmapPage, table.usedPages.bitmapPages);
}

std::vector<CatalogEntry> userCatalogEntries(const std::vector<Table>& tables,
                                             const std::vector<PlacedTable>& placed)
{
    std::vector<CatalogEntry> entries;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        CatalogEntry entry;
        entry.name = tables[i].name;
        entry.id = i < placed.size() ? placed[i].definitionPage : 0;
        entry.properties = tables[i].catalogProperties ? &*tables[i].catalogProperties : nullptr;
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace

const TableLayout& DatabaseLayout::table(std::string_view name) const
{
    for (const TableLayout& layout : tables) {
        if (layout.name == name) {
            return layout;
        }
    }
    throw std::out_of_range("no table named '" + std::string(name) + "' in the layout");
}

BuiltDatabase buildDatabase(const std::vector<Table>& tables)
{
    checkNames(tables);

    // Page 0 is the header, page 1 the first usage-map page, and the catalog
    // definition must start at page 2, where readers look for it. The catalog's
    // row sizes do not depend on the definition pages they name, so a trial
    // run with placeholder pages tells how many data pages it takes.
    PlacedTable catalog;
    catalog.columns = catalogColumns();
    catalog.definitionPage = kCatalogDefinitionPage;
    catalog.firstDataPage = kCatalogDefinitionPage + definitionPageCount(catalog.columns);
    const std::uint32_t catalogPages =
        buildCatalogPages(catalog.columns, catalogEntries(userCatalogEntries(tables, {})))
            .pageCount();
    std::uint32_t cursor = catalog.firstDataPage + catalogPages;

    // Each table: definition, data pages, long-value pages, usage bitmap pages.
    std::vector<PlacedTable> placed(tables.size());
    for (std::size_t i = 0; i < tables.size(); ++i) {
        PlacedTable& table = placed[i];
        table.columns = storedColumnsOf(tables[i]);
        table.definitionPage = cursor;
        table.firstDataPage = cursor + definitionPageCount(table.columns);
        EncodedRows rows =
            encodeRows(tables[i], table.columns, table.definitionPage, table.firstDataPage);
        table.dataPages = std::move(rows.data.bytes());
        table.longValuePages = rows.longValues.bytes();
        table.rowCount = tables[i].storedRowCount.value_or(
            static_cast<std::uint32_t>(tables[i].rows.size() - rows.deletedRows));
        cursor = mapUsedPages(table, table.firstDataPage + table.dataPageCount() +
                                         rows.longValues.pageCount());
    }

    const std::vector<CatalogEntry> entries = catalogEntries(userCatalogEntries(tables, placed));
    catalog.dataPages = buildCatalogPages(catalog.columns, entries).bytes();
    catalog.rowCount = static_cast<std::uint32_t>(entries.size());
    if (catalog.dataPageCount() != catalogPages) {
        throw std::logic_error("catalog size changed between the trial run and the real one");
    }
    cursor = mapUsedPages(catalog, cursor);

    // Usage maps: two empty global maps, then used-pages and free-space maps of
    // the catalog and of each table. Page 1 takes what fits; the rest goes to
    // owner-0 pages at the end of the file.
    DataPages maps(0);
    const std::vector<std::uint8_t> emptyMap = buildUsageMap(0, 0, 0).row;
    maps.add(emptyMap);
    maps.add(emptyMap);
    const auto mapPage = [&](const DataPages::Placement& placement) {
        return placement.pageIndex == 0 ? 1u : cursor + placement.pageIndex - 1;
    };
    const auto addMaps = [&](PlacedTable& table) {
        const auto used = maps.add(table.usedPages.row);
        table.usedPagesMapRow = pageRow(mapPage(used), used.row);
        const auto free = maps.add(buildUsageMap(table.firstDataPage, 0, 0).row);
        table.freeSpaceMapRow = pageRow(mapPage(free), free.row);
    };
    addMaps(catalog);
    for (PlacedTable& table : placed) {
        addMaps(table);
    }
    const std::uint32_t pageCount = cursor + maps.pageCount() - 1;
    if (pageCount > kMaxPages) {
        throw std::invalid_argument("the database would need " + std::to_string(pageCount) +
                                    " pages; a pg_row addresses at most " +
                                    std::to_string(kMaxPages));
    }

    BuiltDatabase built;
    built.bytes.assign(std::size_t{pageCount} * kPageSize, 0);
    copyPages(built.bytes, 0, buildHeaderPage());
    const std::span<const std::uint8_t> mapBytes = maps.bytes();
    copyPages(built.bytes, 1, mapBytes.first(kPageSize));
    copyPages(built.bytes, cursor, mapBytes.subspan(kPageSize));
    copyTable(built.bytes, catalog, true);
    for (const PlacedTable& table : placed) {
        copyTable(built.bytes, table, false);
    }

    built.layout.catalogDefinitionPage = kCatalogDefinitionPage;
    built.layout.catalogFirstDataPage = catalog.firstDataPage;
    built.layout.pageCount = pageCount;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        built.layout.tables.push_back(TableLayout{tables[i].name, placed[i].definitionPage,
                                                  placed[i].firstDataPage,
                                                  placed[i].dataPageCount()});
    }
    return built;
}

DatabaseLayout writeDatabase(const std::filesystem::path& path, const std::vector<Table>& tables)
{
    BuiltDatabase built = buildDatabase(tables);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(built.bytes.data()),
              static_cast<std::streamsize>(built.bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write the database file " + path.string());
    }
    return std::move(built.layout);
}

} // namespace jet4
