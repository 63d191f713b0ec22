#pragma once

#include <QString>
#include <QWidget>

#include <functional>

// The program's windows by name, each loaded at most once.
//
// Windows name each other ("frmPath", "frmDelivery") rather than include each
// other, so the subsystems do not depend on one another; the program's main
// registers how each window is made. A window's constructor is its load.
// Shown windows are modeless and are deleted when they close (unloaded).
namespace windows {

using Factory = std::function<QWidget*()>;

void registerWindow(const QString& name, Factory factory);

// Loads the window when it is not loaded and shows it; a loaded window is
// only brought to the front. A window whose load is still running is left
// to show itself. Returns the window, or nullptr when none is registered
// under that name or it is still loading.
QWidget* show(const QString& name);

// The loaded window, or nullptr.
QWidget* find(const QString& name);

// Closes and deletes the window when it is loaded.
void unload(const QString& name);
void unloadAll();

// Shows the window and runs a local event loop until it has closed.
void showAndWait(const QString& name);

// Forgets every factory and unloads every window (tests).
void reset();

} // namespace windows
