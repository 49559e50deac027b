#pragma once

#include <QString>

// This machine's settings for VELMO: $XDG_CONFIG_HOME/velmo/velmo.conf.
class TMachineSettings {
public:
    static QString FilePath();

    QString ReadMin() const; // empty when the file or the key is absent
    // Raises "Failed to set data for 'min'" when the file cannot be written.
    void WriteMin(const QString& value) const;
};
