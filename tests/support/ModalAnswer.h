#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QTimer>

#include <functional>

// Answers the next modal dialog that opens: the test's function gets it while it is shown
// and decides how it closes. The function runs once.
inline void AnswerNextDialog(std::function<void(QDialog*)> answer)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer = std::move(answer)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        answer(dialog);
    });
    timer->start();
}

// Presses the dialog's OK (its button bar's accepting button), as the user would.
inline void PressOk(QDialog* dialog)
{
    auto* buttons = dialog->findChild<QDialogButtonBox*>("RzDialogButtons1");
    for (QAbstractButton* button : buttons->buttons()) {
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) {
            button->click();
            return;
        }
    }
}
