#include "uPlatform.h"

#include "uLinuxPlatform.h"

#include <QFileInfo>

namespace {

TPlatform LinuxPlatform()
{
    TPlatform platform;
    platform.Mounts = std::make_unique<TLinuxMountTable>();
    platform.Program = std::make_unique<TLinuxProgramLocation>();
    platform.Launcher = std::make_unique<TLinuxLauncher>();
    platform.SessionBus = std::make_unique<TLinuxSessionBus>();
    return platform;
}

TPlatform& Current()
{
    static TPlatform platform = LinuxPlatform();
    return platform;
}

} // namespace

TPlatform& Platform()
{
    return Current();
}

void ResetPlatform()
{
    Current() = LinuxPlatform();
}

QString ProgramFilePath()
{
    return Platform().Program->FilePath();
}

QString ProgramFolder()
{
    return QFileInfo(ProgramFilePath()).absolutePath();
}

QString MountPointOfPath(const QString& absolutePath)
{
    return MountPointOf(Platform().Mounts->Entries(), absolutePath);
}
