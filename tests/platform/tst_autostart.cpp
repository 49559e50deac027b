#include "TestSupport.h"
#include "uAutostart.h"
#include "uError.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    void writeThenRemove();
    void removingAnAbsentEntryIsNoError();
    void writeFailureRaises();
    void entryPassesValidation_data();
    void entryPassesValidation();
    void execLineStartsTheProgram_data();
    void execLineStartsTheProgram();

private:
    static void addPathRows();
};

namespace {

QString ReadEntry()
{
    QFile file(TAutostartEntry::FilePath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A program that leaves a mark beside itself when it runs.
QString WriteMarkingProgram(const TTempDrive& drive, const QString& relativePath)
{
    const QString path = drive.WriteFile(relativePath, "#!/bin/sh\ntouch \"$0.started\"\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
}

} // namespace

void TestAutostart::writeThenRemove()
{
    TTempDrive drive;
    const TAutostartEntry entry;
    QVERIFY(!entry.Exists());
    entry.Write(drive.ProgramPath());
    QVERIFY(entry.Exists());
    QCOMPARE(TAutostartEntry::FilePath(), drive.ConfigHome() + "/autostart/velmo.desktop");
    const QString text = ReadEntry();
    QVERIFY(text.contains("\nExec=\"" + drive.ProgramPath() + "\"\n"));
    QVERIFY(text.contains("\nTryExec=" + drive.ProgramPath() + "\n"));
    entry.Remove();
    QVERIFY(!entry.Exists());
}

void TestAutostart::removingAnAbsentEntryIsNoError()
{
    TTempDrive drive;
    TAutostartEntry().Remove();
    QVERIFY(!TAutostartEntry().Exists());
}

void TestAutostart::writeFailureRaises()
{
    TTempDrive drive;
    // A file where the autostart folder belongs stops even root from writing the entry.
    QFile blocker(drive.ConfigHome() + "/autostart");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        TAutostartEntry().Write(drive.ProgramPath());
        QFAIL("no error raised");
    } catch (const EVelmoError& error) {
        QCOMPARE(error.Message(), QString("Failed to set data for 'velmo'"));
    }
}

void TestAutostart::addPathRows()
{
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("plain") << "Tools/start";
    QTest::newRow("blanks") << "My Tools/start here";
    QTest::newRow("chinese") << "軟件 工具/啟動";
    QTest::newRow("shell characters") << "q\"d$x `t` \\b 'a' (1);&|<>*?#~/start";
}

void TestAutostart::entryPassesValidation_data()
{
    addPathRows();
    QTest::newRow("percent") << "100%/start %f";
}

void TestAutostart::entryPassesValidation()
{
    QFETCH(QString, relativePath);
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        QSKIP("desktop-file-validate (desktop-file-utils) is not installed");
    TTempDrive drive;
    TAutostartEntry().Write(drive.Root() + '/' + relativePath);

    QProcess process;
    process.start(validator, {TAutostartEntry::FilePath()});
    QVERIFY(process.waitForFinished());
    const QString output = process.readAll();
    QVERIFY2(process.exitCode() == 0 && output.isEmpty(), qPrintable(output));
}

void TestAutostart::execLineStartsTheProgram_data()
{
    addPathRows();
}

void TestAutostart::execLineStartsTheProgram()
{
    QFETCH(QString, relativePath);
    // gio reads the entry with GLib's desktop-entry parser, as GNOME's session does.
    const QString gio = QStandardPaths::findExecutable("gio");
    if (gio.isEmpty())
        QSKIP("gio (libglib2.0-bin) is not installed");
    TTempDrive drive;
    const QString program = WriteMarkingProgram(drive, relativePath);
    TAutostartEntry().Write(program);

    QProcess process;
    process.start(gio, {"launch", TAutostartEntry::FilePath()});
    QVERIFY(process.waitForFinished());
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    QTRY_VERIFY(QFile::exists(program + ".started"));
}

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
