#include "uDataModule.h"

#include "uError.h"
#include "uPlatform.h"

#include <QDir>
#include <QFileInfo>

Tdm* dm = nullptr;

namespace {

// Rollback journal and full sync: a stick pulled mid-write must leave a sound catalogue.
const char* const OpenPragmas = "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;";

const char* const CreateShortCutTable =
    "CREATE TABLE IF NOT EXISTS t_sc (ShortCutGroupName TEXT, SCTEXT TEXT,"
    " FileName TEXT NOT NULL PRIMARY KEY, Parameters TEXT, FICON BLOB)";

const char* const CreateCategoryTable =
    "CREATE TABLE IF NOT EXISTS t_scg (groupindex INTEGER,"
    " groupname TEXT NOT NULL PRIMARY KEY, imageindex INTEGER)";

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
        m_notOpenReason = QString("Cannot open the catalogue %1: %2").arg(filePath, error.Message());
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
}

TSqliteDatabase& Tdm::Database()
{
    if (!m_database.IsOpen())
        throw EVelmoError(m_notOpenReason);
    return m_database;
}
