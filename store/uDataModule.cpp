#include "uDataModule.h"

#include "uError.h"
#include "uPlatform.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

Tdm* dm = nullptr;

namespace {

// Rollback journal and full sync: a stick pulled mid-write must leave a sound catalogue.
const char* const OpenPragmas = "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;";

const char* const CreateShortCutTable =
    "CREATE TABLE IF NOT EXISTS t_sc (ShortCutGroupName TEXT, SCTEXT TEXT,"
    " FileName TEXT NOT NULL PRIMARY KEY, Parameters TEXT, FICON BLOB)";

const char* const CreateCategoryTable = "CREATE TABLE IF NOT EXISTS t_scg (groupindex INTEGER,"
                                        " groupname TEXT NOT NULL PRIMARY KEY, imageindex INTEGER)";

// A category's shortcuts are read far more often than they are written.
const char* const CreateShortCutGroupIndex =
    "CREATE INDEX IF NOT EXISTS t_sc_by_group ON t_sc (ShortCutGroupName, FileName)";

// Every value below is a bound parameter: no stored text ever becomes part of a statement.
// "=" compares with the BINARY collation: exact bytes, letter case counting.
const char* const SelectShortCutExists = "SELECT 1 FROM t_sc WHERE FileName = ?1";
const char* const InsertShortCut = "INSERT INTO t_sc (ShortCutGroupName, SCTEXT, FileName,"
                                   " Parameters, FICON) VALUES (?1, ?2, ?3, ?4, ?5)";
const char* const DeleteShortCutRow = "DELETE FROM t_sc WHERE FileName = ?1";
const char* const UpdateShortCutRow =
    "UPDATE t_sc SET ShortCutGroupName = ?1, SCTEXT = ?2, Parameters = ?3 WHERE FileName = ?4";
const char* const SelectShortCuts =
    "SELECT ShortCutGroupName, SCTEXT, FileName, Parameters, FICON FROM t_sc"
    " WHERE ShortCutGroupName = ?1 ORDER BY FileName";
const char* const SelectShortCutGroups =
    "SELECT groupname, imageindex FROM t_scg ORDER BY groupindex, groupname";
const char* const SelectShortCutGroupExists = "SELECT 1 FROM t_scg WHERE groupname = ?1";
// Reading the last position and inserting after it in one statement leaves nothing half done.
const char* const InsertShortCutGroup =
    "INSERT INTO t_scg (groupindex, groupname, imageindex)"
    " SELECT coalesce(max(groupindex), 0) + 1, ?1, ?2 FROM t_scg";
const char* const UpdateShortCutGroupIndex =
    "UPDATE t_scg SET groupindex = ?1 WHERE groupname = ?2";
const char* const DeleteShortCutGroupRow = "DELETE FROM t_scg WHERE groupname = ?1";

bool HasRow(TSqliteDatabase& database, const char* sql, const QString& key)
{
    TSqliteStatement query(database.Handle(), sql);
    return query.Bind(1, key).Step();
}

// Every key is a primary key, so a change touches one row or, when the row is gone, none.
template <typename... Values>
void ChangeOneRow(TSqliteDatabase& database, const char* sql, const Values&... values)
{
    TSqliteStatement change(database.Handle(), sql);
    change.BindAll(values...).Run();
    if (database.Changes() != 1)
        throw EVelmoError("Update failed");
}

// PNG keeps the picture's transparency; a record without a picture stores no bytes.
QByteArray PictureBytes(const TQShortCut& shortCut)
{
    QByteArray bytes;
    if (shortCut.Icon.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!shortCut.Icon.save(&buffer, "PNG"))
        throw EVelmoError("Cannot store the picture of " + shortCut.FileName);
    return bytes;
}

TQShortCut ReadShortCut(const TSqliteStatement& row)
{
    TQShortCut shortCut;
    shortCut.GroupName = row.Text(0);
    shortCut.SCText = row.Text(1);
    shortCut.FileName = row.Text(2);
    shortCut.Parameters = row.Text(3);
    shortCut.Icon = QImage::fromData(row.Blob(4));
    return shortCut;
}

} // namespace

