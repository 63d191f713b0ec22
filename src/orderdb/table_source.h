#pragma once

#include "orderdb/table_snapshot.h"

#include <QString>

#include <chrono>
#include <memory>

// Reads whole tables of an order-entry database. The reading itself happens
// in the reader program beside this program, so that a damaged database can
// crash or hang only that child; its stream becomes a TableSnapshot.
//
// Reading never writes or locks the database. Reads may run on several
// threads at once. A table of a file that has not
// changed since it was last read (same size, modification time and inode) is
// served from the last snapshot.
namespace table_source {

// Failures are RuntimeErrors: InvalidDatabasePath (the folder does not
// exist), DatabaseFileNotFound, TableNotFound, and UnreadableDatabase for a
// file that is not a readable Access database or whose reading failed.
std::shared_ptr<const TableSnapshot> read(const QString& databaseFile, const QString& table);

// Where the reader program is; by default beside the running program.
QString readerProgram();
void setReaderProgram(const QString& path);

// The reading of one table may take this long, plus one second for every
// 4 MiB of database, before the reader is stopped and the read fails.
void setBaseTimeLimit(std::chrono::milliseconds limit);

void clearCache();

} // namespace table_source
