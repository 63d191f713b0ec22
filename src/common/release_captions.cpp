#include "common/release_captions.h"

#include "common/version.h"

#include <QSysInfo>

QString versionCaption()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(version::Major)
        .arg(version::Minor)
        .arg(version::Revision);
}

QString platformCaption()
{
    // Decided when compiling: the program runs on the system it was built
    // for, and the caption must not depend on what the kernel calls itself.
#if defined(Q_OS_WIN)
    const QString system = QStringLiteral("Windows");
#elif defined(Q_OS_MACOS)
    const QString system = QStringLiteral("macOS");
#elif defined(Q_OS_LINUX)
    const QString system = QStringLiteral("Linux");
#else
    const QString system = QSysInfo::kernelType();
#endif
    return system + QStringLiteral(" Platform");
}
