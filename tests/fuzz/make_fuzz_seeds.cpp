// Writes small databases for the fuzzers to start from: order-entry tables,
// long texts on long-value pages, a table whose definition declares more
// rows than it holds, and deleted records beside live ones.
//
//   make-fuzz-seeds <folder>

#include "demodata/order_entry_tables.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-fuzz-seeds <folder>\n";
        return 2;
    }
    const std::string folder = argv[1];
    jet4::writeDatabase(folder + "/order-entry.mdb", makeOrderEntryTables({4, 8, 4}));

    jet4::Table orders{"Orders",
                       {{"OrderNo", jet4::ColumnType::Text, 8},
                        {"PartNo", jet4::ColumnType::Integer},
                        {"Description", jet4::ColumnType::Memo},
                        {"PressQty", jet4::ColumnType::Long},
                        {"Rush", jet4::ColumnType::Boolean},
                        {"Price", jet4::ColumnType::Currency}},
                       {}};
    orders.rows.push_back({"00012345", 1, "Short", 500, true, 12.5});
    orders.rows.push_back(
        {"00012346", 2, std::string(5000, 'x') + "\xF0\x9F\x98\x80", jet4::Null, false, 0});
    orders.rows.push_back({"00012347", jet4::Null, jet4::Null, -1, false, jet4::Null});
    jet4::writeDatabase(folder + "/long-texts.mdb", {orders});

    orders.storedRowCount = 9;
    orders.shareLongValues = true;
    orders.rows[2][2] = orders.rows[1][2];
    jet4::writeDatabase(folder + "/shared-and-short.mdb", {orders});
    orders.storedRowCount.reset();
    orders.deletedRows = {0, 2};
    jet4::writeDatabase(folder + "/deleted-records.mdb", {orders});
    return 0;
}
