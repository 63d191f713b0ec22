#pragma once

// The program's command line. It is read before any window system is
// reached, so --help, --version and a mistake work without a display.

#include <QString>
#include <QStringList>

struct CommandLine
{
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };

    Action action = Action::Run;
    // --settings-folder DIR; empty when not given.
    QString settingsFolder;
    // What to print: the usage, the version line, or for a refused command
    // line a one-line reason followed by the usage.
    QString text;
};

// The exit status of a refused command line.
inline constexpr int CommandLineRefused = 2;

// Reads `arguments` (the program's name first).
CommandLine readCommandLine(const QStringList& arguments);

// The version line, "vantrell-ticket" and the release.
QString versionLine();
