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

// The name each window is registered, found and shown by (its object name).
namespace names {
inline const QString frmAbout = QStringLiteral("frmAbout");
inline const QString frmComment = QStringLiteral("frmComment");
inline const QString frmDate = QStringLiteral("frmDate");
inline const QString frmDelivery = QStringLiteral("frmDelivery");
inline const QString frmDelvHead = QStringLiteral("frmDelvHead");
inline const QString frmMargins = QStringLiteral("frmMargins");
inline const QString frmOwner = QStringLiteral("frmOwner");
inline const QString frmPath = QStringLiteral("frmPath");
inline const QString frmReport = QStringLiteral("frmReport");
inline const QString frmSplash = QStringLiteral("frmSplash");
} // namespace names

using Factory = std::function<QWidget*()>;

void registerWindow(const QString& name, Factory factory);

// Loads the window when it is not loaded and shows it; a loaded window is
// only brought to the front. A window whose load is still running is left
// to show itself. Returns the window, or nullptr when none is registered
// under that name or it is still loading.
QWidget* show(const QString& name);

// The loaded window, or nullptr.
QWidget* find(const QString& name);

// The loaded window as the class it was registered with, or nullptr when it
// is not loaded or is of another class (a test's stand-in).
template<typename Window>
Window* find(const QString& name)
{
    return qobject_cast<Window*>(find(name));
}

// show() as the class the window was registered with.
template<typename Window>
Window* show(const QString& name)
{
    return qobject_cast<Window*>(show(name));
}

// Closes and deletes the window when it is loaded.
void unload(const QString& name);
void unloadAll();

// Shows the window and runs a local event loop until it has closed.
void showAndWait(const QString& name);

// Forgets every factory and unloads every window (tests).
void reset();

} // namespace windows
