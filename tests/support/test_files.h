#pragma once

#include "common/runtime_error.h"

#include <QByteArray>
#include <QString>

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
