#include "jet4/value_encoder.h"

#include "jet4/byte_order.h"
#include "jet4/text_encoding.h"

#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace jet4::detail {

namespace {

constexpr std::uint32_t kInlineFlag = 0x80000000;
constexpr std::uint32_t kMaxLongValueBytes = 0x00FFFFFF;
constexpr std::int64_t kMaxExactDoubleInteger = std::int64_t{1} << 53;

const char* typeName(ColumnType type)
{
    switch (type) {
    case ColumnType::Text:
        return "Text";
    case ColumnType::Memo:
        return "Memo";
    case ColumnType::Byte:
        return "Byte";
    case ColumnType::Integer:
        return "Integer";
    case ColumnType::Long:
        return "Long";
    case ColumnType::Double:
        return "Double";
    case ColumnType::Boolean:
        return "Boolean";
    case ColumnType::Currency:
        return "Currency";
    }
    return "unknown";
}

[[noreturn]] void throwWrongKind(ColumnType type, const Value& value)
{
    throw std::invalid_argument(std::string("a ") + typeName(type) + " column cannot hold " +
                                value.describe());
}

std::int64_t checkedInteger(ColumnType type, const Value& value, std::int64_t low,
                            std::int64_t high)
{
    if (value.kind() != Value::Kind::Integer) {
        throwWrongKind(type, value);
    }
    const std::int64_t number = value.integer();
    if (number < low || number > high) {
        throw std::invalid_argument(std::to_string(number) + " is out of range for " +
                                    typeName(type) + " (" + std::to_string(low) + ".." +
                                    std::to_string(high) + ")");
    }
    return number;
}

double doubleFrom(const Value& value)
{
    if (value.kind() == Value::Kind::Real) {
        return value.real();
    }
    if (value.kind() == Value::Kind::Integer) {
        const std::int64_t number = value.integer();
        if (number < -kMaxExactDoubleInteger || number > kMaxExactDoubleInteger) {
            throw std::invalid_argument(std::to_string(number) +
                                        " cannot be stored exactly in a Double column");
        }
        return static_cast<double>(number);
    }
    throwWrongKind(ColumnType::Double, value);
}

std::int64_t currencyFrom(const Value& value)
{
    constexpr std::int64_t scale = 10000;
    switch (value.kind()) {
    case Value::Kind::Currency:
        return value.currencyTenThousandths();
    case Value::Kind::Integer: {
        const std::int64_t units = value.integer();
        if (units > std::numeric_limits<std::int64_t>::max() / scale ||
            units < std::numeric_limits<std::int64_t>::min() / scale) {
            throw std::invalid_argument(std::to_string(units) + " is out of range for Currency");
        }
        return units * scale;
    }
    case Value::Kind::Real: {
        const double scaled = std::round(value.real() * scale);
        // 2^63 is exactly representable; anything at or beyond it overflows.
        constexpr double limit = 9223372036854775808.0;
        if (!std::isfinite(scaled) || scaled >= limit || scaled < -limit) {
            throw std::invalid_argument(value.describe() + " is out of range for Currency");
        }
        return static_cast<std::int64_t>(scaled);
    }
    default:
        throwWrongKind(ColumnType::Currency, value);
    }
}

} // namespace

StoredColumn storedColumnFor(const Column& column)
{
    StoredColumn stored;
    stored.name = column.name;
    switch (column.type) {
    case ColumnType::Text:
        if (column.length < 1 || column.length > 255) {
            throw std::invalid_argument("Text column '" + column.name + "' has length " +
                                        std::to_string(column.length) +
                                        "; it must be 1..255 characters");
        }
        stored.type = StorageType::Text;
        stored.size = static_cast<std::uint16_t>(2 * column.length);
        break;
    case ColumnType::Memo:
        stored.type = StorageType::Memo;
        break;
    case ColumnType::Byte:
        stored.type = StorageType::Byte;
        stored.size = 1;
        break;
    case ColumnType::Integer:
        stored.type = StorageType::Integer;
        stored.size = 2;
        break;
    case ColumnType::Long:
        stored.type = StorageType::Long;
        stored.size = 4;
        break;
    case ColumnType::Double:
        stored.type = StorageType::Double;
        stored.size = 8;
        break;
    case ColumnType::Boolean:
        stored.type = StorageType::Boolean;
        break;
    case ColumnType::Currency:
        stored.type = StorageType::Currency;
        stored.size = 8;
        break;
    }
    return stored;
}

