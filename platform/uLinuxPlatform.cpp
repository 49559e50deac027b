#include "uLinuxPlatform.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QFile>
#include <QProcess>
#include <QVariantMap>

QList<TMountEntry> TLinuxMountTable::Entries() const
{
    QFile file("/proc/self/mountinfo");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Proc files report size 0, so atEnd() holds at once: read until a read comes back empty.
    QByteArray text;
    for (QByteArray chunk = file.read(65536); !chunk.isEmpty(); chunk = file.read(65536))
        text += chunk;
    return ParseMountInfo(text);
}

QString TLinuxProgramLocation::FilePath() const
{
    return QCoreApplication::applicationFilePath();
}

QString TLinuxLauncher::StartDetached(const QString& program, const QStringList& arguments,
                                      const QString& workingFolder)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return {};
    return process.errorString();
}

void TLinuxSessionBus::AnnounceEnvironment(const QString& name, const QString& value)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    constexpr int timeoutMs = 500;
    QDBusMessage systemd =
        QDBusMessage::createMethodCall("org.freedesktop.systemd1", "/org/freedesktop/systemd1",
                                       "org.freedesktop.systemd1.Manager", "SetEnvironment");
    systemd << QStringList{name + '=' + value};
    bus.call(systemd, QDBus::Block, timeoutMs);

    QDBusMessage activation =
        QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                       "org.freedesktop.DBus", "UpdateActivationEnvironment");
    // The bus takes a{ss}: the map type must be known to Qt DBus before it is sent.
    qDBusRegisterMetaType<QMap<QString, QString>>();
    QMap<QString, QString> variables{{name, value}};
    activation << QVariant::fromValue(variables);
    bus.call(activation, QDBus::Block, timeoutMs);
}
