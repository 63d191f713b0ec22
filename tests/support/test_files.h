#pragma once

#include "common/runtime_error.h"

#include <sys/resource.h>

// The run-time error number a call fails with; 0 when it does not fail.
template<typename Call>
int errorNumberOf(Call&& call)
{
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
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
