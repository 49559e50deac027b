#pragma once

#include <QString>

// Starts a stored program on its own, in the program's folder: the file and the parameters
// have a leading %NAME% expanded first, the parameters are split into arguments by shell word
// rules (no shell ever runs them). Windows programs (.exe, .bat, .com) go through wine,
// documents and folders to the desktop's "open". Raises EVelmoError "Cannot start <path>:
// <reason>" when the program cannot be started.
void RunProgram(const QString& fileName, const QString& parameters);

// Deletes a folder with everything in it, hidden entries included; a symbolic link is removed
// as a link, never followed. A file that grants nobody write access stays, and so do the
// folders on its path. True when the folder itself is gone. Deletes nothing and gives false
// for an empty path, the root of a filesystem, and a folder that holds the catalogue in use
// (the program's data folder). It takes no hourglass: the window that calls it shows one.
bool DeleteTree(const QString& path);

// The name of a file without its folder and without its last extension.
QString GetFileTitle(const QString& path);
