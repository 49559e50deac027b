#include "TestSupport.h"
#include "uDataModule.h"
#include "uError.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <sqlite3.h>

namespace {

// Reads the database behind the data module's back, as another program would.
QStringList TableNames(const QString& databasePath)
{
    TSqliteDatabase db(databasePath);
    TSqliteStatement query(db.Handle(),
                           "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
    QStringList names;
    while (query.Step())
        names.append(query.Text(0));
    return names;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDataModule : public QObject {
    Q_OBJECT

private slots:
    void firstStartCreatesFolderAndTables();
    void missingCategoryTableIsCreatedAlone();
    void fileNamedDataIsReported();
    void damagedDatabaseIsReportedAndKept_data();
    void damagedDatabaseIsReportedAndKept();
    void picturesAreThere();
};

void TestDataModule::firstStartCreatesFolderAndTables()
{
    TTempDrive drive;
    Tdm data;
    data.DataModuleCreate();

    QCOMPARE(data.DataDir, drive.DataDir());
    QVERIFY(QFileInfo(drive.DataDir()).isDir());
    QCOMPARE(TableNames(drive.DataDir() + "/velmo.db"), (QStringList{"t_sc", "t_scg"}));
}

void TestDataModule::missingCategoryTableIsCreatedAlone()
{
    TTempDrive drive;
    QDir().mkpath(drive.DataDir());
    const QString path = drive.DataDir() + "/velmo.db";
    {
        TSqliteDatabase db(path);
        db.Execute("CREATE TABLE t_sc (ShortCutGroupName TEXT, SCTEXT TEXT,"
                   " FileName TEXT NOT NULL PRIMARY KEY, Parameters TEXT, FICON BLOB);"
                   "INSERT INTO t_sc VALUES ('Tools', 'Edit', '/x/edit.exe', NULL, NULL)");
    }

    Tdm data;
    data.DataModuleCreate();

    QCOMPARE(TableNames(path), (QStringList{"t_sc", "t_scg"}));
    TSqliteDatabase db(path);
    TSqliteStatement rows(db.Handle(), "SELECT FileName FROM t_sc");
    QVERIFY(rows.Step());
    QCOMPARE(rows.Text(0), QString("/x/edit.exe"));
}

void TestDataModule::fileNamedDataIsReported()
{
    TTempDrive drive;
    drive.WriteFile("data", "not a folder");

    Tdm data;
    try {
        data.DataModuleCreate();
        QFAIL("a file named data must not pass for the data folder");
    } catch (const EVelmoError& error) {
        QCOMPARE(error.Message(), "Cannot create " + drive.DataDir());
    }
    QCOMPARE(FileBytes(drive.DataDir()), QByteArray("not a folder"));
}

void TestDataModule::damagedDatabaseIsReportedAndKept_data()
{
    QTest::addColumn<QByteArray>("content");

    QByteArray truncated;
    {
        TTempDrive drive;
        Tdm data;
        data.DataModuleCreate();
        TSqliteDatabase db(drive.DataDir() + "/velmo.db");
        db.Execute("INSERT INTO t_scg VALUES (1, 'Tools', 3)");
        truncated = FileBytes(drive.DataDir() + "/velmo.db");
        truncated.truncate(truncated.size() / 2 + 100);
    }
    QTest::newRow("not a database") << QByteArray(8192, 'Z');
    QTest::newRow("truncated") << truncated;
}

void TestDataModule::damagedDatabaseIsReportedAndKept()
{
    QFETCH(QByteArray, content);
    TTempDrive drive;
    const QString path = drive.WriteFile("data/velmo.db", content);

    Tdm data;
    try {
        data.DataModuleCreate();
        QFAIL("a damaged catalogue must be reported");
    } catch (const EVelmoError& error) {
        QVERIFY2(error.Message().startsWith("Cannot open the catalogue " + path + ": "),
                 qPrintable(error.Message()));
    }
    QCOMPARE(FileBytes(path), content);
}

void TestDataModule::picturesAreThere()
{
    Tdm data;
    QCOMPARE(data.ImageList1.Count(), 45);
    QCOMPARE(data.ImageList2.Count(), 4);
    for (const QPixmap& bitmap :
         {data.MissingBitmap, data.BatBitmap, data.ComBitmap, data.OtherBitmap}) {
        QCOMPARE(bitmap.size(), QSize(32, 32));
        QVERIFY(!bitmap.isNull());
    }
}

QTEST_MAIN(TestDataModule)
#include "tst_datamodule.moc"
