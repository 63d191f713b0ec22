#include "orderdb/reader/jet_table_reader.h"

#include "orderdb/reader/chunked_rows.h"
#include "orderdb/reader/column_checks.h"
#include "orderdb/reader/jet_rows.h"
#include "orderdb/reader/jet_values.h"
#include "orderdb/reader/page_file.h"
#include "orderdb/reader/row_writer.h"
#include "orderdb/reader/stream_writer.h"
#include "orderdb/snapshot_protocol.h"

// glib must come before mdbtools.h: the 1.0.0 header includes it inside its
// extern "C" block, where glib's C++ templates do not compile.
#include <glib.h>

#include <mdbtools.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <sys/stat.h>
#include <thread>

using jet_rows::Cell;
using jet_rows::ColumnLayout;
using jet_rows::PageSize;
using snapshot_protocol::ColumnKind;

namespace {

// Long values are refused above this whatever the stream may take: the
// reader must stay within its own memory cap while it decodes one.
constexpr std::size_t MaxLongValueBytes = std::size_t{256} << 20;
constexpr std::uint32_t CatalogDefinitionPage = 2;
// A chunk of data pages is one thread's work at a time: 256 KiB of the file.
constexpr std::size_t ChunkPages = 64;
constexpr unsigned MaxWorkers = 4;

struct HandleCloser
{
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer
{
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using TablePtr = std::unique_ptr<MdbTableDef, TableFreer>;

ColumnKind kindOf(int type)
{
    switch (type) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return ColumnKind::Number;
    default:
        return ColumnKind::Text;
    }
}

std::u16string fromLibraryText(char* text)
{
    std::u16string value = jet_values::utf8ToUtf16(text ? text : "");
    g_free(text);
    return value;
}

std::uint32_t readU32(const unsigned char* bytes)
{
    return bytes[0] | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

bool equalsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b)
{
    const auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

struct OpenTable
{
    MdbCatalogEntry entry{};
    TablePtr definition;
    std::vector<MdbColumn*> columns;   // every column, in table order
    std::vector<ColumnLayout> layouts; // of `columns`
};

// Reads a table definition and its columns; false for one libmdb cannot read
// or whose usage map would send libmdb 1.0.0 through a null pointer.
bool openTable(MdbHandle* mdb, std::uint32_t definitionPage, const char* name, OpenTable& table)
{
    table.entry.mdb = mdb;
    table.entry.object_type = MDB_TABLE;
    table.entry.table_pg = definitionPage;
    std::snprintf(table.entry.object_name, sizeof table.entry.object_name, "%s", name);
    table.definition.reset(mdb_read_table(&table.entry));
    MdbTableDef* definition = table.definition.get();
    if (!definition || !definition->usage_map || definition->map_sz < 1 ||
        !mdb_read_columns(definition))
        return false;

    int fixedSoFar = 0;
    for (unsigned c = 0; c < definition->num_cols && c < definition->columns->len; ++c) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(definition->columns, c));
        ColumnLayout layout;
        layout.number = column->col_num;
        layout.fixed = column->is_fixed != 0;
        layout.fixedOffset = column->fixed_offset;
        layout.variableIndex = static_cast<int>(column->var_col_num);
        // The type fixes the size of a fixed value; a definition that
        // declares another size is wrong, and trusting it would lose rows.
        const int typeSize = jet_rows::fixedSizeOfType(column->col_type);
        layout.size = typeSize >= 0 ? typeSize : std::max(column->col_size, 0);
        if (layout.fixed)
            layout.fixedOrdinal = fixedSoFar++;
        table.columns.push_back(column);
        table.layouts.push_back(layout);
    }
    return true;
}

struct WalkCounts
{
    std::uint32_t rows = 0;
    std::uint32_t damaged = 0; // slots whose rows could not be read
};

// The table's data pages as its usage map lists them, in ascending order:
// page numbers only go up, so a damaged map cannot send the walk round.
std::vector<std::uint32_t> dataPages(const OpenTable& table)
{
    MdbTableDef* definition = table.definition.get();
    std::vector<std::uint32_t> pages;
    std::uint32_t page = 0;
    for (;;) {
        const gint32 next = mdb_map_find_next(table.entry.mdb, definition->usage_map,
                                              static_cast<unsigned>(definition->map_sz), page);
        if (next <= 0 || static_cast<std::uint32_t>(next) <= page)
            return pages;
        page = static_cast<std::uint32_t>(next);
        pages.push_back(page);
    }
}

// Walks the table's data pages in usage-map order and their rows in slot
// order. onRow(page, page offset of the row, row bytes, cells) returns false
// for a row it could not use. Rows are taken apart inside their page's bytes,
// every offset checked against them.
template<typename OnRow>
void walkRows(OpenTable& table, int fd, StreamWriter* out, WalkCounts& counts, OnRow&& onRow)
{
    const bool variableColumns = table.definition->num_var_cols > 0;
    std::vector<Cell> cells;
    const std::vector<std::uint32_t> numbers = dataPages(table);
    PageRuns pages(fd);
    pages.reset(numbers);
    std::uint32_t page = 0;
    const std::uint8_t* bytes = nullptr;
    while (pages.next(page, bytes)) {
        if (bytes[0] != 0x01 || readU32(bytes + 4) != table.entry.table_pg)
            continue;
        const jet_rows::PageRows rows(jet_rows::Page(bytes, PageSize));
        for (int slot = 0; slot < rows.count(); ++slot) {
            const std::optional<jet_rows::RowSpan> span = rows.row(slot);
            if (!span) {
                ++counts.damaged;
                continue;
            }
            if (span->deleted)
                continue;
            const std::span<const std::uint8_t> row(bytes + span->start,
                                                    static_cast<std::size_t>(span->length));
            if (jet_rows::crackRow(row, variableColumns, table.layouts, cells) &&
                onRow(bytes, span->start, row, cells))
                ++counts.rows;
            else
                ++counts.damaged;
        }
        if (out)
            out->keepAlive();
    }
}

int columnIndex(const OpenTable& table, const char* name)
{
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (g_ascii_strcasecmp(table.columns[c]->name, name) == 0)
            return static_cast<int>(c);
    }
    return -1;
}

