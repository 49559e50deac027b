#include "uMachineSettings.h"

#include "uError.h"

#include <QSettings>
#include <QStandardPaths>

QString TMachineSettings::FilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/velmo/velmo.conf";
}

QString TMachineSettings::ReadMin() const
{
    const QSettings settings(FilePath(), QSettings::IniFormat);
    return settings.value("min").toString();
}

void TMachineSettings::WriteMin(const QString& value) const
{
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.setValue("min", value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw EVelmoError("Failed to set data for 'min'");
}
