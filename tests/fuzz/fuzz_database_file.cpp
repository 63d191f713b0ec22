// Fuzzes the database reader program's code with whole files: the catalog,
// table definitions, data pages, rows and long values it takes apart. Every
// input must end in a refusal or in a stream the program accepts.

#include "orderdb/reader/jet_table_reader.h"
#include "orderdb/reader/stream_writer.h"
#include "orderdb/snapshot_protocol.h"
#include "orderdb/table_snapshot.h"

#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr std::uint64_t StreamLimit = 16 << 20;

QByteArray contents(int fd)
{
    QByteArray bytes(static_cast<qsizetype>(::lseek(fd, 0, SEEK_END)), Qt::Uninitialized);
    if (::pread(fd, bytes.data(), static_cast<std::size_t>(bytes.size()), 0) != bytes.size())
        __builtin_trap();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const int file = ::memfd_create("qmdata.mdb", 0);
    static const int stream = ::memfd_create("stream", 0);
    if (::ftruncate(file, 0) != 0 || ::pwrite(file, data, size, 0) != static_cast<ssize_t>(size))
        __builtin_trap();

    // The writer's seeds hold "Orders"; the Access-made ones "Table1" or "Table".
    for (const char* table : {"Orders", "Table1", "Table"}) {
        if (::ftruncate(stream, 0) != 0 || ::lseek(stream, 0, SEEK_SET) != 0)
            __builtin_trap();
        TableRequest request;
        request.databaseFile = "/proc/self/fd/" + std::to_string(file);
        request.table = table;
        request.streamLimit = StreamLimit;
        StreamWriter out(stream);
        const int status = streamTable(request, out);
        if (status == snapshot_protocol::ExitNoSuchTable)
            continue;
        if (status == 0) {
            if (!out.flush())
                __builtin_trap();
            const std::optional<TableSnapshot> snapshot =
                TableSnapshot::fromStream(contents(stream));
            if (!snapshot)
                __builtin_trap(); // a complete stream the program refuses
            TableSnapshot::Row row(*snapshot);
            for (qsizetype r = 0; r < snapshot->rowCount(); ++r) {
                row.moveTo(r);
                for (int column = 0; column < snapshot->columnCount(); ++column)
                    (void)snapshot->cellValue(row.cell(column), column);
            }
        }
        break;
    }
    return 0;
}
