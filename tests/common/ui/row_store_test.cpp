#include "common/runtime_error.h"
#include "common/ui/row_store.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace {

TEST(RowStore, KeepsRowsInTheOrderAdded)
{
    RowStore rows;
    rows.add("1\t0\tBrochures");
    rows.add("2\t0\tFlyers");
    rows.add("3\t1\tCards");
    rows.setItem(1, "5\t0\tFlyers");
    rows.removeItem(0);
    ASSERT_EQ(rows.count(), 2);
    EXPECT_EQ(rows.item(0), "5\t0\tFlyers");
    EXPECT_EQ(rows.item(1), "3\t1\tCards");
    rows.clear();
    EXPECT_EQ(rows.count(), 0);
}

TEST(RowStore, IndexOutsideTheRowsIsRefused)
{
    RowStore rows;
    EXPECT_EQ(errorNumberOf([&] { rows.item(0); }), 381);
    EXPECT_EQ(errorNumberOf([&] { rows.setItem(0, "x"); }), 381);
    rows.add("only");
    EXPECT_EQ(errorNumberOf([&] { rows.item(1); }), 381);
    EXPECT_EQ(errorNumberOf([&] { rows.item(-1); }), 381);
    EXPECT_EQ(errorNumberOf([&] { rows.removeItem(1); }), 381);
    EXPECT_EQ(rows.count(), 1);
    EXPECT_EQ(rows.item(0), "only");
}

} // namespace
