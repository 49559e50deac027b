#pragma once

#include <QAction>

// A program in the tray menu: it keeps the stored path and parameters and starts the
// program when chosen, without testing that the file is there.
class TdSubMenuItem : public QAction {
    Q_OBJECT

public:
    TdSubMenuItem(const QString& caption, QString fileName, QString parameters, QObject* parent);

    const QString& FileName() const { return m_fileName; }
    const QString& Parameters() const { return m_parameters; }

private:
    void Click();

    QString m_fileName;
    QString m_parameters;
};
