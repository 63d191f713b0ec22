#pragma once

#include <QString>
#include <QStringList>

// Measures commands for the benchmarks.
//
// Linux keeps a process's peak resident set across exec, and a child started
// from a large process inherits that process's peak. So every command is
// started through a small wrapper, this very program in its "--peak" mode run
// before anything else is loaded, which forks the command, waits for it and
// reports its wall time and peak memory.
struct ProcessMeasure
{
    double seconds = 0;
    long peakKiB = 0;
};

// The "--peak <program> <arguments...>" mode; call first thing in main().
int runPeakWrapper(int argc, char** argv);

ProcessMeasure measureCommand(const QString& self, const QString& program,
                              const QStringList& arguments);

// Runs a command and returns its standard output.
QString commandOutput(const QString& program, const QStringList& arguments);

// The peak resident set of this process (VmHWM), in KiB.
long ownPeakKiB();
