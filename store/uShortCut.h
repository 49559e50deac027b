#pragma once

#include <QImage>
#include <QString>

// One shortcut: a row of t_sc.
class TQShortCut {
public:
    static constexpr int StandardIconSize = 32;

    QString GroupName;
    QString SCText;
    QString FileName;   // as stored: may begin with %removedrive%; the shortcut's key
    QString Parameters; // as stored
    QImage Icon;        // the program's picture; null when it has none

    // For a FileName ending in ".exe" (any letter case), the program file's own icon, or a
    // blank picture of the standard size when the file has none; otherwise nothing changes.
    void LoadIcon();
    bool TargetExists() const; // a file (not a folder) is at the expanded FileName
    bool IsEmpty() const { return FileName.isEmpty(); }
};

// One category: a row of t_scg. Its position is the order of the list it comes in.
class TQShortCutGroup {
public:
    QString GroupName;
    int ImageIndex = 0;
};
