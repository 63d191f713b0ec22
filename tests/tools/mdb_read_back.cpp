#include "mdb_read_back.h"

// libmdb 1.0.0 includes <glib.h> inside extern "C"; including it first keeps
// glib's C++ templates out of that block.
#include <glib.h>

#include <mdbtools.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct HandleCloser
{
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer
{
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using TableDef = std::unique_ptr<MdbTableDef, TableFreer>;

constexpr std::size_t kBindSize = 200000; // memos longer than the default 16 KB

Handle openWithCatalog(const std::filesystem::path& file)
{
    Handle mdb(mdb_open(file.c_str(), MDB_NOFLAGS));
    if (mdb && mdb_read_catalog(mdb.get(), MDB_TABLE) == nullptr) {
        mdb.reset();
    }
    return mdb;
}

std::string shortestDouble(double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::optional<std::string> runCommand(const std::string& command)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return std::nullopt;
    }
    std::string output;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, got);
    }
    if (pclose(pipe) != 0) {
        return std::nullopt;
    }
    return output;
}

std::string quoted(const std::string& argument)
{
    std::string result = "'";
    for (const char c : argument) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

} // namespace

std::optional<LibmdbTable> readWithLibmdb(const std::filesystem::path& file,
                                          const std::string& table)
{
    Handle mdb = openWithCatalog(file);
    if (!mdb) {
        return std::nullopt;
    }
    mdb_set_bind_size(mdb.get(), kBindSize);
    MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(mdb.get(), table.c_str());
    TableDef def(entry != nullptr ? mdb_read_table(entry) : nullptr);
    if (!def || mdb_read_columns(def.get()) == nullptr) {
        return std::nullopt;
    }

    LibmdbTable result;
    result.storedRowCount = def->num_rows;
    const unsigned columnCount = def->num_cols;
    std::vector<std::vector<char>> buffers(columnCount, std::vector<char>(kBindSize));
    std::vector<int> lengths(columnCount);
    std::vector<MdbColumn*> columns(columnCount);
    for (unsigned c = 0; c < columnCount; ++c) {
        columns[c] = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, c));
        result.columnNames.emplace_back(columns[c]->name);
        mdb_bind_column(def.get(), static_cast<int>(c + 1), buffers[c].data(), &lengths[c]);
    }

    std::vector<MdbField> fields(columnCount);
    mdb_rewind_table(def.get());
    while (mdb_fetch_row(def.get())) {
        int start = 0;
        size_t size = 0;
        if (mdb_find_row(mdb.get(), static_cast<int>(def->cur_row) - 1, &start, &size) != 0 ||
            mdb_crack_row(def.get(), start & 0x1fff, size, fields.data()) < 0) {
            return std::nullopt;
        }
        ReadRow row;
        for (unsigned c = 0; c < columnCount; ++c) {
            const MdbColumn* column = columns[c];
            if (column->col_type != MDB_BOOL && fields[c].is_null) {
                row.emplace_back(std::nullopt);
            } else if (column->col_type == MDB_DOUBLE) {
                row.emplace_back(
                    shortestDouble(mdb_get_double(mdb->pg_buf, column->cur_value_start)));
            } else {
                row.emplace_back(std::string(buffers[c].data(), static_cast<size_t>(lengths[c])));
            }
        }
        result.rows.push_back(std::move(row));
    }
    return result;
}

std::optional<std::string> tablePropertyWithLibmdb(const std::filesystem::path& file,
                                                   const std::string& table,
                                                   const std::string& property)
{
    Handle mdb = openWithCatalog(file);
    MdbCatalogEntry* entry = mdb ? mdb_get_catalogentry_by_name(mdb.get(), table.c_str()) : nullptr;
    TableDef def(entry != nullptr ? mdb_read_table(entry) : nullptr);
    if (!def || def->props == nullptr) {
        return std::nullopt;
    }
    const auto* value =
        static_cast<const char*>(g_hash_table_lookup(def->props->hash, property.c_str()));
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

std::optional<std::vector<std::string>> userTablesWithLibmdb(const std::filesystem::path& file)
{
    Handle mdb = openWithCatalog(file);
    if (!mdb) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(entry)) {
            names.emplace_back(entry->object_name);
        }
    }
    return names;
}

std::optional<std::vector<std::vector<std::string>>>
readWithMdbExport(const std::filesystem::path& file, const std::string& table)
{
    // Multi-character delimiters keep commas, quotes and newlines in text unambiguous.
    const std::string fieldEnd = "<|>";
    const std::string rowEnd = "<#>\n";
    const auto output =
        runCommand("LC_ALL=C mdb-export -H -Q -d " + quoted(fieldEnd) + " -R " + quoted("<#>\n") +
                   " " + quoted(file.string()) + " " + quoted(table));
    if (!output) {
        return std::nullopt;
    }
    std::vector<std::vector<std::string>> rows;
    std::size_t at = 0;
    while (at < output->size()) {
        const std::size_t end = output->find(rowEnd, at);
        const std::string line = output->substr(at, end - at);
        at = end == std::string::npos ? output->size() : end + rowEnd.size();
        std::vector<std::string> cells;
        std::size_t from = 0;
        for (std::size_t next; (next = line.find(fieldEnd, from)) != std::string::npos;
             from = next + fieldEnd.size()) {
            cells.push_back(line.substr(from, next - from));
        }
        cells.push_back(line.substr(from));
        rows.push_back(std::move(cells));
    }
    return rows;
}

std::optional<std::string> mdbCount(const std::filesystem::path& file, const std::string& table)
{
    return runCommand("mdb-count " + quoted(file.string()) + " " + quoted(table));
}
