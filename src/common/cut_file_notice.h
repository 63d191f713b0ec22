#pragma once

// A settings or comment file far larger than any real one (a runaway
// script, a copy gone wrong) is read only up to a bound, so that it cannot
// take the program's memory or fill a list with millions of entries. The
// operator is told which file was cut, once per program run and file:
// whoever installed a reporter (the program installs a message box) is
// called on the thread that read the file.

#include <QString>

#include <functional>

struct CutFile
{
    QString path;
    // How much of it was read, e.g. "1 MiB" or "10,000 lines".
    QString readPart;

    // The operator's message about it.
    QString message() const;
};

using CutFileReporter = std::function<void(const CutFile&)>;

void setCutFileReporter(CutFileReporter reporter);

// Tells the reporter about the file unless it was told about it before in
// this run. Without a reporter nothing is told or remembered.
void reportCutFile(const CutFile& file);

// Forgets which files were reported (for tests, which cut many files).
void forgetReportedCutFiles();
