#include "jet4/table_encoder.h"

#include "jet4/byte_order.h"
#include "jet4/row_builder.h"
#include "jet4/value_encoder.h"

#include <stdexcept>
#include <string>

namespace jet4::detail {

namespace {

struct PointerPatch
{
    std::size_t offset;            ///< in the data page bytes
    std::uint32_t relativePageRow; ///< into the long-value pages
};

std::string where(const Table& table, std::size_t row)
{
    return "table '" + table.name + "', row " + std::to_string(row);
}

} // namespace

std::vector<StoredColumn> storedColumnsOf(const Table& table)
{
    std::vector<StoredColumn> columns;
    columns.reserve(table.columns.size());
    for (const Column& column : table.columns) {
        columns.push_back(storedColumnFor(column));
        columns.back().declaredSize = column.declaredSize;
    }
    layoutColumns(columns);
    return columns;
}

EncodedRows encodeRows(const Table& table, const std::vector<StoredColumn>& columns,
                       std::uint32_t definitionPage, std::uint32_t firstDataPage)
{
    EncodedRows encoded{DataPages(definitionPage), LongValuePages()};
    RowBuilder builder(columns);
    ValueEncoder encoder(encoded.longValues, table.shareLongValues);
    std::vector<PointerPatch> patches;
    std::vector<bool> deleted(table.rows.size());
    for (const std::size_t r : table.deletedRows) {
        if (r >= deleted.size() || deleted[r])
            throw std::invalid_argument("table '" + table.name + "': deleted row " +
                                        std::to_string(r) + " is not one of its rows");
        deleted[r] = true;
    }
    encoded.deletedRows = table.deletedRows.size();
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::vector<Value>& values = table.rows[r];
        if (values.size() != table.columns.size()) {
            throw std::invalid_argument(where(table, r) + " has " + std::to_string(values.size()) +
                                        " values for " + std::to_string(table.columns.size()) +
                                        " columns");
        }
        builder.begin();
        encoder.clearPendingPointers();
        for (std::size_t c = 0; c < values.size(); ++c) {
            try {
                encoder.encode(table.columns[c], c, values[c], builder);
            } catch (const std::invalid_argument& error) {
                throw std::invalid_argument(where(table, r) + ", column '" + table.columns[c].name +
                                            "': " + error.what());
            }
        }
        DataPages::Placement placed{};
        try {
            placed = encoded.data.add(builder.finish());
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument(where(table, r) + ": " + error.what());
        }
        if (deleted[r])
            encoded.data.markDeleted(placed);
        for (const auto& pointer : encoder.pendingPointers()) {
            patches.push_back({placed.offsetInBytes + pointer.rowOffset, pointer.relativePageRow});
        }
    }

    // Long values follow the data pages, so their pages are known only now.
    const std::uint32_t firstLongValuePage = firstDataPage + encoded.data.pageCount();
    encoded.longValues.relocate(firstLongValuePage);
    for (const PointerPatch& patch : patches) {
        putU32(encoded.data.bytes().data() + patch.offset,
               patch.relativePageRow + pageRow(firstLongValuePage, 0));
    }
    return encoded;
}

} // namespace jet4::detail
