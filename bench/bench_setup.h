#pragma once

#include <QString>

// The data folder a benchmark runs on: the first argument, or the benchmark
// database's folder. Empty (after a message) when it holds no database.
QString benchDataFolder(int argc, char** argv);

// Makes `settingsFolder` the settings folder, its data-folder file naming
// `dataFolder`.
void useSettingsFolder(const QString& settingsFolder, const QString& dataFolder);

// Benchmarks of windows run headless unless a platform is chosen.
void runHeadless();