Tdm::Tdm()
    : ImageList1(TImageList::FromResources("category", CategoryPictureCount, 2))
    , ImageList2(TImageList::FromResources("filekind", FileKindPictureCount, 1))
    , MissingBitmap(ImageList2.Bitmap(0))
    , BatBitmap(ImageList2.Bitmap(1))
    , ComBitmap(ImageList2.Bitmap(2))
    , OtherBitmap(ImageList2.Bitmap(3))
    , m_notOpenReason("The catalogue has not been opened")
{
}

void Tdm::DataModuleCreate()
{
    DataDir = ProgramFolder() + "/data";
    if (!QFileInfo(DataDir).isDir() && !QDir().mkdir(DataDir)) {
        m_notOpenReason = "Cannot create " + DataDir;
        throw EVelmoError(m_notOpenReason);
    }
    const QString filePath = DataDir + '/' + DatabaseFileName();
    try {
        OpenDatabase(filePath);
    } catch (const EVelmoError& error) {
        // Leave a damaged file exactly as it is: it may still be rescued.
        m_database = TSqliteDatabase();
        m_notOpenReason =
            QString("Cannot open the catalogue %1: %2").arg(filePath, error.Message());
        throw EVelmoError(m_notOpenReason);
    }
}

void Tdm::OpenDatabase(const QString& filePath)
{
    m_database = TSqliteDatabase(filePath);
    m_database.Execute(OpenPragmas);
    TSqliteStatement check(m_database.Handle(), "PRAGMA quick_check");
    if (check.Step() && check.Text(0) != "ok")
        throw EVelmoError(check.Text(0));
    m_database.Execute(CreateShortCutTable);
    m_database.Execute(CreateCategoryTable);
    m_database.Execute(CreateShortCutGroupIndex);
}

TSqliteDatabase& Tdm::Database()
{
    if (!m_database.IsOpen())
        throw EVelmoError(m_notOpenReason);
    return m_database;
}

bool Tdm::ShortCutExists(const QString& fileName)
{
    return HasRow(Database(), SelectShortCutExists, fileName);
}

void Tdm::AddShortCut(const TQShortCut& shortCut)
{
    TSqliteDatabase& database = Database();
    TQShortCut stored = shortCut;
    stored.LoadIcon();
    ChangeOneRow(database, InsertShortCut, stored.GroupName, stored.SCText, stored.FileName,
                 stored.Parameters, PictureBytes(stored));
}

void Tdm::DeleteShortCut(const TQShortCut& shortCut)
{
    ChangeOneRow(Database(), DeleteShortCutRow, shortCut.FileName);
}

void Tdm::UpdateShortCut(const QString& oldFileName, const TQShortCut& shortCut)
{
    ChangeOneRow(Database(), UpdateShortCutRow, shortCut.GroupName, shortCut.SCText,
                 shortCut.Parameters, oldFileName);
}

QList<TQShortCut> Tdm::GetShortCuts(const QString& groupName)
{
    TSqliteStatement query(Database().Handle(), SelectShortCuts);
    query.Bind(1, groupName);
    QList<TQShortCut> shortCuts;
    while (query.Step())
        shortCuts.append(ReadShortCut(query));
    return shortCuts;
}

QList<TQShortCutGroup> Tdm::GetShortCutGroups()
{
    TSqliteStatement query(Database().Handle(), SelectShortCutGroups);
    QList<TQShortCutGroup> groups;
    while (query.Step())
        groups.append({query.Text(0), static_cast<int>(query.Integer(1))});
    return groups;
}

bool Tdm::ShortCutGroupExists(const QString& groupName)
{
    return HasRow(Database(), SelectShortCutGroupExists, groupName);
}

void Tdm::AddShortCutGroup(const TQShortCutGroup& group)
{
    ChangeOneRow(Database(), InsertShortCutGroup, group.GroupName, qint64{group.ImageIndex});
}

void Tdm::SetShortCutGroupIndex(const QString& groupName, int position)
{
    ChangeOneRow(Database(), UpdateShortCutGroupIndex, qint64{position}, groupName);
}

void Tdm::DeleteShortCutGroup(const QString& groupName)
{
    ChangeOneRow(Database(), DeleteShortCutGroupRow, groupName);
}
