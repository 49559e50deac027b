#include "uCommon.h"

#include "uEnvironment.h"
#include "uError.h"
#include "uPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

struct TLaunch {
    QString Program;
    QStringList Arguments;
};

EVelmoError CannotStart(const QString& file, const QString& reason)
{
    return EVelmoError(QString("Cannot start %1: %2").arg(file, reason));
}

// Up to and including the last "/"; empty when the name has no folder part.
QString FolderPartOf(const QString& file)
{
    return file.left(file.lastIndexOf('/') + 1);
}

bool IsWindowsProgram(const QFileInfo& file)
{
    const QString suffix = file.suffix().toLower();
    return suffix == "exe" || suffix == "bat" || suffix == "com";
}

// An ELF binary or a script: something that would run if the file could be executed.
bool IsNativeProgram(const QString& file)
{
    QFile program(file);
    if (!program.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = program.read(4);
    return start == "\x7f"
                    "ELF" ||
           start.startsWith("#!");
}

QString Installed(const QString& program, const QString& file, const QString& purpose)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        throw CannotStart(file, QString("%1 is not installed (%2)").arg(program, purpose));
    return path;
}

TLaunch LaunchFor(const QString& file, const QStringList& arguments)
{
    const QFileInfo info(file);
    if (!info.exists())
        throw CannotStart(file, "the file does not exist");
    // A folder and a document take no parameters: the desktop's "open" is given just the path.
    if (info.isDir())
        return {Installed("xdg-open", file, "it opens folders"), {file}};
    if (IsWindowsProgram(info))
        return {Installed("wine", file, "it runs Windows programs"), QStringList{file} + arguments};
    if (info.isExecutable())
        return {file, arguments};
    if (IsNativeProgram(file))
        throw CannotStart(file, "the program may not be executed on its drive, which is mounted "
                                "without execute permission (as FAT32 drives often are, with "
                                "\"showexec\"); copy it to another drive, or mount the drive "
                                "with \"exec\"");
    return {Installed("xdg-open", file, "it opens documents"), {file}};
}

bool GrantsNoWrite(const QFileInfo& file)
{
    return (file.permissions() &
            (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther)) == 0;
}

bool RemoveFolder(const QString& folder);

// Removes what can be removed; a link goes as a link, its target stays untouched.
void RemoveEntries(const QString& folder)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                             QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QString path = entry.absoluteFilePath();
        if (entry.isSymLink())
            QFile::remove(path);
        else if (entry.isDir())
            RemoveFolder(path);
        else if (!GrantsNoWrite(entry))
            QFile::remove(path);
    }
}

bool RemoveFolder(const QString& folder)
{
    RemoveEntries(folder);
    return QDir().rmdir(folder);
}

bool Holds(const QString& folder, const QString& path)
{
    const QString prefix = folder.endsWith('/') ? folder : folder + '/';
    return path == folder || path.startsWith(prefix);
}

// The root of a filesystem, or the folder of the catalogue in use or a folder above it.
bool IsProtected(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (MountPointOfPath(canonical) == canonical)
        return true;
    const QString data = ProgramFolder() + "/data";
    const QString canonicalData = QFileInfo(data).canonicalFilePath();
    return Holds(canonical, canonicalData.isEmpty() ? QDir::cleanPath(data) : canonicalData);
}

} // namespace

void RunProgram(const QString& fileName, const QString& parameters)
{
    const QString file = Env->ExpandPath(fileName);
    const QStringList arguments = QProcess::splitCommand(Env->ExpandPath(parameters));
    const TLaunch launch = LaunchFor(file, arguments);
    const QString reason =
        Platform().Launcher->StartDetached(launch.Program, launch.Arguments, FolderPartOf(file));
    if (!reason.isEmpty())
        throw CannotStart(file, reason);
}

bool DeleteTree(const QString& path)
{
    QString folder = path;
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    if (folder.isEmpty())
        return false;
    const QFileInfo info(folder);
    if (info.isSymLink())
        return QFile::remove(info.absoluteFilePath());
    if (!info.isDir() || IsProtected(info.absoluteFilePath()))
        return false;
    return RemoveFolder(info.absoluteFilePath());
}

QString GetFileTitle(const QString& path)
{
    const QString name = path.mid(path.lastIndexOf('/') + 1);
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? name : name.left(dot);
}
