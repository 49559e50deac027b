#pragma once

#include <QString>

// Start with the session: the XDG autostart entry $XDG_CONFIG_HOME/autostart/velmo.desktop.
class TAutostartEntry {
public:
    static QString FilePath();

    bool Exists() const;

    // Raises "Failed to set data for 'velmo'" when the entry cannot be written.
    void Write(const QString& programPath) const;

    // An entry that is already absent is no error.
    void Remove() const;

    // The program path as an Exec= value: quoted, then escaped as a string value.
    static QString ExecValue(const QString& programPath);
};
