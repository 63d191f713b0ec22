#pragma once

// Reads one table of a Jet 4 database and writes it to a stream in the
// table-stream format. All libmdb use of the program is behind this, and
// libmdb is used only for the table definition and its usage map: the rows,
// the catalog and long values are taken apart here, where every offset is
// checked and a damaged row costs only that row.

#include <cstdint>
#include <string>
#include <vector>

class StreamWriter;

struct TableRequest
{
    std::string databaseFile;
    std::string table;
    // The columns to stream, in table order whatever order they are named
    // in; none named means every column. Names the table lacks are skipped.
    std::vector<std::string> columns;
    // A table whose stream would grow past this is refused, not cut.
    std::uint64_t streamLimit = UINT64_MAX;
};

// Returns 0 when the whole table was written, else one of the reader exit
// codes of the table-stream protocol.
int streamTable(const TableRequest& request, StreamWriter& out);

// Cheap checks that a file looks like a Jet 4 database before libmdb sees it:
// at least the header, usage-map and catalog pages, the Jet 4 version byte
// and a table-definition page where the catalog lives. A tail shorter than a
// page (a file the order-entry product was extending) is ignored.
bool looksLikeJet4File(const char* databaseFile);
