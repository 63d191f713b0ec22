#include "orderdb/reader/jet_table_reader.h"

#include "common/decimal_text.h"
#include "orderdb/reader/jet_values.h"
#include "orderdb/reader/stream_writer.h"
#include "orderdb/snapshot_protocol.h"

// glib must come before mdbtools.h: the 1.0.0 header includes it inside its
// extern "C" block, where glib's C++ templates do not compile.
#include <glib.h>

#include <mdbtools.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

using snapshot_protocol::ColumnKind;

namespace {

constexpr int PageSize = 4096;
constexpr std::size_t MemoBindSize = 1 << 20;

struct HandleCloser
{
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer
{
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

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

std::int64_t readInt64(const unsigned char* bytes)
{
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = value << 8 | bytes[i];
    return static_cast<std::int64_t>(value);
}

// Jet 4 text, sent as Latin-1 without decoding whenever its stored form
// allows: compressed text without mode switches is Latin-1 already.
void writeJetText(const unsigned char* bytes, std::size_t length, StreamWriter& out)
{
    const bool compressed = length >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe;
    if (compressed && std::memchr(bytes + 2, 0, length - 2) == nullptr) {
        out.writeLatin1(std::string_view(reinterpret_cast<const char*>(bytes + 2), length - 2));
        return;
    }
    out.writeText(jet_values::decodeText(bytes, length));
}

// Writes one non-Null value, read from the row bytes where that is exact and
// independent of the C locale.
void writeValue(MdbHandle* mdb, MdbColumn* col, int start, int size, StreamWriter& out)
{
    auto* page = static_cast<unsigned char*>(mdb->pg_buf);
    if (start < 0 || size < 0 || start + size > PageSize) {
        out.writeAscii({});
        return;
    }
    switch (col->col_type) {
    case MDB_BYTE:
        return out.writeAscii(std::to_string(page[start]));
    case MDB_INT:
        return out.writeAscii(
            std::to_string(static_cast<std::int16_t>(mdb_get_int16(page, start))));
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return out.writeAscii(
            std::to_string(static_cast<std::int32_t>(mdb_get_int32(page, start))));
    case MDB_MONEY:
        return out.writeAscii(scaledDecimal(readInt64(page + start), 4));
    case MDB_FLOAT:
        return out.writeAscii(plainDecimal(mdb_get_single(page, start), 7));
    case MDB_DOUBLE:
        return out.writeAscii(plainDecimal(mdb_get_double(page, start), 15));
    case MDB_DATETIME:
        return out.writeAscii(jet_values::dateTimeText(mdb_get_double(page, start)));
    case MDB_TEXT:
        return writeJetText(page + start, static_cast<std::size_t>(size), out);
    case MDB_MEMO:
        return out.writeText(fromLibraryText(mdb_col_to_string(mdb, page, start, MDB_MEMO, size)));
    case MDB_NUMERIC:
        return out.writeText(
            fromLibraryText(mdb_numeric_to_string(mdb, start, col->col_scale, col->col_prec)));
    case MDB_REPID:
        return out.writeText(fromLibraryText(mdb_col_to_string(mdb, page, start, MDB_REPID, size)));
    default: // binary and OLE objects carry nothing the program reads
        return out.writeAscii({});
    }
}

// The null mask of the row that mdb_fetch_row just read: libmdb keeps no
// Null flags, and a Null and an empty text look alike in what it does keep.
struct RowNullMask
{
    const unsigned char* bits = nullptr;
    unsigned columns = 0;

    // Set bit = a value is present (for a Boolean: true).
    bool isSet(int columnNumber) const
    {
        return columnNumber >= 0 && static_cast<unsigned>(columnNumber) < columns &&
               (bits[columnNumber / 8] >> (columnNumber % 8) & 1) != 0;
    }
};

bool currentRowNullMask(MdbTableDef* table, RowNullMask& mask)
{
    MdbHandle* mdb = table->entry->mdb;
    int start = 0;
    size_t size = 0;
    if (mdb_find_row(mdb, static_cast<int>(table->cur_row) - 1, &start, &size) != 0 || size < 3)
        return false;
    const auto* page = static_cast<const unsigned char*>(mdb->pg_buf);
    const int rowStart = start & 0x1fff;
    const unsigned columns = static_cast<unsigned>(mdb_get_int16(mdb->pg_buf, rowStart));
    const unsigned maskBytes = (columns + 7) / 8;
    if (maskBytes + 2 > size || rowStart + size > static_cast<size_t>(PageSize))
        return false;
    mask.bits = page + rowStart + size - maskBytes;
    mask.columns = columns;
    return true;
}

} // namespace

bool looksLikeJet4File(const char* databaseFile)
{
    struct stat info;
    if (::stat(databaseFile, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (info.st_size < 3 * PageSize || info.st_size % PageSize != 0)
        return false;
    std::FILE* file = std::fopen(databaseFile, "rb");
    if (!file)
        return false;
    std::vector<unsigned char> head(3 * PageSize);
    const bool complete = std::fread(head.data(), 1, head.size(), file) == head.size();
    std::fclose(file);
    return complete && head[0] == 0 && head[1] == 1 && head[0x14] == 1 && head[2 * PageSize] == 2;
}

int streamTable(const char* databaseFile, const char* tableName, StreamWriter& out)
{
    using namespace snapshot_protocol;

    if (!looksLikeJet4File(databaseFile))
        return ExitNotADatabase;
    std::unique_ptr<MdbHandle, HandleCloser> mdb(mdb_open(databaseFile, MDB_NOFLAGS));
    if (!mdb || !mdb_read_catalog(mdb.get(), MDB_TABLE))
        return ExitNotADatabase;
    mdb_set_bind_size(mdb.get(), MemoBindSize);

    // The catalog is read once: reading it again would free the entry the
    // table definition points at.
    MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(mdb.get(), tableName);
    if (!entry || entry->object_type != MDB_TABLE)
        return ExitNoSuchTable;
    std::unique_ptr<MdbTableDef, TableFreer> table(mdb_read_table(entry));
    if (!table || !mdb_read_columns(table.get()))
        return ExitUnreadableTable;

    const unsigned columns = table->num_cols;
    out.writeBytes(Magic, sizeof Magic);
    out.writeU32(columns);
    out.writeU32(static_cast<std::uint32_t>(table->num_rows)); // a hint only: it may be stale
    std::vector<MdbColumn*> cols(columns);
    for (unsigned c = 0; c < columns; ++c) {
        cols[c] = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
        out.writeU32(static_cast<std::uint32_t>(kindOf(cols[c]->col_type)));
        out.writeText(jet_values::utf8ToUtf16(cols[c]->name));
    }

    // Nothing is bound, so libmdb converts nothing; it only locates each
    // value, and the values are read from the row bytes here.
    std::uint32_t rows = 0;
    RowNullMask mask;
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        if (!currentRowNullMask(table.get(), mask))
            continue;
        out.writeU16(RowMarker);
        for (MdbColumn* col : cols) {
            const bool present = mask.isSet(col->col_num);
            if (col->col_type == MDB_BOOL) {
                out.writeAscii(present ? "-1" : "0"); // a Boolean's null bit is its value
            } else if (!present || (col->is_fixed && col->cur_value_len == 0)) {
                // A fixed column the row does not hold (one added later) reads as Null.
                out.writeNull();
            } else {
                writeValue(mdb.get(), col, col->cur_value_start, col->cur_value_len, out);
            }
        }
        ++rows;
    }
    out.writeU16(EndMarker);
    out.writeU32(rows);
    return 0;
}
