#pragma once

// Reads tables back through libmdb and through the mdb-export command, so
// tests can compare what the Jet 4 writer stored with what readers see.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

/// A cell as text, or nullopt for Null (booleans are never Null).
using ReadCell = std::optional<std::string>;
using ReadRow = std::vector<ReadCell>;

struct LibmdbTable
{
    std::vector<std::string> columnNames;
    std::uint32_t storedRowCount = 0; ///< the count in the table definition
    std::vector<ReadRow> rows;
};

/// Reads one table with libmdb. Cells are libmdb's bound text, except Double,
/// read from its raw bytes and written in shortest round-trip form; Null comes
/// from re-cracking each row, which tells Null from empty text. Returns
/// nullopt when the file or the table cannot be opened.
std::optional<LibmdbTable> readWithLibmdb(const std::filesystem::path& file,
                                          const std::string& table);

/// A table-level property that libmdb parsed from the table's LvProp blob in
/// the catalog, or nullopt when it is absent.
std::optional<std::string> tablePropertyWithLibmdb(const std::filesystem::path& file,
                                                   const std::string& table,
                                                   const std::string& property);

/// The user tables in catalog order, or nullopt when the catalog cannot be read.
std::optional<std::vector<std::string>> userTablesWithLibmdb(const std::filesystem::path& file);

/// The rows `mdb-export` prints (no header, no quotes, in the C locale); Null
/// and empty text both come out as "". Returns nullopt when the command fails.
std::optional<std::vector<std::vector<std::string>>>
readWithMdbExport(const std::filesystem::path& file, const std::string& table);

/// The output of `mdb-count`, or nullopt when the command fails.
std::optional<std::string> mdbCount(const std::filesystem::path& file, const std::string& table);
