#pragma once

// What the program settles before its first window: the answer to a command
// line that asks for no window, the names its configuration folder is made
// of, its settings folder, and the word to the operator when the database
// reader is missing.

#include "app/command_line.h"

// Prints the help, the version or, for a refused command line, the reason
// and the usage (on standard error); returns the exit status.
int answerCommandLine(const CommandLine& line);

// Names the program (organisation, application, version), so that the
// user's configuration folder is the program's own.
void nameProgram();

// The settings folder, as an absolute path: `explicitFolder` when given,
// else the one the copy's layout calls for (see install_layout); created
// when missing.
QString makeSettingsFolder(const QString& explicitFolder);

// Tells the operator when neither place holds the database reader; the
// program then goes on as for an unreadable database.
void warnOfMissingReader();
