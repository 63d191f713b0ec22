#pragma once

// Realistic order-entry tables for demos and benchmarks: clients, ship-to
// addresses, a job log and the order lines of every job, made from a fixed
// seed so that every run writes the same database.

#include "jet4/jet4_writer.h"

#include <vector>

struct OrderEntrySize
{
    int clients = 300;
    int jobs = 3000;
    int addresses = 600;
};

// The demo size, and the size benchmarks run on: 30,000 clients,
// 100,000 jobs and 300,000 order lines.
inline constexpr OrderEntrySize DemoSize{300, 3000, 600};
inline constexpr OrderEntrySize LargeSize{30000, 100000, 45000};

// "Orders", "Client", "Addresses" and "JobLog", in that order. Every job has
// one to five parts (three on average); about one job in ten also has a quote
// line with the same number, some Nulls appear where the order-entry product
// leaves fields empty, and one job in a hundred gets a part that was added
// later and so lies at the end of "Orders".
std::vector<jet4::Table> makeOrderEntryTables(const OrderEntrySize& size);