// Finds the table's definition page in the catalog, read row by row here
// rather than by libmdb, which drops damaged catalog rows without a word and
// loops forever on some property blobs it parses on the way. 0 when the table
// is not there; -1 when the catalog is damaged (then a missing table may be
// a lost row, not an absent table) or unreadable.
long findTable(MdbHandle* mdb, int fd, const char* tableName, StreamWriter& out)
{
    OpenTable catalog;
    if (!openTable(mdb, CatalogDefinitionPage, "MSysObjects", catalog))
        return -1;
    const int id = columnIndex(catalog, "Id"), name = columnIndex(catalog, "Name"),
              type = columnIndex(catalog, "Type");
    if (id < 0 || name < 0 || type < 0 || catalog.columns[id]->col_type != MDB_LONGINT ||
        catalog.columns[type]->col_type != MDB_INT || catalog.columns[name]->col_type != MDB_TEXT)
        return -1;

    const std::u16string wanted = jet_values::utf8ToUtf16(tableName);
    long found = 0;
    WalkCounts counts;
    walkRows(catalog, fd, &out, counts,
             [&](const std::uint8_t*, int, std::span<const std::uint8_t> row,
                 const std::vector<Cell>& cells) {
                 const Cell& idCell = cells[static_cast<std::size_t>(id)];
                 const Cell& nameCell = cells[static_cast<std::size_t>(name)];
                 const Cell& typeCell = cells[static_cast<std::size_t>(type)];
                 if (found != 0 || !idCell.present || !nameCell.present || !typeCell.present)
                     return true;
                 const int objectType =
                     mdb_get_int16(const_cast<std::uint8_t*>(row.data()), typeCell.start);
                 if ((objectType & 0x7f) != 1 ||
                     !equalsIgnoringAsciiCase(
                         jet_values::decodeText(row.data() + nameCell.start,
                                                static_cast<std::size_t>(nameCell.length)),
                         wanted))
                     return true;
                 const long page =
                     mdb_get_int32(const_cast<std::uint8_t*>(row.data()), idCell.start) &
                     0x00ffffff;
                 found = page > 0 ? page : -1;
                 return true;
             });
    if (found != 0)
        return found;
    return counts.damaged > 0 || counts.rows < catalog.definition->num_rows ? -1 : 0;
}

// The columns the table can have, deleted ones included: the null mask
// has a bit for each. Never fewer than the columns it has.
int maxColumnCount(const OpenTable& table, int fd)
{
    constexpr int MaxColumnsOffset = 41;
    PageFile definition(fd);
    const std::uint8_t* page = definition.read(table.entry.table_pg);
    const int stored = page ? page[MaxColumnsOffset] | page[MaxColumnsOffset + 1] << 8 : 0;
    return std::max(stored, static_cast<int>(table.columns.size()));
}

// Gives each chosen column whose definition is damaged the unreadable type.
void markDamagedColumns(const OpenTable& table, int fd, const std::vector<MdbColumn*>& chosen,
                        TablePlan& plan)
{
    std::vector<column_checks::ColumnDefinition> definitions;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        definitions.push_back({table.columns[c]->col_type, table.layouts[c]});
    const std::vector<bool> damaged =
        column_checks::damagedColumns(definitions, maxColumnCount(table, fd));
    for (std::size_t c = 0; c < chosen.size(); ++c) {
        const auto at = std::find(table.columns.begin(), table.columns.end(), chosen[c]);
        if (damaged[static_cast<std::size_t>(at - table.columns.begin())])
            plan.types[c] = TablePlan::UnreadableColumn;
    }
}

} // namespace

