#include "uMessages.h"

#include "uError.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

class TMessageBoxes : public IMessenger {
public:
    bool Show(TMessageKind kind, const QString& title, const QString& text) override
    {
        QMessageBox box(Icon(kind), title, text, Buttons(kind), QApplication::activeWindow());
        return box.exec() ==
               (kind == TMessageKind::Confirmation ? QMessageBox::Yes : QMessageBox::Ok);
    }

    // Qt's own dialog: a native one may ignore the hidden-files filter. Links are handed back
    // as links, so a path stays where the user found it.
    QString OpenFile(const QString& presetPath, const QStringList& nameFilters) override
    {
        QFileDialog dialog(QApplication::activeWindow());
        dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontResolveSymlinks);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(nameFilters);
        dialog.setFilter(dialog.filter() | QDir::Hidden);
        if (!presetPath.isEmpty())
            dialog.selectFile(presetPath);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }

    QString ChooseFolder() override
    {
        return QFileDialog::getExistingDirectory(QApplication::activeWindow());
    }

private:
    static QMessageBox::Icon Icon(TMessageKind kind)
    {
        switch (kind) {
        case TMessageKind::Error:
            return QMessageBox::Critical;
        case TMessageKind::Warning:
            return QMessageBox::Warning;
        case TMessageKind::Information:
            return QMessageBox::Information;
        case TMessageKind::Confirmation:
            return QMessageBox::Question;
        case TMessageKind::Plain:
            break;
        }
        return QMessageBox::NoIcon;
    }

    static QMessageBox::StandardButtons Buttons(TMessageKind kind)
    {
        if (kind == TMessageKind::Confirmation)
            return QMessageBox::Yes | QMessageBox::No;
        return QMessageBox::Ok;
    }
};

std::unique_ptr<IMessenger>& CurrentMessenger()
{
    static std::unique_ptr<IMessenger> messenger = std::make_unique<TMessageBoxes>();
    return messenger;
}

QString TitleOf(TMessageKind kind)
{
    switch (kind) {
    case TMessageKind::Error:
        return "Error";
    case TMessageKind::Warning:
        return "Warning";
    case TMessageKind::Information:
        return "Information";
    case TMessageKind::Confirmation:
        return "Confirm";
    case TMessageKind::Plain:
        break;
    }
    return ApplicationTitle;
}

} // namespace

IMessenger& Messenger()
{
    return *CurrentMessenger();
}

void SetMessenger(std::unique_ptr<IMessenger> messenger)
{
    CurrentMessenger() = messenger ? std::move(messenger) : std::make_unique<TMessageBoxes>();
}

bool ShowMessage(TMessageKind kind, const QString& text)
{
    return Messenger().Show(kind, TitleOf(kind), text);
}

void ShowStandardError(const std::exception& error)
{
    const auto* velmoError = dynamic_cast<const EVelmoError*>(&error);
    const QString text = velmoError ? velmoError->Message() : QString::fromLocal8Bit(error.what());
    Messenger().Show(TMessageKind::Error, ApplicationTitle, text + '.');
}

void Guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}
