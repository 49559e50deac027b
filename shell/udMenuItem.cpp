#include "udMenuItem.h"

#include "uCommon.h"
#include "uMessages.h"

TdSubMenuItem::TdSubMenuItem(const QString& caption, QString fileName, QString parameters,
                             QObject* parent)
    : QAction(caption, parent)
    , m_fileName(std::move(fileName))
    , m_parameters(std::move(parameters))
{
    connect(this, &QAction::triggered, this, &TdSubMenuItem::Click);
}

void TdSubMenuItem::Click()
{
    Guarded([this] { RunProgram(m_fileName, m_parameters); });
}
