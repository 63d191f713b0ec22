#pragma once

#include "common/session.h"

#include <QString>

// The data folder a benchmark runs on: the first argument, or the benchmark
// database's folder. Empty (after a message) when it holds no database.
QString benchDataFolder(int argc, char** argv);

// The run's values, as the program's main owns them: `settingsFolder` as the
// settings folder, its data-folder file written to name `dataFolder`.
Session sessionIn(const QString& settingsFolder, const QString& dataFolder);

// Benchmarks of windows run headless unless a platform is chosen.
void runHeadless();
