#include "startup/mount_points.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// Kernel and memory file systems: nothing a shop keeps its data on.
bool isPseudoFileSystem(const QByteArray& type)
{
    static const QList<QByteArray> pseudo{
        "autofs",     "binfmt_misc", "bpf",      "cgroup",   "cgroup2",  "configfs",
        "debugfs",    "devpts",      "devtmpfs", "efivarfs", "fusectl",  "hugetlbfs",
        "mqueue",     "nsfs",        "proc",     "pstore",   "ramfs",    "rpc_pipefs",
        "securityfs", "sysfs",       "tmpfs",    "tracefs",  "squashfs", "fuse.gvfsd-fuse",
        "fuse.portal"};
    return pseudo.contains(type);
}

bool isPickablePlace(const QString& mountPoint)
{
    if (mountPoint == QStringLiteral("/"))
        return true;
    static const QStringList places{QStringLiteral("/home"), QStringLiteral("/media"),
                                    QStringLiteral("/run/media"), QStringLiteral("/mnt")};
    return std::any_of(places.begin(), places.end(), [&](const QString& place) {
        return mountPoint == place || mountPoint.startsWith(place + u'/');
    });
}

// \040 (blank), \011 (tab), \012 (line feed), \134 (backslash).
QString decodeMountPath(const QByteArray& field)
{
    const auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
    QByteArray decoded;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size() && isOctal(field.at(i + 1)) &&
            isOctal(field.at(i + 2)) && isOctal(field.at(i + 3))) {
            decoded += static_cast<char>(field.mid(i + 1, 3).toInt(nullptr, 8));
            i += 3;
            continue;
        }
        decoded += field.at(i);
    }
    return QString::fromUtf8(decoded);
}

} // namespace

QStringList pickableMountPoints(const QByteArray& mountTable)
{
    QStringList mountPoints;
    for (const QByteArray& line : mountTable.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3)
            continue;
        const QString mountPoint = decodeMountPath(fields.at(1));
        const bool root = mountPoint == QStringLiteral("/");
        if (!isPickablePlace(mountPoint) || (!root && isPseudoFileSystem(fields.at(2))) ||
            mountPoints.contains(mountPoint))
            continue;
        if (root)
            mountPoints.prepend(mountPoint);
        else
            mountPoints.append(mountPoint);
    }
    if (!mountPoints.contains(QStringLiteral("/")))
        mountPoints.prepend(QStringLiteral("/"));
    return mountPoints;
}

QStringList pickableMountPoints()
{
    QFile table(QStringLiteral("/proc/self/mounts"));
    // The table's size reads as 0: read until it ends.
    if (!table.open(QIODevice::ReadOnly))
        return {QStringLiteral("/")};
    QStringList mountPoints = pickableMountPoints(table.readAll());
    // A single file bound into the tree is no place for a folder.
    mountPoints.removeIf([](const QString& mountPoint) { return !QFileInfo(mountPoint).isDir(); });
    return mountPoints;
}

QString mountPointOf(const QString& path, const QStringList& mountPoints)
{
    QString best;
    for (const QString& mountPoint : mountPoints) {
        const bool holds =
            path == mountPoint ||
            path.startsWith(mountPoint.endsWith(u'/') ? mountPoint : mountPoint + u'/');
        if (holds && mountPoint.size() > best.size())
            best = mountPoint;
    }
    return best;
}
