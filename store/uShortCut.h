#pragma once

#include <QImage>
#include <QString>

// One shortcut: a row of t_sc.
class TQShortCut {
public:
    QString GroupName;
    QString SCText;
    QString FileName;   // as stored: may begin with %removedrive%; the shortcut's key
    QString Parameters; // as stored
    QImage Icon;        // the program's picture; null when it has none

    bool TargetExists() const; // a file (not a folder) is at the expanded FileName
    bool IsEmpty() const { return FileName.isEmpty(); }
};

// One category: a row of t_scg. Its position is the order of the list it comes in.
class TQShortCutGroup {
public:
    QString GroupName;
    int ImageIndex = 0;
};
