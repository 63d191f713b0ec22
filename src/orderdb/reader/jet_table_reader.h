#pragma once

// Reads one table of a Jet 4 database with libmdb and writes it to a stream
// in the table-stream format. All libmdb use of the program is behind this.

class StreamWriter;

// Returns 0 when the whole table was written, else one of the reader exit
// codes of the table-stream protocol.
int streamTable(const char* databaseFile, const char* tableName, StreamWriter& out);

// Cheap checks that a file looks like a Jet 4 database before libmdb sees it:
// whole 4 KiB pages, at least the header, usage-map and catalog pages, the
// Jet 4 version byte and a table-definition page where the catalog lives.
bool looksLikeJet4File(const char* databaseFile);
