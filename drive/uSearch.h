#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The choices of one search, as the search dialog hands them over.
struct TSearchInfo {
    QString Path;     // the folder, as typed or chosen
    QString FileMask; // "*" and "?" as wildcards
    bool DepthLimited = false;
    bool AllSubDirs = false;
    std::int32_t Depth = 0;
};

// A file is a regular file or a symbolic link to one. Each found file is appended as the folder
// text + "/" (unless it ends with one) + its name; a folder's own matches come before those of
// its subfolders, which are searched depth first in the order the folder lists them. Hidden
// folders (names beginning with ".") and links to folders are never entered; hidden files are
// found. A folder that cannot be read adds nothing. The mask matches the whole name, "*" any run
// of characters, "?" one character, without regard to letter case.

// With recurse false, the folder itself only; with recurse true, all its subfolders too.
void FindFiles(const QString& folder, const QString& mask, bool recurse, QStringList& list);

// Subfolders are entered while depth >= 0, one lower at each level, so depth n searches n + 1
// levels below the folder and a negative depth the folder only.
void FindFilesToDepth(const QString& folder, const QString& mask, int depth, QStringList& list);

// The search the dialog's choices ask for: all subfolders if chosen, else n levels if chosen,
// else the folder only.
void SearchFiles(const TSearchInfo& info, QStringList& list);

// True for the names "." and "..".
bool IsDotDir(const QString& name);
