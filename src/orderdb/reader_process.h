#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <span>

// Runs a helper program to its end and hands its standard output to a sink
// as it comes, under a progress watchdog: a program that sends nothing for
// `stallLimit`, or is still running at `ceiling`, is killed. Its standard
// input and error are /dev/null. No child process outlives run().
class ReaderProcess
{
public:
    enum class Outcome { Exited, Crashed, TimedOut, OutputTooLarge, OutputRefused, NotStarted };

    // Takes the output in: the bytes are read straight into its room.
    class Sink
    {
    public:
        virtual ~Sink() = default;
        // Where the next bytes go; empty refuses the output.
        virtual std::span<char> room() = 0;
        // `size` bytes arrived at room(); false refuses the output.
        virtual bool received(std::size_t size) = 0;
    };

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
    };

    static Result run(const QString& program, const QStringList& arguments, const Limits& limits,
                      Sink& output);
};
