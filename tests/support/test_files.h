#pragma once

#include "common/result.h"

#include <sys/resource.h>

#include <type_traits>

// The run-time error number a result failed with; 0 when it did not fail.
template<typename T>
int failureNumberOf(const Result<T>& outcome)
{
    return outcome ? 0 : outcome.failure().number();
}

// The run-time error number a call fails with, thrown or as its result; 0
// when it does not fail.
template<typename Call>
int errorNumberOf(Call&& call)
{
    return failureNumberOf(attempt([&] {
        if constexpr (std::is_void_v<std::invoke_result_t<Call>>) {
            call();
        } else {
            const auto outcome = call();
            if constexpr (requires { outcome.failure(); }) {
                if (!outcome)
                    throw RuntimeError(outcome.failure().code, outcome.failure().detail);
            }
        }
    }));
}

// A file's bytes, or "<missing>" when it cannot be read.
QByteArray fileContents(const QString& path);

// Writes the bytes as the whole file; fails the test when it cannot.
void writeFileContents(const QString& path, const QByteArray& bytes);

// Lowers the largest file size this process may write, for its lifetime.
// Unlike permission bits, the limit binds root too, so it makes a write fail
// halfway through also where the tests run as root. Writes past it fail
// with EFBIG instead of the default SIGXFSZ kill while the signal is
// ignored.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};
