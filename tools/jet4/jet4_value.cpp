#include "jet4/jet4_value.h"

#include <limits>
#include <stdexcept>

namespace jet4 {

namespace {

std::int64_t checkedSigned(unsigned long long number)
{
    if (number > static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max())) {
        throw std::invalid_argument("integer " + std::to_string(number) +
                                    " does not fit a 64-bit signed value");
    }
    return static_cast<std::int64_t>(number);
}

} // namespace

Value::Value(const char* text)
    : storage_(std::string(text))
{
}
Value::Value(std::string text)
    : storage_(std::move(text))
{
}
Value::Value(std::string_view text)
    : storage_(std::string(text))
{
}
Value::Value(int number)
    : storage_(std::int64_t{number})
{
}
Value::Value(long number)
    : storage_(std::int64_t{number})
{
}
Value::Value(long long number)
    : storage_(std::int64_t{number})
{
}
Value::Value(unsigned int number)
    : storage_(std::int64_t{number})
{
}
Value::Value(unsigned long number)
    : storage_(checkedSigned(number))
{
}
Value::Value(unsigned long long number)
    : storage_(checkedSigned(number))
{
}
Value::Value(double number)
    : storage_(number)
{
}
Value::Value(bool flag)
    : storage_(flag)
{
}
Value::Value(CurrencyAmount amount)
    : storage_(amount)
{
}

Value Value::currency(std::int64_t tenThousandths)
{
    return Value(CurrencyAmount{tenThousandths});
}

Value::Kind Value::kind() const
{
    // The order of the alternatives in Storage follows Kind.
    return static_cast<Kind>(storage_.index());
}

const std::string& Value::text() const
{
    if (const auto* text = std::get_if<std::string>(&storage_)) {
        return *text;
    }
    throw std::logic_error("value is not text: " + describe());
}

std::int64_t Value::integer() const
{
    if (const auto* number = std::get_if<std::int64_t>(&storage_)) {
        return *number;
    }
    throw std::logic_error("value is not an integer: " + describe());
}

double Value::real() const
{
    if (const auto* number = std::get_if<double>(&storage_)) {
        return *number;
    }
    throw std::logic_error("value is not a double: " + describe());
}

bool Value::boolean() const
{
    if (const auto* flag = std::get_if<bool>(&storage_)) {
        return *flag;
    }
    throw std::logic_error("value is not a boolean: " + describe());
}

std::int64_t Value::currencyTenThousandths() const
{
    if (const auto* amount = std::get_if<CurrencyAmount>(&storage_)) {
        return amount->tenThousandths;
    }
    throw std::logic_error("value is not a currency amount: " + describe());
}

std::string Value::describe() const
{
    switch (kind()) {
    case Kind::Null:
        return "Null";
    case Kind::Text: {
        const std::string& text = std::get<std::string>(storage_);
        constexpr std::size_t shown = 40;
        return "text \"" + text.substr(0, shown) + (text.size() > shown ? "...\"" : "\"");
    }
    case Kind::Integer:
        return "integer " + std::to_string(std::get<std::int64_t>(storage_));
    case Kind::Real:
        return "double " + std::to_string(std::get<double>(storage_));
    case Kind::Boolean:
        return std::get<bool>(storage_) ? "boolean true" : "boolean false";
    case Kind::Currency:
        return "currency " + std::to_string(std::get<CurrencyAmount>(storage_).tenThousandths) +
               "/10000";
    }
    return "value";
}

} // namespace jet4
