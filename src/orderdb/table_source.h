#pragma once

#include "orderdb/short_table_notices.h"
#include "orderdb/table_snapshot.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

// The reading service of the order-entry database: reads whole tables for
// the cursors. The reading itself happens in the reader program beside this
// program, so that a damaged database can crash or hang only that child; its
// stream becomes a TableSnapshot. The service holds what every read shares:
// which reader program runs and within which limits, the cache of tables
// read, their memory budget, and who is told of damaged tables.
//
// The application makes one and hands it to whatever opens tables. Copies
// are the same service (one cache, one set of limits, one notice list): a
// cursor keeps a copy, so that a read it runs in the background never finds
// the service gone, even when the program ends during it.
//
// Reading never writes or locks the database. Reads may run on several
// threads at once. A table of a file that has not changed since it was last
// read (same size, modification time and inode) is served from the last
// snapshot. A file that changes while it is read is read again, a few times
// at most: a snapshot always comes from one version of the file.
//
// Memory: the snapshots of one database, together, may take at most
// memoryBudget(file size); a read that would go past it fails. That bounds
// what a crafted file (one long text shared by many rows, say) can cost.
class TableSource
{
public:
    // Runs the reader program found beside the running program, else in the
    // helper folder of its install tree.
    TableSource();

    // Failures are RuntimeErrors: InvalidDatabasePath (the folder does not
    // exist), DatabaseFileNotFound, TableNotFound, and UnreadableDatabase for
    // a file that cannot be opened, is not a readable Access database, whose
    // reading failed, or that kept changing while it was read.
    //
    // Only the named fields are read (the others are left in the file); none
    // named means every field.
    std::shared_ptr<const TableSnapshot> readTable(const QString& databaseFile,
                                                   const QString& table,
                                                   const QStringList& fields = {}) const;

    // The file a database path names (its name matched without regard to
    // letter case), after the checks that need no reading: the folders exist,
    // the file exists and may be opened. Throws the failures above.
    static QString checkDatabaseFile(const QString& databaseFile);

    // How much memory the snapshots of a database of this size may take.
    static qint64 memoryBudget(qint64 fileSize);

    QString readerProgram() const;
    void setReaderProgram(const QString& path);

    // The reader is stopped, and the read fails, when it shows no progress
    // (no new bytes) for the stall limit, or runs past the ceiling however
    // busy.
    void setStallLimit(std::chrono::milliseconds limit);
    void setTimeCeiling(std::chrono::milliseconds limit);

    // Forgets every table read, so that the next read of each runs the reader.
    void clearCache();

    // Who is told of damaged tables the cursors take (see TableCursor).
    ShortTableNotices& notices() const;

private:
    struct State;
    std::shared_ptr<State> m_state;
};
