#pragma once

#include <QString>

// The portable drive's variable and the expansion of stored paths.
class TEnvironment {
public:
    // Every %NAME% of a defined variable replaced by its value (names without regard to
    // case); undefined references stay as they are and values are not expanded again.
    QString ExpandString(const QString& text) const;

    // Only a reference at the very start of the path is expanded.
    QString ExpandPath(const QString& storedPath) const;

    // The value of removedrive; on first need the program's drive, persisted for the user.
    QString GetRemoveDrive();

    // True when the lasting environment could be opened (the variable is then set).
    bool SetVariable(const QString& name, const QString& value, bool userScope);
};

// The one environment service; the main window creates it first and frees it last.
extern TEnvironment* Env;
