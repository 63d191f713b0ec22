#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace jet4 {

/// Tag type of jet4::Null, the value that leaves a column's null bit clear.
struct NullValue
{
    explicit constexpr NullValue() = default;
};
inline constexpr NullValue Null{};

/// One cell of a row: Null, UTF-8 text, an integer, a double, a boolean or an
/// exact currency amount. Implicit constructors let rows be written as
/// `{17, "ACME", jet4::Null, 2.5, true}`; which values a column accepts is
/// decided when the database is built.
class Value
{
public:
    enum class Kind { Null, Text, Integer, Real, Boolean, Currency };

    Value() = default;
    Value(NullValue) {}
    Value(const char* text);
    Value(std::string text);
    Value(std::string_view text);
    Value(int number);
    Value(long number);
    Value(long long number);
    Value(unsigned int number);
    /// Throws std::invalid_argument above the largest 64-bit signed integer.
    Value(unsigned long number);
    /// Throws std::invalid_argument above the largest 64-bit signed integer.
    Value(unsigned long long number);
    Value(double number);
    Value(bool flag);

    /// A Currency amount given in ten-thousandths (35000 is 3.5), stored exactly.
    static Value currency(std::int64_t tenThousandths);

    Kind kind() const;
    bool isNull() const { return kind() == Kind::Null; }

    // Each accessor throws std::logic_error when the value is of another kind.
    const std::string& text() const;
    std::int64_t integer() const;
    double real() const;
    bool boolean() const;
    std::int64_t currencyTenThousandths() const;

    /// A short human-readable form for error messages, such as `integer 17`.
    std::string describe() const;

private:
    struct CurrencyAmount
    {
        std::int64_t tenThousandths;
    };
    using Storage =
        std::variant<std::monostate, std::string, std::int64_t, double, bool, CurrencyAmount>;

    explicit Value(CurrencyAmount amount);

    Storage storage_;
};

} // namespace jet4
