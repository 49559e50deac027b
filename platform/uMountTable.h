#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One line of /proc/self/mountinfo, with the kernel's octal escapes undone.
struct TMountEntry {
    QString MountPoint;
    QString FsType;
    QString Source;
};

QList<TMountEntry> ParseMountInfo(const QByteArray& mountInfo);

// The longest mount point that holds the path at a "/" boundary; empty when none does.
QString MountPointOf(const QList<TMountEntry>& mounts, const QString& absolutePath);
