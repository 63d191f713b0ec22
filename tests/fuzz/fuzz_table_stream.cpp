// Fuzzes the program's decoder of the reader's table stream: whatever the
// bytes, it either refuses them or indexes cells that all read back.

#include "orderdb/table_snapshot.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<TableSnapshot> table = TableSnapshot::fromStream(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!table)
        return 0;
    for (qsizetype row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            const FieldValue value = table->value(row, column);
            if (table->cellEquals(row, column, value.toText()) == value.isNull())
                __builtin_trap(); // a cell must equal its own text, and a Null nothing
        }
    }
    (void)table->columnIndex(u"Name");
    return 0;
}
