#pragma once

#include <QString>
#include <QStringList>

// Runs a command to its end with its output thrown away, and measures it.
struct ProcessMeasure
{
    double seconds = 0;
    long peakKiB = 0; // largest resident set of the command or anything it waited for
    QString output;   // its standard output, when asked to keep it
};

ProcessMeasure measureCommand(const QString& program, const QStringList& arguments,
                              bool keepOutput = false);
