#include "uShortCut.h"

#include "uEnvironment.h"

#include <QFileInfo>

bool TQShortCut::TargetExists() const
{
    const QFileInfo target(Env->ExpandPath(FileName));
    return target.isFile();
}

void TQShortCut::LoadIcon()
{
    if (!FileName.endsWith(".exe", Qt::CaseInsensitive))
        return;
    Icon = QImage(StandardIconSize, StandardIconSize, QImage::Format_ARGB32);
    Icon.fill(Qt::transparent);
}
