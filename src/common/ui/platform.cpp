#include "common/ui/platform.h"

#include "common/ui/qt_platform.h"

namespace {

Platform* installedPlatform = nullptr;

Platform& qtPlatform()
{
    static QtPlatform made;
    return made;
}

} // namespace

QString messageBoxTitle(const QString& title)
{
    return title.isEmpty() ? QString::fromLatin1(ApplicationTitle) : title;
}

Platform& platform()
{
    return installedPlatform != nullptr ? *installedPlatform : qtPlatform();
}

void setPlatform(Platform* installed)
{
    installedPlatform = installed;
}
