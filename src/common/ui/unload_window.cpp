#include "common/ui/unload_window.h"

#include "common/ui/window_registry.h"

#include <QWidget>

void unloadWindow(QWidget& window)
{
    const QString name = window.objectName();
    if (windows::find(name) == &window) {
        windows::unload(name);
        return;
    }
    window.setAttribute(Qt::WA_DeleteOnClose);
    window.close();
}
