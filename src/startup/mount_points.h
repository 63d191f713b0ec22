#pragma once

// What stands for drives on a system without drive letters: the mounted
// file systems a person would pick a data folder on. That is the root and
// whatever is mounted at or under /home, /media, /run/media and /mnt; pseudo
// file systems (proc, sysfs, tmpfs...) and the files and folders a container
// has bound into its own tree are left out.

#include <QByteArray>
#include <QString>
#include <QStringList>

// The pickable mount points of a mount table in the form of
// /proc/self/mounts (device, mount point, type, options, ...; blanks in
// paths written as \040), in table order, each once, the root first.
QStringList pickableMountPoints(const QByteArray& mountTable);

// The pickable mount points of this process (/proc/self/mounts); the root
// alone when the table cannot be read.
QStringList pickableMountPoints();

// The mount point among `mountPoints` that holds `path` (the longest one
// that is the path or a folder above it); empty when none does, as for a
// path with a drive letter.
QString mountPointOf(const QString& path, const QStringList& mountPoints);
