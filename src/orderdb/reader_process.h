#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>

// Runs a helper program to its end and collects its standard output, with a
// deadline: a program still running at the deadline is killed. Its standard
// input and error are /dev/null. No child process outlives run().
class ReaderProcess
{
public:
    enum class Outcome { Exited, Crashed, TimedOut, OutputTooLarge, NotStarted };

    struct Result
    {
        Outcome outcome = Outcome::NotStarted;
        int exitCode = -1;
        QByteArray output;
    };

    static Result run(const QString& program, const QStringList& arguments,
                      std::chrono::milliseconds timeLimit, qint64 maxOutputBytes);
};
