#pragma once

#include "uMessages.h"

#include <QStringList>

// Answers every message box with OK and remembers what it said, as "<title>: <text>".
class TRecordingMessenger : public IMessenger {
public:
    bool Show(TMessageKind /*kind*/, const QString& title, const QString& text) override
    {
        Messages.append(title + ": " + text);
        return true;
    }
    QStringList Messages;
};

// Puts a recording messenger in place for one test and the real boxes back afterwards.
class TMessengerScope {
public:
    TMessengerScope()
    {
        auto messenger = std::make_unique<TRecordingMessenger>();
        Recorder = messenger.get();
        SetMessenger(std::move(messenger));
    }
    ~TMessengerScope() { SetMessenger(nullptr); }
    TMessengerScope(const TMessengerScope&) = delete;
    TMessengerScope& operator=(const TMessengerScope&) = delete;

    const QStringList& Messages() const { return Recorder->Messages; }

private:
    TRecordingMessenger* Recorder;
};
