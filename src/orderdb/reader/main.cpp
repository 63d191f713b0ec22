// The database reader program: reads one table of an Access database and
// streams it to its standard output in the table-stream format.
//
// It runs as a child of the ticket program so that a damaged database that
// makes the database library crash, loop or eat memory ends only this process.
//
//   qmdata-reader <database file> <table> <memory limit in MiB>
//                 <stream limit in bytes> [<column>...]
//
// A limit of 0 means none. Without columns every column of the table is sent.

#include "orderdb/reader/jet_table_reader.h"
#include "orderdb/reader/stream_writer.h"
#include "orderdb/snapshot_protocol.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) && !defined(__SANITIZE_ADDRESS__)
#define __SANITIZE_ADDRESS__ 1 // clang's spelling of GCC's macro
#endif
#endif

namespace {

void limitResources(long memoryMiB)
{
    rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
#if !defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer reserves its shadow memory up front and cannot live
    // under an address-space limit; sanitizer builds go without the cap.
    if (memoryMiB > 0) {
        const rlim_t bytes = static_cast<rlim_t>(memoryMiB) << 20;
        rlimit memory{bytes, bytes};
        setrlimit(RLIMIT_AS, &memory);
    }
#else
    (void)memoryMiB;
#endif
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5)
        return snapshot_protocol::ExitUsage;
    limitResources(std::atol(argv[3]));

    TableRequest request;
    request.databaseFile = argv[1];
    request.table = argv[2];
    const unsigned long long limit = std::strtoull(argv[4], nullptr, 10);
    request.streamLimit = limit == 0 ? UINT64_MAX : limit;
    for (int i = 5; i < argc; ++i)
        request.columns.emplace_back(argv[i]);

    // The database library prints diagnostics, and with some debug settings
    // rows, on the standard streams: keep them away from the table stream.
    unsetenv("MDBOPTS");
    unsetenv("MDBPATH");
    unsetenv("MDBICONV");
    const int stream = dup(STDOUT_FILENO);
    const int devNull = open("/dev/null", O_WRONLY);
    if (stream < 0 || devNull < 0)
        return snapshot_protocol::ExitUsage;
    dup2(devNull, STDOUT_FILENO);
    dup2(devNull, STDERR_FILENO);

    StreamWriter out(stream);
    const int status = streamTable(request, out);
    const bool written = status == 0 && out.flush();
    // Leave without running exit handlers: nothing is left to clean up, and a
    // leak report of the database library must not spoil a good stream.
    _exit(status != 0 ? status : written ? 0 : snapshot_protocol::ExitUnreadableTable);
}
