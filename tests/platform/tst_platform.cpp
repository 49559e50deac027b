#include "TestSupport.h"
#include "uEnvironmentFile.h"
#include "uError.h"
#include "uMachineSettings.h"
#include "uMountTable.h"
#include "uSingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void parsesMountInfo_data();
    void parsesMountInfo();
    void findsMountPointOfPath_data();
    void findsMountPointOfPath();
    void environmentFileReadsBackThroughSystemd_data();
    void environmentFileReadsBackThroughSystemd();
    void environmentFileKeepsOtherLines();
    void environmentFileFailures();
    void singleInstanceLockIsExclusive();
    void machineSettingsKeepMin();
    void machineSettingsReportWriteFailure();
};

void TestPlatform::parsesMountInfo_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("mountPoint");
    QTest::addColumn<QString>("fsType");
    QTest::addColumn<QString>("source");

    QTest::newRow("root") << QByteArray("22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw")
                          << "/"
                          << "ext4"
                          << "/dev/sda1";
    QTest::newRow("no optional fields")
        << QByteArray("30 22 8:17 / /mnt/usb rw - vfat /dev/sdb1 rw") << "/mnt/usb"
        << "vfat"
        << "/dev/sdb1";
    QTest::newRow("escaped blank, tab, newline, backslash")
        << QByteArray(
               "31 22 8:17 / /media/a\\040b\\011c\\012d\\134e rw shared:5 - vfat /dev/sdb1 rw")
        << "/media/a b\tc\nd\\e"
        << "vfat"
        << "/dev/sdb1";
    QTest::newRow("chinese")
        << QByteArray("32 22 8:17 / /media/alice/\xe8\xbd\xaf\xe4\xbb\xb6 rw - exfat /dev/sdc1 rw")
        << QString::fromUtf8("/media/alice/软件") << "exfat"
        << "/dev/sdc1";
}

void TestPlatform::parsesMountInfo()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, mountPoint);
    QFETCH(QString, fsType);
    QFETCH(QString, source);

    const QList<TMountEntry> entries = ParseMountInfo("not a mount line\n" + line + "\n\n");
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0].MountPoint, mountPoint);
    QCOMPARE(entries[0].FsType, fsType);
    QCOMPARE(entries[0].Source, source);
}

void TestPlatform::findsMountPointOfPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("mountPoint");

    QTest::newRow("inside a stick") << "/media/alice/STICK/Apps/x"
                                    << "/media/alice/STICK";
    QTest::newRow("the stick itself") << "/media/alice/STICK"
                                      << "/media/alice/STICK";
    QTest::newRow("a longer name is another folder") << "/media/alice/STICKER/x"
                                                     << "/";
    QTest::newRow("nested mount wins") << "/media/alice/STICK/inner/a"
                                       << "/media/alice/STICK/inner";
    QTest::newRow("root filesystem") << "/home/alice/x"
                                     << "/";
}

void TestPlatform::findsMountPointOfPath()
{
    QFETCH(QString, path);
    QFETCH(QString, mountPoint);

    const QList<TMountEntry> mounts = {{"/", "ext4", "/dev/sda1"},
                                       {"/media/alice/STICK", "vfat", "/dev/sdb1"},
                                       {"/media/alice/STICK/inner", "ext4", "/dev/sdc1"}};
    QCOMPARE(MountPointOf(mounts, path), mountPoint);
}

void TestPlatform::environmentFileReadsBackThroughSystemd_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("plain") << "/media/alice/STICK";
    QTest::newRow("blank") << "/media/alice/MY STICK";
    QTest::newRow("dollar") << "/media/alice/$HOME$$x";
    QTest::newRow("backslash") << "/media/alice/a\\b";
    QTest::newRow("quotes and backtick") << "/media/\"a\"/'b'/`c`";
    QTest::newRow("chinese") << QString::fromUtf8("/media/alice/软件盘");
}

void TestPlatform::environmentFileReadsBackThroughSystemd()
{
    QFETCH(QString, value);
    const QString generator =
        "/usr/lib/systemd/user-environment-generators/30-systemd-environment-d-generator";
    if (!QFile::exists(generator))
        QSKIP("systemd's environment.d generator is not installed");

    TTempDrive drive;
    TEnvironmentFile(TEnvironmentFile::UserFilePath()).Write("removedrive", value);

    // The generator prints shell assignments; let a shell read the value back from them.
    QProcess shell;
    QProcessEnvironment environment;
    environment.insert("XDG_CONFIG_HOME", drive.ConfigHome());
    environment.insert("HOME", QDir::homePath());
    shell.setProcessEnvironment(environment);
    shell.start("/bin/sh", {"-c", "eval \"$(\"$0\")\"; printf %s \"$removedrive\"", generator});
    QVERIFY(shell.waitForFinished());
    QCOMPARE(QString::fromUtf8(shell.readAllStandardOutput()), value);
}

void TestPlatform::environmentFileKeepsOtherLines()
{
    TTempDrive drive;
    const QString path = TEnvironmentFile::UserFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile seeded(path);
    QVERIFY(seeded.open(QIODevice::WriteOnly));
    seeded.write("OTHER=1\nremovedrive=\"/old\"\n");
    seeded.close();

    const TEnvironmentFile file(path);
    QVERIFY(file.Write("removedrive", "/new"));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("OTHER=1\nremovedrive=\"/new\"\n"));
}

void TestPlatform::environmentFileFailures()
{
    TTempDrive drive;
    const QString path = TEnvironmentFile::UserFilePath();
    const QString folder = QFileInfo(path).absolutePath();

    // A file where the folder should be: the environment cannot be opened, nothing is written.
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!TEnvironmentFile(path).Write("removedrive", "/x"));

    // A folder where the file should be: the write itself fails, with the registry's text.
    QVERIFY(QFile::remove(folder));
    QVERIFY(QDir().mkpath(path));
    try {
        TEnvironmentFile(path).Write("removedrive", "/x");
        QFAIL("the write should have failed");
    } catch (const EVelmoError& error) {
        QCOMPARE(error.Message(), QString("Failed to set data for 'removedrive'"));
    }
}

void TestPlatform::singleInstanceLockIsExclusive()
{
    TTempDrive drive;
    QVERIFY(
        TSingleInstanceLock::LockFilePath().startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR")));
    {
        TSingleInstanceLock first;
        QVERIFY(first.Acquire());
        TSingleInstanceLock second;
        QVERIFY(!second.Acquire());
    }
    TSingleInstanceLock afterFirstEnded;
    QVERIFY(afterFirstEnded.Acquire());
}

void TestPlatform::machineSettingsKeepMin()
{
    TTempDrive drive;
    const TMachineSettings settings;
    QCOMPARE(settings.ReadMin(), QString());
    settings.WriteMin("1");
    QCOMPARE(settings.ReadMin(), QString("1"));
    QVERIFY(TMachineSettings::FilePath().startsWith(drive.ConfigHome()));
}

void TestPlatform::machineSettingsReportWriteFailure()
{
    TTempDrive drive;
    QFile blocker(drive.ConfigHome() + "/velmo");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY_THROWS_EXCEPTION(EVelmoError, TMachineSettings().WriteMin("1"));
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
