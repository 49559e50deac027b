#pragma once

#include <QString>
#include <exception>

// What a store, file or settings operation raises; the standard error display shows its text.
class EVelmoError : public std::exception {
public:
    explicit EVelmoError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {
    }
    const QString& Message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
