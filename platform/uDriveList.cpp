#include "uDriveList.h"

#include "uPlatform.h"

namespace {

bool IsAtOrUnder(const QString& path, const QString& folder)
{
    return path == folder || path.startsWith(folder + '/');
}

// Where desktops mount removable media and where people mount disks by hand.
bool IsInMediaFolder(const QString& mountPoint)
{
    return mountPoint.startsWith("/media/") || mountPoint.startsWith("/run/media/") ||
           mountPoint.startsWith("/mnt/");
}

// Kernel interfaces, runtime folders and snap packages are no drives, whatever backs them.
bool IsSystemFolder(const QString& mountPoint)
{
    for (const char* folder : {"/proc", "/sys", "/dev", "/run", "/snap", "/var/lib/snapd"}) {
        if (IsAtOrUnder(mountPoint, folder))
            return true;
    }
    return false;
}

bool IsNetworkShare(const QString& fsType)
{
    static const QStringList networkTypes = {"nfs",   "nfs4",  "cifs",      "smb3",
                                             "smbfs", "sshfs", "fuse.sshfs"};
    return networkTypes.contains(fsType);
}

bool IsUserVisible(const TMountEntry& entry)
{
    const QString& point = entry.MountPoint;
    if (point == "/" || IsInMediaFolder(point))
        return true;
    if (point.isEmpty() || IsSystemFolder(point))
        return false;
    return entry.Source.startsWith("/dev/") || IsNetworkShare(entry.FsType);
}

} // namespace

QStringList UserVisibleDrives(const QList<TMountEntry>& mounts)
{
    QStringList drives;
    for (const TMountEntry& entry : mounts) {
        if (IsUserVisible(entry) && !drives.contains(entry.MountPoint))
            drives.append(entry.MountPoint);
    }
    return drives;
}

QStringList LogicalDrives()
{
    return UserVisibleDrives(Platform().Mounts->Entries());
}
