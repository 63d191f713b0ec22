#pragma once

// A window closing itself ("Unload Me") from one of its own handlers.

class QWidget;

// Unloads `window` through the window registry when it is the window loaded
// under its object name, so the registry forgets it at once; a window made
// outside the registry is closed and deleted. Deletion waits for the event
// loop either way, so the caller may still be inside one of the window's
// handlers.
void unloadWindow(QWidget& window);
