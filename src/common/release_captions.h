#pragma once

// The texts that name this build to the operator: which release it is and
// which operating system it was built for.

#include <QString>

// "Version " followed by major, minor and revision as plain decimal numbers
// joined by dots, e.g. "Version 1.2.65".
QString versionCaption();

// The operating system the program was built for, followed by " Platform":
// "Windows Platform", "Linux Platform", "macOS Platform"; on any other
// system its kernel name as Qt reports it.
QString platformCaption();
