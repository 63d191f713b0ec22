#include "read_back_expectations.h"

#include <charconv>
#include <cmath>
#include <optional>

using jet4::Column;
using jet4::ColumnType;
using jet4::Table;
using jet4::Value;

namespace {

std::string doubleText(double value, std::optional<int> precision = std::nullopt)
{
    char text[64];
    const auto result = precision ? std::to_chars(text, text + sizeof text, value,
                                                  std::chars_format::general, *precision)
                                  : std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string currencyText(std::int64_t tenThousandths)
{
    const bool negative = tenThousandths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                             : static_cast<std::uint64_t>(tenThousandths);
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    return (negative ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction;
}

double asDouble(const Value& value)
{
    return value.kind() == Value::Kind::Real ? value.real() : static_cast<double>(value.integer());
}

/// What a reader should print for a value; `exportForm` selects mdb-export's
/// %.16g doubles instead of the raw double the libmdb helper returns.
ReadCell expectedCell(const Column& column, const Value& value, bool exportForm)
{
    if (value.isNull()) {
        return column.type == ColumnType::Boolean ? ReadCell("0") : std::nullopt;
    }
    switch (column.type) {
    case ColumnType::Text:
    case ColumnType::Memo:
        return value.text();
    case ColumnType::Boolean:
        return value.boolean() ? "1" : "0";
    case ColumnType::Double:
        return doubleText(asDouble(value), exportForm ? std::optional<int>(16) : std::nullopt);
    case ColumnType::Currency:
        if (value.kind() == Value::Kind::Currency) {
            return currencyText(value.currencyTenThousandths());
        }
        return currencyText(std::llround(asDouble(value) * 10000));
    default:
        return std::to_string(value.integer());
    }
}

std::string show(const std::string& cell)
{
    return "[" + cell + "]";
}

std::string show(const ReadCell& cell)
{
    return cell ? show(*cell) : "<Null>";
}

template<typename Row, typename Expect>
std::string firstDifference(const std::vector<Row>& actual, const Table& table, Expect expect)
{
    if (actual.size() != table.rows.size()) {
        return "row count " + std::to_string(actual.size()) + ", expected " +
               std::to_string(table.rows.size());
    }
    for (std::size_t r = 0; r < actual.size(); ++r) {
        if (actual[r].size() != table.columns.size()) {
            return "row " + std::to_string(r) + " has " + std::to_string(actual[r].size()) +
                   " cells";
        }
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const auto wanted = expect(table.columns[c], table.rows[r][c]);
            if (actual[r][c] != wanted) {
                return "row " + std::to_string(r) + " column " + table.columns[c].name + ": got " +
                       show(actual[r][c]) + ", expected " + show(wanted);
            }
        }
    }
    return "";
}

} // namespace

std::string differenceFromLibmdb(const std::vector<ReadRow>& rows, const Table& table)
{
    return firstDifference(rows, table, [](const Column& column, const Value& value) {
        return expectedCell(column, value, false);
    });
}

std::string differenceFromMdbExport(const std::vector<std::vector<std::string>>& rows,
                                    const Table& table)
{
    return firstDifference(rows, table, [](const Column& column, const Value& value) {
        return expectedCell(column, value, true).value_or("");
    });
}
