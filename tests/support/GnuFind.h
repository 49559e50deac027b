#pragma once

#include "uSearch.h"

#include <QStringList>

// Where GNU find starts and how deep it goes for the same choices as a search.
inline QStringList GnuFindDepthArguments(const TSearchInfo& info)
{
    QStringList arguments{"-P", info.Path};
    if (!info.AllSubDirs) {
        const int folderLevels = info.DepthLimited ? qMax(info.Depth + 1, 0) : 0;
        arguments << "-maxdepth" << QString::number(folderLevels + 1);
    }
    return arguments;
}

// The GNU find arguments for the same choices as a search: links not followed, hidden folders
// below the start pruned, regular files and links to them (-xtype f), the name matched by
// -iname, each found file written by the given action (-print or -print0).
inline QStringList GnuFindArguments(const TSearchInfo& info, const QString& printAction)
{
    QStringList arguments = GnuFindDepthArguments(info);
    arguments << "-mindepth"
              << "1"
              << "("
              << "-type"
              << "d"
              << "-name"
              << ".*"
              << "-prune"
              << ")"
              << "-o"
              << "("
              << "-iname" << info.FileMask << "-xtype"
              << "f" << printAction << ")";
    return arguments;
}
