#include "uEnvironment.h"

#include "uEnvironmentFile.h"
#include "uPlatform.h"

#include <QProcessEnvironment>

TEnvironment* Env = nullptr;

namespace {

const QString RemoveDriveName = "removedrive";

// Windows looks variables up without regard to case; an exact match wins.
std::optional<QString> LookUp(const QProcessEnvironment& environment, const QString& name)
{
    if (environment.contains(name))
        return environment.value(name);
    const QStringList names = environment.keys();
    for (const QString& key : names) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return environment.value(key);
    }
    return std::nullopt;
}

} // namespace

QString TEnvironment::ExpandString(const QString& text) const
{
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString result;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf('%', pos);
        const qsizetype close = open < 0 ? -1 : text.indexOf('%', open + 1);
        if (close < 0) {
            result += text.mid(pos);
            break;
        }
        result += text.mid(pos, open - pos);
        const QString name = text.mid(open + 1, close - open - 1);
        const std::optional<QString> value =
            name.isEmpty() ? std::nullopt : LookUp(environment, name);
        result += value ? *value : text.mid(open, close - open + 1);
        pos = close + 1;
    }
    return result;
}

QString TEnvironment::ExpandPath(const QString& storedPath) const
{
    if (!storedPath.startsWith('%'))
        return storedPath;
    const qsizetype close = storedPath.indexOf('%', 1);
    if (close < 0)
        return storedPath;
    return ExpandString(storedPath.left(close + 1)) + storedPath.mid(close + 1);
}

QString TEnvironment::GetRemoveDrive()
{
    const QString reference = '%' + RemoveDriveName + '%';
    QString value = ExpandString(reference);
    if (value == reference) {
        value = MountPointOfPath(ProgramFilePath());
        SetVariable(RemoveDriveName, value, true);
    }
    return value;
}

bool TEnvironment::SetVariable(const QString& name, const QString& value, bool userScope)
{
    const TEnvironmentFile file(userScope ? TEnvironmentFile::UserFilePath()
                                          : TEnvironmentFile::MachineFilePath());
    if (!file.Write(name, value))
        return false;
    qputenv(name.toLocal8Bit().constData(), value.toLocal8Bit());
    Platform().SessionBus->AnnounceEnvironment(name, value);
    return true;
}
