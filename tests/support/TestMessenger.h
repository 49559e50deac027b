#pragma once

#include "uMessages.h"

#include <QList>
#include <QString>

// Answers message boxes and file dialogs in a test: records each and gives the next scripted
// answer (Yes/OK, or a cancelled file dialog, when the script has run out).
class TScriptedMessenger : public IMessenger {
public:
    struct TShown {
        TMessageKind Kind;
        QString Title;
        QString Text;
    };

    bool Show(TMessageKind kind, const QString& title, const QString& text) override
    {
        Shown.append({kind, title, text});
        return Answers.isEmpty() ? true : Answers.takeFirst();
    }

    struct TOpenFileRequest {
        QString PresetPath;
        QStringList NameFilters;
    };

    QString OpenFile(const QString& presetPath, const QStringList& nameFilters) override
    {
        OpenFileRequests.append({presetPath, nameFilters});
        return ChosenFiles.isEmpty() ? QString() : ChosenFiles.takeFirst();
    }

    QString ChooseFolder() override
    {
        ++FolderRequests;
        return ChosenFolders.isEmpty() ? QString() : ChosenFolders.takeFirst();
    }

    // "<title>: <text>" of every box, in order.
    QStringList TitledTexts() const
    {
        QStringList texts;
        for (const TShown& shown : Shown)
            texts.append(shown.Title + ": " + shown.Text);
        return texts;
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const TShown& shown : Shown)
            texts.append(shown.Text);
        return texts;
    }

    QList<TShown> Shown;
    QList<bool> Answers;
    QList<TOpenFileRequest> OpenFileRequests;
    QStringList ChosenFiles; // an empty entry cancels that dialog
    int FolderRequests = 0;
    QStringList ChosenFolders; // an empty entry cancels that chooser
};

// Installs a scripted messenger for the life of a test and puts the real boxes back after.
class TMessengerScope {
public:
    TMessengerScope()
    {
        auto messenger = std::make_unique<TScriptedMessenger>();
        Messenger = messenger.get();
        SetMessenger(std::move(messenger));
    }
    ~TMessengerScope() { SetMessenger(nullptr); }
    TMessengerScope(const TMessengerScope&) = delete;
    TMessengerScope& operator=(const TMessengerScope&) = delete;

    TScriptedMessenger* Messenger;
};
