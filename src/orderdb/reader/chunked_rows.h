#pragma once

// A table's rows written in chunks on several threads, and sent in order: the
// reader takes a large table apart at the pace of more than one core, while
// the stream stays what one thread would have written.

#include "orderdb/reader/stream_writer.h"

#include <cstdint>
#include <functional>

struct ChunkResult
{
    std::uint32_t rows = 0;
    std::uint32_t damaged = 0; // rows that could not be read, and values sent as Null for it
    bool tooLong = false;      // a value or the chunk outgrew what it may take

    ChunkResult& operator+=(const ChunkResult& other);
};

// Writes one chunk's rows into a writer of its own (in memory, fresh).
// `worker` tells the threads apart, 0 to workers - 1, for state of their own.
using ChunkWork =
    std::function<ChunkResult(std::size_t chunk, unsigned worker, StreamWriter& rows)>;

// Runs the work for chunks 0 to count - 1 on `workers` threads, this one
// among them, and sends their rows to `out` in chunk order, keeping it alive
// while it waits. Stops at the first chunk that is too long, or once `out`
// has taken more than streamLimit bytes (then the result is too long). The
// result sums the chunks sent.
ChunkResult writeChunks(std::size_t count, unsigned workers, std::uint64_t streamLimit,
                        StreamWriter& out, const ChunkWork& work);
