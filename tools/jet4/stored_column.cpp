#include "jet4/stored_column.h"

namespace jet4::detail {

bool isFixedType(StorageType type)
{
    switch (type) {
    case StorageType::Binary:
    case StorageType::Text:
    case StorageType::Ole:
    case StorageType::Memo:
        return false;
    default:
        return true;
    }
}

std::uint16_t layoutColumns(std::vector<StoredColumn>& columns)
{
    std::uint16_t fixedSize = 0;
    std::uint16_t variableCount = 0;
    std::uint16_t number = 0;
    for (StoredColumn& column : columns) {
        column.number = number++;
        column.fixed = isFixedType(column.type);
        if (column.fixed) {
            column.variableIndex = variableCount;
            // Booleans live in the null mask and take no fixed space.
            column.fixedOffset = column.type == StorageType::Boolean ? 0 : fixedSize;
            fixedSize = static_cast<std::uint16_t>(fixedSize + column.size);
        } else {
            column.variableIndex = variableCount++;
            column.fixedOffset = 0;
        }
    }
    return fixedSize;
}

} // namespace jet4::detail
