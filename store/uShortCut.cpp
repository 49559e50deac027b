#include "uShortCut.h"

#include "uEnvironment.h"

#include <QFileInfo>

bool TQShortCut::TargetExists() const
{
    const QFileInfo target(Env->ExpandPath(FileName));
    return target.isFile();
}
