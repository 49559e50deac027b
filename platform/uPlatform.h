#pragma once

#include "uMountTable.h"

#include <QString>
#include <QStringList>
#include <memory>

// The services of the operating system that VELMO stands on. Each is an interface so tests
// can give a fake mount table, put "the program" in a temporary folder and record launches.

class IMountTable {
public:
    virtual ~IMountTable() = default;
    virtual QList<TMountEntry> Entries() const = 0;
};

class IProgramLocation {
public:
    virtual ~IProgramLocation() = default;
    virtual QString FilePath() const = 0; // absolute path of the program file
};

class ILauncher {
public:
    virtual ~ILauncher() = default;
    // Starts the program on its own; returns the reason when it cannot be started.
    virtual QString StartDetached(const QString& program, const QStringList& arguments,
                                  const QString& workingFolder) = 0;
};

class ISessionBus {
public:
    virtual ~ISessionBus() = default;
    // Best effort: tells the session that programs it starts later see the variable.
    virtual void AnnounceEnvironment(const QString& name, const QString& value) = 0;
};

struct TPlatform {
    std::unique_ptr<IMountTable> Mounts;
    std::unique_ptr<IProgramLocation> Program;
    std::unique_ptr<ILauncher> Launcher;
    std::unique_ptr<ISessionBus> SessionBus;
};

// The process's services: the Linux ones unless a test has replaced them.
TPlatform& Platform();
void ResetPlatform();

// Convenience readers used everywhere.
QString ProgramFilePath();
QString ProgramFolder();
QString MountPointOfPath(const QString& absolutePath);
