#pragma once

#include <QString>
#include <QStringList>

#include <exception>
#include <functional>
#include <memory>

class QWidget;

// The application's title: the caption of the plain boxes and of the standard error display.
inline const QString ApplicationTitle = "VELMO";

// Every message box VELMO shows goes through one messenger, so tests can answer them.
enum class TMessageKind { Error, Warning, Information, Confirmation, Plain };

class IMessenger {
public:
    virtual ~IMessenger() = default;
    // True when the user answered OK or Yes.
    virtual bool Show(TMessageKind kind, const QString& title, const QString& text) = 0;
    // The open-file dialog: hidden files shown, the current folder left as it is. The preset
    // may be empty; nameFilters in Qt's form, the first is the default. Empty on cancel.
    virtual QString OpenFile(const QString& presetPath, const QStringList& nameFilters) = 0;
    // The folder chooser: the full path of the chosen folder, empty on cancel.
    virtual QString ChooseFolder() = 0;
};

// The real boxes, or what a test has put in their place.
IMessenger& Messenger();
void SetMessenger(std::unique_ptr<IMessenger> messenger); // null puts the real boxes back

// Title "Warning", "Confirm", "Error" or "Information" after the kind; the plain box and the
// standard error display carry the application's title.
bool ShowMessage(TMessageKind kind, const QString& text);

// The standard error display: a critical box titled "VELMO" with the text and a full stop.
void ShowStandardError(const std::exception& error);

// Runs a command and shows whatever it raised in the standard error display.
void Guarded(const std::function<void()>& command);
