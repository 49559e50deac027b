#pragma once

#include "uImageList.h"
#include "uShortCut.h"
#include "uSqlite.h"

#include <QList>

#include <QPixmap>
#include <QString>

// The catalogue's storage: the database in data/ beside the program, the picture lists and
// the four file-kind bitmaps. The windows reach the catalogue only through its operations.
class Tdm {
public:
    static constexpr int CategoryPictureCount = 45;
    static constexpr int FileKindPictureCount = 4;
    static constexpr int ToolbarPictureCount = 11; // the actions' images, of the main window

    Tdm(); // the pictures; never fails

    // Finds or creates data/ and the two tables. Raises "Cannot create <DataDir>" or the
    // engine's error; the data module then stays without a catalogue and every operation
    // raises that reason again.
    void DataModuleCreate();

    TImageList ImageList1; // category pictures
    TImageList ImageList2; // file kinds: 0 missing, 1 .bat, 2 .com, 3 any other file
    QPixmap MissingBitmap;
    QPixmap BatBitmap;
    QPixmap ComBitmap;
    QPixmap OtherBitmap;

    QString DataDir;

    // The catalogue's reads and changes. Names and paths match exactly as stored (letter case
    // counting, nothing trimmed or expanded). A change that touches other than exactly one
    // row raises "Update failed"; every other failure raises the engine's message.
    bool ShortCutExists(const QString& fileName);
    void AddShortCut(const TQShortCut& shortCut); // stores the program file's picture of now
    void DeleteShortCut(const TQShortCut& shortCut);
    void UpdateShortCut(const QString& oldFileName, const TQShortCut& shortCut);
    QList<TQShortCut> GetShortCuts(const QString& groupName); // by FileName, byte order
    QList<TQShortCutGroup> GetShortCutGroups();               // by position
    bool ShortCutGroupExists(const QString& groupName);
    void AddShortCutGroup(const TQShortCutGroup& group); // goes after the last category
    void SetShortCutGroupIndex(const QString& groupName, int position);
    void DeleteShortCutGroup(const QString& groupName);

    static QString DatabaseFileName() { return "velmo.db"; }

private:
    void OpenDatabase(const QString& filePath);
    TSqliteDatabase& Database();

    TSqliteDatabase m_database;
    QString m_notOpenReason;
};

// The one data module, alive from after the single-copy check to the end of the program.
extern Tdm* dm;
