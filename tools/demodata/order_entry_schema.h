#pragma once

// The four order-entry tables the program reads, empty: their names and the
// columns it uses, typed as the order-entry product keeps them. Demo data,
// benchmarks and tests fill their rows.

#include "jet4/jet4_writer.h"

jet4::Table ordersSchema();
jet4::Table clientSchema();
jet4::Table addressesSchema();
// "Invoiced" holds "1" or "0" as text; some installations keep a number.
jet4::Table jobLogSchema(jet4::ColumnType invoicedType = jet4::ColumnType::Text);