bool looksLikeJet4File(const char* databaseFile)
{
    struct stat info;
    if (::stat(databaseFile, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (info.st_size < 3 * PageSize)
        return false;
    std::FILE* file = std::fopen(databaseFile, "rb");
    if (!file)
        return false;
    std::vector<unsigned char> head(3 * PageSize);
    const bool complete = std::fread(head.data(), 1, head.size(), file) == head.size();
    std::fclose(file);
    return complete && head[0] == 0 && head[1] == 1 && head[0x14] == 1 && head[2 * PageSize] == 2;
}

namespace {

// Only the columns asked for travel: the rest may be large and is never
// read. Their layouts and types go into the plan, in the same order.
std::vector<MdbColumn*> selectColumns(const TableRequest& request, const OpenTable& table,
                                      TablePlan& plan)
{
    std::vector<MdbColumn*> columns;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const bool wanted =
            request.columns.empty() ||
            std::any_of(request.columns.begin(), request.columns.end(),
                        [&](const std::string& name) {
                            return g_ascii_strcasecmp(name.c_str(), table.columns[c]->name) == 0;
                        });
        if (wanted) {
            columns.push_back(table.columns[c]);
            plan.layouts.push_back(table.layouts[c]);
            plan.types.push_back(table.columns[c]->col_type);
        }
    }
    return columns;
}

// The stream's head: the magic, the column and declared row counts, and
// each column's kind and name.
void writeStreamHead(const OpenTable& table, const std::vector<MdbColumn*>& columns,
                     StreamWriter& out)
{
    using namespace snapshot_protocol;
    out.writeBytes(Magic, sizeof Magic);
    out.writeU32(static_cast<std::uint32_t>(columns.size()));
    out.writeU32(static_cast<std::uint32_t>(table.definition->num_rows));
    for (MdbColumn* col : columns) {
        out.writeU32(static_cast<std::uint32_t>(kindOf(col->col_type)));
        out.writeText(jet_values::utf8ToUtf16(col->name));
    }
}

// The data pages in chunks, on as many threads as there are cores to spare;
// the library, where a column needs it, on one.
ChunkResult writeDataPages(const OpenTable& table, const TablePlan& plan, int fd, StreamWriter& out)
{
    const std::vector<std::uint32_t> pages = dataPages(table);
    const std::size_t chunks = (pages.size() + ChunkPages - 1) / ChunkPages;
    const unsigned workers =
        plan.needsLibrary() ? 1 : std::clamp(std::thread::hardware_concurrency(), 1u, MaxWorkers);
    std::deque<RowWriter> writers;
    for (unsigned w = 0; w < workers; ++w)
        writers.emplace_back(fd, plan);
    return writeChunks(
        chunks, workers, plan.streamLimit, out,
        [&](std::size_t chunk, unsigned worker, StreamWriter& rows) {
            const std::size_t first = chunk * ChunkPages;
            return writers[worker].write(
                std::span(pages).subspan(first, std::min(ChunkPages, pages.size() - first)), rows);
        });
}

} // namespace

int streamTable(const TableRequest& request, StreamWriter& out)
{
    using namespace snapshot_protocol;

    if (!looksLikeJet4File(request.databaseFile.c_str()))
        return ExitNotADatabase;
    std::unique_ptr<MdbHandle, HandleCloser> mdb(
        mdb_open(request.databaseFile.c_str(), MDB_NOFLAGS));
    const DatabaseFile file(request.databaseFile.c_str());
    if (!mdb || !IS_JET4(mdb.get()))
        return ExitNotADatabase;

    const long definitionPage = findTable(mdb.get(), file.fd(), request.table.c_str(), out);
    if (definitionPage == 0)
        return ExitNoSuchTable;
    OpenTable table;
    if (definitionPage < 0 || !openTable(mdb.get(), static_cast<std::uint32_t>(definitionPage),
                                         request.table.c_str(), table))
        return ExitUnreadableTable;

    TablePlan plan;
    const std::vector<MdbColumn*> columns = selectColumns(request, table, plan);
    if (columns.empty())
        return ExitUnreadableTable;
    markDamagedColumns(table, file.fd(), columns, plan);
    writeStreamHead(table, columns, out);

    plan.definitionPage = static_cast<std::uint32_t>(definitionPage);
    plan.variableColumns = table.definition->num_var_cols > 0;
    plan.maxValueBytes =
        static_cast<std::size_t>(std::min<std::uint64_t>(MaxLongValueBytes, request.streamLimit));
    plan.streamLimit = request.streamLimit;
    MdbHandle* handle = mdb.get();
    // The library's own converters read from its page buffer.
    plan.libraryValue = [handle, &columns](const std::uint8_t* page, int start, int size,
                                           std::size_t column, StreamWriter& rows) {
        std::memcpy(handle->pg_buf, page, PageSize);
        const MdbColumn* col = columns[column];
        rows.writeText(fromLibraryText(
            col->col_type == MDB_NUMERIC
                ? mdb_numeric_to_string(handle, start, col->col_scale, col->col_prec)
                : mdb_col_to_string(handle, handle->pg_buf, start, MDB_REPID, size)));
    };

    const ChunkResult result = writeDataPages(table, plan, file.fd(), out);
    if (result.tooLong)
        return ExitTooLarge;
    const auto end = static_cast<char>(EndTag);
    out.writeBytes(&end, 1);
    out.writeU32(result.rows);
    out.writeU32(result.damaged);
    return 0;
}
