#include "common/ui/window_registry.h"

#include "common/ui/handler_runner.h"

#include <QEventLoop>
#include <QPointer>

#include <map>
#include <set>

namespace windows {
namespace {

std::map<QString, Factory>& factories()
{
    static std::map<QString, Factory> made;
    return made;
}

std::map<QString, QPointer<QWidget>>& loadedWindows()
{
    static std::map<QString, QPointer<QWidget>> loaded;
    return loaded;
}

// Names whose load is running: a window may be asked for again from inside
// its own load (the data-folder window shows the main window while the main
// window waits for it), and must not be made twice.
std::set<QString>& loading()
{
    static std::set<QString> names;
    return names;
}

} // namespace

void registerWindow(const QString& name, Factory factory)
{
    factories()[name] = std::move(factory);
}

QWidget* find(const QString& name)
{
    const auto it = loadedWindows().find(name);
    return it == loadedWindows().end() ? nullptr : it->second.data();
}

namespace {

// Shows the window, making and loading it when it is not loaded.
QWidget* showNow(const QString& name)
{
    if (QWidget* window = find(name)) {
        window->show();
        window->raise();
        window->activateWindow();
        return window;
    }
    const auto factory = factories().find(name);
    if (factory == factories().end() || loading().count(name) != 0)
        return nullptr;

    loading().insert(name);
    QWidget* window = nullptr;
    try {
        window = factory->second();
    } catch (...) {
        loading().erase(name);
        throw;
    }
    loading().erase(name);
    if (window == nullptr)
        return nullptr;
    window->setAttribute(Qt::WA_DeleteOnClose);
    loadedWindows()[name] = window;
    window->show();
    return window;
}

} // namespace

QWidget* show(const QString& name)
{
    QWidget* shown = nullptr;
    raisingEvents([&] { shown = showNow(name); });
    return shown;
}

void showAndWait(const QString& name)
{
    raisingEvents([&] {
        QPointer<QWidget> window = showNow(name);
        if (!window)
            return;
        QEventLoop loop;
        QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
        loop.exec();
    });
}

void unload(const QString& name)
{
    if (QWidget* window = find(name)) {
        loadedWindows().erase(name);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->close();
    }
}

void unloadAll()
{
    std::vector<QString> names;
    for (const auto& [name, window] : loadedWindows())
        names.push_back(name);
    for (const QString& name : names)
        unload(name);
}

void reset()
{
    unloadAll();
    factories().clear();
}

} // namespace windows
