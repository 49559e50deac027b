#pragma once

#include "uPlatform.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A launch the recording launcher was asked for.
struct TRecordedLaunch {
    QString Program;
    QStringList Arguments;
    QString WorkingFolder;
};

class TRecordingLauncher : public ILauncher {
public:
    QString StartDetached(const QString& program, const QStringList& arguments,
                          const QString& workingFolder) override;
    QList<TRecordedLaunch> Launches;
    QString FailWith; // when set, every start fails with this reason
};

class TRecordingSessionBus : public ISessionBus {
public:
    void AnnounceEnvironment(const QString& name, const QString& value) override;
    QStringList Announcements; // "name=value"
};

class TFixedMountTable : public IMountTable {
public:
    QList<TMountEntry> Entries() const override { return Mounts; }
    QList<TMountEntry> Mounts;
};

class TFixedProgramLocation : public IProgramLocation {
public:
    QString FilePath() const override { return Path; }
    QString Path;
};

// A temporary removable drive: its own folder, mounted as a drive in a fake mount table, with
// "the program" at <drive>/velmo and the user's HOME and XDG folders inside a sibling folder.
// Launches and announcements are recorded; removedrive starts undefined.
class TTempDrive {
public:
    TTempDrive();
    ~TTempDrive();
    TTempDrive(const TTempDrive&) = delete;
    TTempDrive& operator=(const TTempDrive&) = delete;

    QString Root() const { return m_drive; } // the drive's mount point
    QString ConfigHome() const { return m_home + "/config"; }
    QString ProgramPath() const { return m_drive + "/velmo"; }
    QString DataDir() const { return m_drive + "/data"; }

    // Moves "the program" to another file inside the drive.
    void SetProgramPath(const QString& path) { Program->Path = path; }

    // Writes a file (its folders made) and returns its path.
    QString WriteFile(const QString& relativePath, const QByteArray& content = "x") const;

    TFixedMountTable* Mounts;
    TFixedProgramLocation* Program;
    TRecordingLauncher* Launcher;
    TRecordingSessionBus* SessionBus;

private:
    QTemporaryDir m_temp;
    QString m_drive;
    QString m_home;
};
