#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString TRecordingLauncher::StartDetached(const QString& program, const QStringList& arguments,
                                          const QString& workingFolder)
{
    Launches.append({program, arguments, workingFolder});
    return FailWith;
}

void TRecordingSessionBus::AnnounceEnvironment(const QString& name, const QString& value)
{
    Announcements.append(name + '=' + value);
}

TTempDrive::TTempDrive()
    : m_drive(m_temp.path() + "/STICK")
    , m_home(m_temp.path() + "/home")
{
    QDir().mkpath(m_drive);
    for (const char* folder : {"config", "runtime", "data", "cache"})
        QDir().mkpath(m_home + '/' + folder);
    qputenv("HOME", QFile::encodeName(m_home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home + "/config"));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_home + "/runtime"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home + "/data"));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_home + "/cache"));
    qunsetenv("removedrive");

    auto mounts = std::make_unique<TFixedMountTable>();
    mounts->Mounts = {{"/", "ext4", "/dev/vda1"}, {m_drive, "vfat", "/dev/sdb1"}};
    auto program = std::make_unique<TFixedProgramLocation>();
    program->Path = m_drive + "/velmo";
    Mounts = mounts.get();
    Program = program.get();
    auto launcher = std::make_unique<TRecordingLauncher>();
    auto bus = std::make_unique<TRecordingSessionBus>();
    Launcher = launcher.get();
    SessionBus = bus.get();
    Platform().Mounts = std::move(mounts);
    Platform().Program = std::move(program);
    Platform().Launcher = std::move(launcher);
    Platform().SessionBus = std::move(bus);
}

TTempDrive::~TTempDrive()
{
    ResetPlatform();
    qunsetenv("removedrive");
}

QString TTempDrive::WriteFile(const QString& relativePath, const QByteArray& content) const
{
    const QString path = m_drive + '/' + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}
