#pragma once

#include <QString>

// The user's lasting environment: a file of environment.d(5) read by the session at login.
class TEnvironmentFile {
public:
    explicit TEnvironmentFile(QString filePath);

    static QString UserFilePath();    // $XDG_CONFIG_HOME/environment.d/60-velmo.conf
    static QString MachineFilePath(); // /etc/environment.d/60-velmo.conf

    // False when the folder cannot be made or opened (nothing is written then). Raises
    // "Failed to set data for '<name>'" when the file itself cannot be written.
    bool Write(const QString& name, const QString& value) const;

    // The value as a double-quoted environment.d text; "$$" keeps a "$" from expansion.
    static QString Escape(const QString& value);

private:
    QString m_filePath;
};
