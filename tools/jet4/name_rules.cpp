#include "jet4/name_rules.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <stdexcept>
#include <string>

namespace jet4::detail {

namespace {

constexpr std::size_t kMaxNameLength = 64;
constexpr std::size_t kMaxColumns = 255;

std::string folded(const std::string& name)
{
    std::string result = name;
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

void checkName(const std::string& what, const std::string& name)
{
    if (name.empty() || name.size() > kMaxNameLength) {
        throw std::invalid_argument(what + " name '" + name + "' must have 1.." +
                                    std::to_string(kMaxNameLength) + " characters");
    }
    const bool printableAscii = std::all_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
    });
    if (!printableAscii) {
        throw std::invalid_argument(what + " name '" + name +
                                    "' must consist of printable ASCII characters");
    }
}

} // namespace

void checkNames(const std::vector<Table>& tables)
{
    std::set<std::string> tableNames = {"msysobjects", "tables"};
    for (const Table& table : tables) {
        checkName("table", table.name);
        if (!tableNames.insert(folded(table.name)).second) {
            throw std::invalid_argument("table name '" + table.name +
                                        "' is used twice or reserved");
        }
        if (table.columns.empty() || table.columns.size() > kMaxColumns) {
            throw std::invalid_argument("table '" + table.name + "' has " +
                                        std::to_string(table.columns.size()) +
                                        " columns; it needs 1.." + std::to_string(kMaxColumns));
        }
        std::set<std::string> columnNames;
        for (const Column& column : table.columns) {
            checkName("column", column.name);
            if (!columnNames.insert(folded(column.name)).second) {
                throw std::invalid_argument("table '" + table.name + "' has column name '" +
                                            column.name + "' twice");
            }
        }
    }
}

} // namespace jet4::detail
