#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>

// Runs a helper program to its end and collects its standard output under a
// progress watchdog: a program that sends nothing for `stallLimit`, or is
// still running at `ceiling`, is killed. Its standard input and error are
// /dev/null. No child process outlives run().
class ReaderProcess
{
public:
    enum class Outcome { Exited, Crashed, TimedOut, OutputTooLarge, NotStarted };

    struct Limits
    {
        std::chrono::milliseconds stallLimit{5000};
        std::chrono::milliseconds ceiling{600000};
        qint64 maxOutputBytes = 0;
    };

    struct Result
    {
        Outcome outcome = Outcome::NotStarted;
        int exitCode = -1;
        QByteArray output;
    };

    static Result run(const QString& program, const QStringList& arguments, const Limits& limits);
};
