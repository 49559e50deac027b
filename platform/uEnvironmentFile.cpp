#include "uEnvironmentFile.h"

#include "uError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

TEnvironmentFile::TEnvironmentFile(QString filePath)
    : m_filePath(std::move(filePath))
{
}

QString TEnvironmentFile::UserFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/environment.d/60-velmo.conf";
}

QString TEnvironmentFile::MachineFilePath()
{
    return "/etc/environment.d/60-velmo.conf";
}

QString TEnvironmentFile::Escape(const QString& value)
{
    QString text = "\"";
    for (const QChar c : value) {
        if (c == '\\' || c == '"' || c == '`')
            text += '\\';
        else if (c == '$')
            text += '$';
        text += c;
    }
    return text + '"';
}

bool TEnvironmentFile::Write(const QString& name, const QString& value) const
{
    const QString folder = QFileInfo(m_filePath).absolutePath();
    if (!QDir().mkpath(folder))
        return false;

    // Keep the other lines of the file; replace this variable's line or add it.
    QStringList lines;
    QFile current(m_filePath);
    if (current.open(QIODevice::ReadOnly | QIODevice::Text))
        lines = QString::fromUtf8(current.readAll()).split('\n', Qt::SkipEmptyParts);
    const QString prefix = name + '=';
    lines.removeIf([&](const QString& line) { return line.startsWith(prefix); });
    lines.append(prefix + Escape(value));

    QSaveFile file(m_filePath);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write((lines.join('\n') + '\n').toUtf8()) >= 0 && file.commit();
    if (!written)
        throw EVelmoError(QString("Failed to set data for '%1'").arg(name));
    return true;
}
