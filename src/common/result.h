#pragma once

// The outcome of reading or writing a file: what was read (or nothing, for a
// write), or the failure that stopped it. Readers and writers of the
// program's files return one; the caller decides what each failure leads to,
// so no failure passes unseen.

#include "common/runtime_error.h"

#include <QString>

#include <type_traits>
#include <utility>
#include <variant>

template<typename T>
class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_outcome(std::move(value))
    {
    }
    Result(Failure failure)
        : m_outcome(std::move(failure))
    {
    }

    explicit operator bool() const { return m_outcome.index() == 0; }
    const T& value() const { return std::get<0>(m_outcome); }
    const T& operator*() const { return value(); }
    const T* operator->() const { return &value(); }
    const Failure& failure() const { return std::get<1>(m_outcome); }

    // The value, or `fallback` when it failed.
    T valueOr(T fallback) const { return *this ? value() : std::move(fallback); }

private:
    std::variant<T, Failure> m_outcome;
};

template<>
class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure)
        : m_failure(std::move(failure))
        , m_failed(true)
    {
    }

    explicit operator bool() const { return !m_failed; }
    const Failure& failure() const { return m_failure; }

private:
    Failure m_failure{};
    bool m_failed = false;
};

// Runs `work` (reading or writing, whose steps throw RuntimeError) and gives
// its outcome as a result: the one place such a failure turns into a value.
template<typename Work>
auto attempt(Work&& work) -> Result<std::invoke_result_t<Work>>
{
    using Value = std::invoke_result_t<Work>;
    try {
        if constexpr (std::is_void_v<Value>) {
            std::forward<Work>(work)();
            return {};
        } else {
            return std::forward<Work>(work)();
        }
    } catch (const RuntimeError& error) {
        return error.failure();
    }
}
