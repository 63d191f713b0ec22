#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jet4::detail {

/// Jet's column type codes.
enum class StorageType : std::uint8_t {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
};

/// A column as the table definition and the rows see it.
struct StoredColumn
{
    std::string name;
    StorageType type = StorageType::Long;
    std::uint16_t size = 0; ///< bytes: fixed size, 2 * characters for text, 0 for long values
    std::optional<std::uint16_t> declaredSize; ///< test hook: written instead of size

    // Filled in by layoutColumns().
    std::uint16_t number = 0;        ///< position in the table; also the null-mask bit
    bool fixed = false;              ///< stored in the fixed area (booleans count as fixed)
    std::uint16_t fixedOffset = 0;   ///< offset in the fixed area
    std::uint16_t variableIndex = 0; ///< variable columns: slot in the offset table;
                                     ///< fixed columns: variable columns before it
};

bool isFixedType(StorageType type);

/// Numbers the columns in the given order and assigns fixed offsets and
/// variable slots; returns the size of the fixed area.
std::uint16_t layoutColumns(std::vector<StoredColumn>& columns);

} // namespace jet4::detail
