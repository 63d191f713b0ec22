#include "orderdb/reader/jet_table_reader.h"

#include "common/decimal_text.h"
#include "orderdb/reader/jet_rows.h"
#include "orderdb/reader/jet_values.h"
#include "orderdb/reader/stream_writer.h"
#include "orderdb/snapshot_protocol.h"

// glib must come before mdbtools.h: the 1.0.0 header includes it inside its
// extern "C" block, where glib's C++ templates do not compile.
#include <glib.h>

#include <mdbtools.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using jet_rows::Cell;
using jet_rows::ColumnLayout;
using jet_rows::PageSize;
using snapshot_protocol::ColumnKind;

namespace {

// Long values are refused above this whatever the stream may take: the
// reader must stay within its own memory cap while it decodes one.
constexpr std::size_t MaxLongValueBytes = std::size_t{256} << 20;
constexpr std::uint32_t CatalogDefinitionPage = 2;

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

std::int64_t readInt64(const unsigned char* bytes)
{
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = value << 8 | bytes[i];
    return static_cast<std::int64_t>(value);
}

bool equalsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b)
{
    const auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

// Jet 4 text, sent as Latin-1 without decoding whenever its stored form
// allows: compressed text without mode switches is Latin-1 already, and so is
// UCS-2 whose every high byte is zero.
void writeJetText(const unsigned char* bytes, std::size_t length, StreamWriter& out)
{
    const bool compressed = length >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe;
    if (!compressed) {
        out.writeUcs2(bytes, length);
        return;
    }
    if (std::memchr(bytes + 2, 0, length - 2) == nullptr) {
        out.writeLatin1(std::string_view(reinterpret_cast<const char*>(bytes + 2), length - 2));
        return;
    }
    out.writeText(jet_values::decodeText(bytes, length));
}

// Single pages of the database file, read past libmdb's page buffers so that
// following a long value never disturbs the data page being walked.
class PageFile
{
public:
    explicit PageFile(const char* path)
        : m_fd(::open(path, O_RDONLY | O_CLOEXEC))
    {
    }
    ~PageFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    int fd() const { return m_fd; }

    const std::uint8_t* read(std::uint32_t page)
    {
        const off_t at = static_cast<off_t>(page) * PageSize;
        if (m_fd < 0 || ::pread(m_fd, m_buffer.data(), PageSize, at) != PageSize)
            return nullptr;
        return m_buffer.data();
    }

private:
    int m_fd;
    std::array<std::uint8_t, PageSize> m_buffer{};
};

// The data pages of a table in ascending order, read a run of neighbouring
// pages at a time: one read for many pages, and no copy of any page.
class PageRuns
{
public:
    PageRuns(int fd, std::vector<std::uint32_t> pages)
        : m_fd(fd)
        , m_pages(std::move(pages))
        , m_buffer(std::size_t{RunPages} * PageSize)
    {
    }

    // The next page and its number; false at the end. A page that cannot be
    // read is left out.
    bool next(std::uint32_t& page, const std::uint8_t*& bytes)
    {
        for (;;) {
            if (m_inRun < m_runLoaded) {
                page = m_pages[m_runStart + m_inRun];
                bytes = m_buffer.data() + std::size_t{m_inRun} * PageSize;
                ++m_inRun;
                return true;
            }
            m_runStart += m_runLength;
            if (m_runStart >= m_pages.size())
                return false;
            load();
        }
    }

private:
    static constexpr unsigned RunPages = 64;

    void load()
    {
        m_runLength = 1;
        while (m_runLength < RunPages && m_runStart + m_runLength < m_pages.size() &&
               m_pages[m_runStart + m_runLength] == m_pages[m_runStart] + m_runLength)
            ++m_runLength;
        const off_t at = static_cast<off_t>(m_pages[m_runStart]) * PageSize;
        const ssize_t got =
            m_fd < 0 ? -1 : ::pread(m_fd, m_buffer.data(), std::size_t{m_runLength} * PageSize, at);
        // A file cut short gives the whole pages it still holds.
        m_runLoaded = got <= 0 ? 0 : static_cast<unsigned>(got / PageSize);
        m_inRun = 0;
    }

    int m_fd;
    std::vector<std::uint32_t> m_pages;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_runStart = 0;
    unsigned m_runLength = 0;
    unsigned m_runLoaded = 0;
    unsigned m_inRun = 0;
};

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
    PageRuns pages(fd, dataPages(table));
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

enum class ValueResult { Written, Damaged, TooLong };

// Writes one non-Null value, read from the row bytes where that is exact and
// independent of the C locale. `page` holds the row at `rowOffset`: the
// library's own converters, used for rare types, read from its page buffer.
ValueResult writeValue(MdbHandle* mdb, const MdbColumn* col, const std::uint8_t* page,
                       std::span<const std::uint8_t> row, int rowOffset, const Cell& cell,
                       PageFile& pages, std::size_t maxValueBytes, StreamWriter& out)
{
    const unsigned char* at = row.data() + cell.start;
    auto* rowBytes = const_cast<std::uint8_t*>(row.data()); // the library's getters take void*
    const int start = rowOffset + cell.start;
    const int size = cell.length;
    switch (col->col_type) {
    case MDB_BYTE:
        out.writeDecimal(at[0]);
        break;
    case MDB_INT:
        out.writeDecimal(static_cast<std::int16_t>(at[0] | at[1] << 8));
        break;
    case MDB_LONGINT:
    case MDB_COMPLEX:
        out.writeDecimal(static_cast<std::int32_t>(readU32(at)));
        break;
    case MDB_MONEY:
        out.writeAscii(scaledDecimal(readInt64(at), 4));
        break;
    case MDB_FLOAT:
        out.writeAscii(plainDecimal(mdb_get_single(rowBytes, cell.start), 7));
        break;
    case MDB_DOUBLE:
        out.writeAscii(plainDecimal(mdb_get_double(rowBytes, cell.start), 15));
        break;
    case MDB_DATETIME:
        out.writeAscii(jet_values::dateTimeText(mdb_get_double(rowBytes, cell.start)));
        break;
    case MDB_TEXT:
        writeJetText(at, static_cast<std::size_t>(size), out);
        break;
    case MDB_MEMO: {
        std::vector<std::uint8_t> bytes;
        const jet_rows::LongValueResult result = jet_rows::readLongValue(
            std::span<const std::uint8_t>(at, static_cast<std::size_t>(size)),
            [&pages](std::uint32_t page) { return pages.read(page); }, maxValueBytes, bytes);
        if (result == jet_rows::LongValueResult::TooLong)
            return ValueResult::TooLong;
        if (result == jet_rows::LongValueResult::Damaged)
            return ValueResult::Damaged;
        writeJetText(bytes.data(), bytes.size(), out);
        break;
    }
    case MDB_NUMERIC:
        std::memcpy(mdb->pg_buf, page, PageSize);
        out.writeText(
            fromLibraryText(mdb_numeric_to_string(mdb, start, col->col_scale, col->col_prec)));
        break;
    case MDB_REPID:
        std::memcpy(mdb->pg_buf, page, PageSize);
        out.writeText(fromLibraryText(mdb_col_to_string(mdb, mdb->pg_buf, start, MDB_REPID, size)));
        break;
    default: // binary and OLE objects carry nothing the program reads
        out.writeAscii({});
        break;
    }
    return ValueResult::Written;
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

int streamTable(const TableRequest& request, StreamWriter& out)
{
    using namespace snapshot_protocol;

    if (!looksLikeJet4File(request.databaseFile.c_str()))
        return ExitNotADatabase;
    std::unique_ptr<MdbHandle, HandleCloser> mdb(
        mdb_open(request.databaseFile.c_str(), MDB_NOFLAGS));
    PageFile pages(request.databaseFile.c_str());
    if (!mdb || !IS_JET4(mdb.get()))
        return ExitNotADatabase;

    const long definitionPage = findTable(mdb.get(), pages.fd(), request.table.c_str(), out);
    if (definitionPage == 0)
        return ExitNoSuchTable;
    OpenTable table;
    if (definitionPage < 0 || !openTable(mdb.get(), static_cast<std::uint32_t>(definitionPage),
                                         request.table.c_str(), table))
        return ExitUnreadableTable;

    // Only the columns asked for travel: the rest may be large and is never read.
    std::vector<std::size_t> chosen;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const bool wanted =
            request.columns.empty() ||
            std::any_of(request.columns.begin(), request.columns.end(),
                        [&](const std::string& name) {
                            return g_ascii_strcasecmp(name.c_str(), table.columns[c]->name) == 0;
                        });
        if (wanted)
            chosen.push_back(c);
    }
    if (chosen.empty())
        return ExitUnreadableTable;
    std::vector<ColumnLayout> layouts;
    for (std::size_t c : chosen)
        layouts.push_back(table.layouts[c]);
    std::vector<MdbColumn*> columns;
    for (std::size_t c : chosen)
        columns.push_back(table.columns[c]);
    table.layouts = layouts;

    out.writeBytes(Magic, sizeof Magic);
    out.writeU32(static_cast<std::uint32_t>(columns.size()));
    out.writeU32(static_cast<std::uint32_t>(table.definition->num_rows));
    for (MdbColumn* col : columns) {
        out.writeU32(static_cast<std::uint32_t>(kindOf(col->col_type)));
        out.writeText(jet_values::utf8ToUtf16(col->name));
    }

    std::vector<int> types;
    for (const MdbColumn* col : columns)
        types.push_back(col->col_type);
    const std::size_t maxValueBytes =
        static_cast<std::size_t>(std::min<std::uint64_t>(MaxLongValueBytes, request.streamLimit));
    bool tooLong = false;
    WalkCounts counts;
    walkRows(
        table, pages.fd(), &out, counts,
        [&](const std::uint8_t* page, int rowOffset, std::span<const std::uint8_t> row,
            const std::vector<Cell>& cells) {
            if (tooLong)
                return true;
            // A row goes out whole or not at all.
            out.beginRow();
            for (std::size_t c = 0; c < columns.size(); ++c) {
                const Cell& cell = cells[c];
                if (types[c] == MDB_BOOL) {
                    out.writeAscii(cell.present ? "-1" : "0"); // a Boolean's null bit is its value
                    continue;
                }
                if (!cell.present) {
                    out.writeNull();
                    continue;
                }
                const ValueResult result = writeValue(mdb.get(), columns[c], page, row, rowOffset,
                                                      cell, pages, maxValueBytes, out);
                if (result != ValueResult::Written) {
                    out.abandonRow();
                    tooLong = result == ValueResult::TooLong;
                    return tooLong;
                }
            }
            out.endRow();
            if (out.bytesWritten() > request.streamLimit)
                tooLong = true;
            return true;
        });
    if (tooLong)
        return ExitTooLarge;
    const auto end = static_cast<char>(EndTag);
    out.writeBytes(&end, 1);
    out.writeU32(counts.rows);
    return 0;
}