ValueEncoder::ValueEncoder(LongValuePages& longValues, bool shareLongValues)
    : longValues_(longValues)
    , shareLongValues_(shareLongValues)
{
}

void ValueEncoder::encode(const Column& column, std::size_t index, const Value& value,
                          RowBuilder& row)
{
    if (value.isNull()) {
        // A Jet boolean has no Null: its null bit is the value.
        row.setNull(index);
        return;
    }
    switch (column.type) {
    case ColumnType::Text: {
        if (value.kind() != Value::Kind::Text) {
            throwWrongKind(column.type, value);
        }
        const std::size_t characters = appendJetText(value.text(), row.variableSlot(index));
        if (characters > static_cast<std::size_t>(column.length)) {
            throw std::invalid_argument("text of " + std::to_string(characters) +
                                        " characters is longer than Text(" +
                                        std::to_string(column.length) + ")");
        }
        break;
    }
    case ColumnType::Memo:
        if (value.kind() != Value::Kind::Text) {
            throwWrongKind(column.type, value);
        }
        encodeMemo(index, value.text(), row);
        break;
    case ColumnType::Byte:
        *row.fixedSlot(index) =
            static_cast<std::uint8_t>(checkedInteger(column.type, value, 0, 255));
        break;
    case ColumnType::Integer:
        putU16(row.fixedSlot(index),
               static_cast<std::uint32_t>(checkedInteger(column.type, value, -32768, 32767)));
        break;
    case ColumnType::Long:
        putU32(row.fixedSlot(index),
               static_cast<std::uint32_t>(
                   checkedInteger(column.type, value, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::int32_t>::max())));
        break;
    case ColumnType::Double:
        putU64(row.fixedSlot(index), std::bit_cast<std::uint64_t>(doubleFrom(value)));
        break;
    case ColumnType::Currency:
        putU64(row.fixedSlot(index), static_cast<std::uint64_t>(currencyFrom(value)));
        break;
    case ColumnType::Boolean:
        if (value.kind() != Value::Kind::Boolean) {
            throwWrongKind(column.type, value);
        }
        row.setBoolean(index, value.boolean());
        break;
    }
}

void ValueEncoder::encodeMemo(std::size_t index, const std::string& text, RowBuilder& row)
{
    scratch_.clear();
    appendJetText(text, scratch_);
    if (scratch_.size() > kMaxLongValueBytes) {
        throw std::invalid_argument("memo of " + std::to_string(scratch_.size()) +
                                    " bytes is longer than a long value can be");
    }
    const auto length = static_cast<std::uint32_t>(scratch_.size());
    const std::size_t headerOffset = row.nextVariableRowOffset();
    std::vector<std::uint8_t>& slot = row.variableSlot(index);
    std::uint8_t header[12] = {};
    if (scratch_.size() <= kInlineMemoLimit) {
        putU32(header, kInlineFlag | length);
        slot.insert(slot.end(), header, header + sizeof header);
        slot.insert(slot.end(), scratch_.begin(), scratch_.end());
        return;
    }
    // No flag: a chain of LVAL rows; the header holds the total length.
    putU32(header, length);
    std::uint32_t chain = 0;
    if (!shareLongValues_) {
        chain = longValues_.store(scratch_);
    } else {
        const std::string_view key(reinterpret_cast<const char*>(scratch_.data()), scratch_.size());
        if (const auto stored = storedLongValues_.find(key); stored != storedLongValues_.end()) {
            chain = stored->second;
        } else {
            chain = longValues_.store(scratch_);
            storedLongValues_.emplace(key, chain);
        }
    }
    pending_.push_back(PendingPointer{headerOffset + 4, chain});
    slot.insert(slot.end(), header, header + sizeof header);
}

} // namespace jet4::detail
