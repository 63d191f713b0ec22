#pragma once

// Writes the rows of a table's data pages to the table stream: each chosen
// column's value read from the row bytes, where that is exact and independent
// of the C locale.

#include "orderdb/reader/chunked_rows.h"
#include "orderdb/reader/jet_rows.h"
#include "orderdb/reader/page_file.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class StreamWriter;

// What the rows of one table are written from.
struct TablePlan
{
    // The type of a column whose definition is damaged: its values are sent
    // as Null and counted as damaged.
    static constexpr int UnreadableColumn = -1;

    std::uint32_t definitionPage = 0;            // the owner each of its data pages names
    bool variableColumns = false;                // whether its rows carry a variable-offset table
    std::vector<jet_rows::ColumnLayout> layouts; // the chosen columns
    std::vector<int> types; // their type codes; UnreadableColumn for a damaged column
    // Long values are refused above this, a chunk of rows above the limit.
    std::size_t maxValueBytes = 0;
    std::uint64_t streamLimit = UINT64_MAX;
    // Writes a non-Null value of a type the rows are not read for here
    // (numeric, replication id): the page, the value's place and size in it,
    // the column.
    std::function<void(const std::uint8_t* page, int start, int size, std::size_t column,
                       StreamWriter& out)>
        libraryValue;

    // Whether a column needs libraryValue, which may run on one thread only.
    bool needsLibrary() const;
};

// Writes the rows of data pages; one for each thread, with page buffers of
// its own.
class RowWriter
{
public:
    RowWriter(int fd, const TablePlan& plan);

    // The rows of these pages, in page and slot order. A row found damaged
    // is left out; a value found damaged goes as Null. Both are counted.
    ChunkResult write(std::span<const std::uint32_t> pages, StreamWriter& out);

private:
    enum class Result { Written, Damaged, DamagedValue, TooLong };
    Result writeRow(const std::uint8_t* page, std::span<const std::uint8_t> row, StreamWriter& out);
    Result writeValue(std::size_t column, const std::uint8_t* page,
                      std::span<const std::uint8_t> row, const jet_rows::Cell& cell,
                      StreamWriter& out);

    const TablePlan& m_plan;
    PageRuns m_pages;
    PageFile m_longValuePages;
    std::vector<std::uint8_t> m_longValue;
    std::uint32_t m_damagedValues = 0; // in the row being written
};
