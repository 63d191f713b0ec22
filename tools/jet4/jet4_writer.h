#pragma once

// Writes Access 2000 (Jet 4) .mdb files for tests, demos and benchmarks: tables
// of plain columns and rows, without indexes, properties or relationships.

#include "jet4/jet4_value.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace jet4 {

inline constexpr std::size_t kPageSize = 4096;

enum class ColumnType {
    Text,     ///< up to `length` characters (1..255), compressed when that is possible
    Memo,     ///< long text: inline when short, otherwise on long-value pages
    Byte,     ///< 0..255
    Integer,  ///< 16-bit signed
    Long,     ///< 32-bit signed
    Double,   ///< accepts doubles and integers
    Boolean,  ///< lives only in the null mask; Null is stored as false
    Currency, ///< accepts Value::currency(), integers and doubles (rounded to 4 decimals)
};

struct Column
{
    std::string name;
    ColumnType type = ColumnType::Text;
    int length = 50; ///< Text only: the number of characters the column holds

    /// Test hook: the size in bytes the table definition declares for the
    /// column instead of the one its type dictates, as a damaged definition
    /// might. The rows are laid out by the type's size all the same.
    std::optional<std::uint16_t> declaredSize{};
};

/// A table is its columns plus rows stored in the given order (consecutive data
/// pages, slot order), so readers return them in that order.
struct Table
{
    std::string name;
    std::vector<Column> columns;
    std::vector<std::vector<Value>> rows{};

    /// Test hook: the row count written into the table definition instead of
    /// the live rows', like the stale count Access leaves after an unclean
    /// shutdown.
    std::optional<std::uint32_t> storedRowCount{};

    /// Test hook: a raw property blob stored inline in the LvProp column of this
    /// table's catalog row. libmdb parses it while reading the catalog: the
    /// bytes `'M','R','2',0, 0,0,0,0, 0x80,0` (a name-list chunk of length 0)
    /// make libmdb 1.0.0 loop forever without output.
    std::optional<std::vector<std::uint8_t>> catalogProperties{};

    /// Test hook: long values (memos stored off the row) with the same text
    /// share one chain of long-value pages, as in a file crafted to make a
    /// reader return far more text than the file holds.
    bool shareLongValues = false;

    /// Rows (indexes into `rows`) stored as Access leaves a deleted record
    /// until the database is compacted: the row intact in its place, its slot
    /// flagged deleted, and left out of the definition's row count.
    std::vector<std::size_t> deletedRows{};
};

struct TableLayout
{
    std::string name;
    std::uint32_t definitionPage = 0; ///< first page of the table definition chain
    std::uint32_t firstDataPage = 0;  ///< data pages are consecutive
    std::uint32_t dataPageCount = 0;
};

/// Where things landed, so tests can damage a chosen page of a built file.
struct DatabaseLayout
{
    std::uint32_t catalogDefinitionPage = 2;
    std::uint32_t catalogFirstDataPage = 0; ///< its rows: "Tables", MSysObjects, then the tables
    std::uint32_t pageCount = 0;
    std::vector<TableLayout> tables; ///< in the order the tables were given

    /// Throws std::out_of_range for an unknown name.
    const TableLayout& table(std::string_view name) const;
};

struct BuiltDatabase
{
    std::vector<std::uint8_t> bytes;
    DatabaseLayout layout;
};

/// Builds the file image. Throws std::invalid_argument for tables or values
/// that cannot be stored (text longer than its column, an integer out of the
/// column type's range, a value of the wrong kind, a row larger than a page,
/// duplicate or invalid names).
BuiltDatabase buildDatabase(const std::vector<Table>& tables);

/// Builds the file image and writes it to `path`, replacing any existing file.
/// Throws like buildDatabase, and std::runtime_error when writing fails.
DatabaseLayout writeDatabase(const std::filesystem::path& path, const std::vector<Table>& tables);

} // namespace jet4
