#pragma once

#include "uPlatform.h"

class TLinuxMountTable : public IMountTable {
public:
    QList<TMountEntry> Entries() const override;
};

class TLinuxProgramLocation : public IProgramLocation {
public:
    QString FilePath() const override;
};

class TLinuxLauncher : public ILauncher {
public:
    QString StartDetached(const QString& program, const QStringList& arguments,
                          const QString& workingFolder) override;
};

class TLinuxSessionBus : public ISessionBus {
public:
    void AnnounceEnvironment(const QString& name, const QString& value) override;
};
