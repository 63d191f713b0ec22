// Fuzzes the program's decoder of the reader's table stream: whatever the
// bytes, and however they arrive, it either refuses them or indexes cells
// that all read back, walked to in order or jumped to.

#include "orderdb/table_snapshot.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes choose the block size and the size of the pieces
    // the stream arrives in, so that items cut at any place are met.
    const std::size_t blockSize = 64 + std::size_t{data[0]} * 16;
    const std::size_t pieceSize = 1 + std::size_t{data[1]} * 64;
    data += 2;
    size -= 2;
    TableSnapshot::Builder builder(size + 1, blockSize);
    for (std::size_t done = 0; done < size;) {
        const std::span<char> room = builder.room();
        if (room.empty())
            return 0;
        const std::size_t piece = std::min({room.size(), pieceSize, size - done});
        std::memcpy(room.data(), data + done, piece);
        done += piece;
        if (!builder.received(piece))
            return 0;
    }
    const std::optional<TableSnapshot> table = builder.finish();
    if (!table)
        return 0;
    TableSnapshot::Row row(*table);
    for (qsizetype r = 0; r < table->rowCount(); ++r) {
        row.moveTo(r);
        for (int column = 0; column < table->columnCount(); ++column) {
            const FieldValue value = table->cellValue(row.cell(column), column);
            if (TableSnapshot::cellMatches(row.cell(column), value.toText()) == value.isNull())
                __builtin_trap(); // a cell must equal its own text, and a Null nothing
            // A jump from the nearest key row finds the same value.
            if (r % 17 == 0 && table->value(r, column) != value)
                __builtin_trap();
        }
    }
    (void)table->columnIndex(u"Name");
    return 0;
}
