#pragma once

#include "uMountTable.h"

#include <QStringList>

// The mount points a user would see as drives, in mount-table order and each once: "/",
// everything under /media/, /run/media/ and /mnt/, and elsewhere the filesystems that live
// on a block device or a network share. Kernel, runtime and snap mounts never show.
QStringList UserVisibleDrives(const QList<TMountEntry>& mounts);

// The drives of this machine (or of the mount table a test has put in place).
QStringList LogicalDrives();
