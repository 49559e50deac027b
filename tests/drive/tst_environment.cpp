#include "TestSupport.h"
#include "uEnvironment.h"
#include "uEnvironmentFile.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestEnvironment : public QObject {
    Q_OBJECT

private slots:
    void expandsLeadingReferenceOnly_data();
    void expandsLeadingReferenceOnly();
    void expandStringFollowsWindowsRules_data();
    void expandStringFollowsWindowsRules();
    void definesRemoveDriveOnFirstNeed();
    void keepsDefinedRemoveDrive();
    void setVariableFailsWithoutEnvironmentFolder();

private:
    static QByteArray EnvironmentFileContent();
};

void TestEnvironment::expandsLeadingReferenceOnly_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expanded");

    QTest::newRow("leading reference") << "%removedrive%/Apps/a.exe"
                                       << "/media/G/Apps/a.exe";
    QTest::newRow("reference alone") << "%removedrive%"
                                     << "/media/G";
    QTest::newRow("names without regard to case") << "%REMOVEDRIVE%/a.exe"
                                                  << "/media/G/a.exe";
    QTest::newRow("any variable") << "%VELMO_TEST_ROOT%/notepad.exe"
                                  << "/opt/win/notepad.exe";
    QTest::newRow("second reference left alone") << "%removedrive%/%VELMO_TEST_ROOT%/a.exe"
                                                 << "/media/G/%VELMO_TEST_ROOT%/a.exe";
    QTest::newRow("undefined name") << "%NOSUCHVAR%/a.exe"
                                    << "%NOSUCHVAR%/a.exe";
    QTest::newRow("no closing percent") << "%removedrive/a.exe"
                                        << "%removedrive/a.exe";
    QTest::newRow("lone percent") << "%"
                                  << "%";
    QTest::newRow("empty path") << ""
                                << "";
    QTest::newRow("blank before the percent") << " %removedrive%/a.exe"
                                              << " %removedrive%/a.exe";
    QTest::newRow("plain path") << "/usr/bin/x"
                                << "/usr/bin/x";
    QTest::newRow("chinese after the reference") << QString::fromUtf8("%removedrive%/软件/三国.exe")
                                                 << QString::fromUtf8("/media/G/软件/三国.exe");
    QTest::newRow("chinese value")
        << QString::fromUtf8("%VELMO_TEST_CN%/a") << QString::fromUtf8("/media/软件/a");
}

void TestEnvironment::expandsLeadingReferenceOnly()
{
    QFETCH(QString, stored);
    QFETCH(QString, expanded);
    TTempDrive drive;
    qputenv("removedrive", "/media/G");
    qputenv("VELMO_TEST_ROOT", "/opt/win");
    qputenv("VELMO_TEST_CN", QString::fromUtf8("/media/软件").toLocal8Bit());

    QCOMPARE(TEnvironment().ExpandPath(stored), expanded);
}

void TestEnvironment::expandStringFollowsWindowsRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expanded");

    QTest::newRow("every reference") << "%A%-%A%"
                                     << "1-1";
    QTest::newRow("undefined stays, percent signs included") << "x%NOPE%y"
                                                             << "x%NOPE%y";
    QTest::newRow("after an undefined name") << "%NOPE%%A%"
                                             << "%NOPE%1";
    QTest::newRow("values are not expanded again") << "%LOOP%"
                                                   << "%A%";
    QTest::newRow("double percent") << "100%%"
                                    << "100%%";
}

void TestEnvironment::expandStringFollowsWindowsRules()
{
    QFETCH(QString, text);
    QFETCH(QString, expanded);
    qputenv("A", "1");
    qputenv("LOOP", "%A%");
    qunsetenv("NOPE");

    QCOMPARE(TEnvironment().ExpandString(text), expanded);
}

QByteArray TestEnvironment::EnvironmentFileContent()
{
    QFile file(TEnvironmentFile::UserFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestEnvironment::definesRemoveDriveOnFirstNeed()
{
    TTempDrive drive;
    drive.SetProgramPath(drive.Root() + "/Tools/velmo");
    TEnvironment environment;

    QCOMPARE(environment.GetRemoveDrive(), drive.Root());
    QCOMPARE(qEnvironmentVariable("removedrive"), drive.Root());
    QCOMPARE(EnvironmentFileContent(), "removedrive=\"" + drive.Root().toUtf8() + "\"\n");
    QCOMPARE(drive.SessionBus->Announcements, QStringList{"removedrive=" + drive.Root()});

    // Defined now: a second call writes and announces nothing.
    QFile::remove(TEnvironmentFile::UserFilePath());
    QCOMPARE(environment.GetRemoveDrive(), drive.Root());
    QVERIFY(!QFile::exists(TEnvironmentFile::UserFilePath()));
    QCOMPARE(drive.SessionBus->Announcements.size(), 1);
}

void TestEnvironment::keepsDefinedRemoveDrive()
{
    TTempDrive drive;
    qputenv("removedrive", "/media/alice/OTHER");

    QCOMPARE(TEnvironment().GetRemoveDrive(), QString("/media/alice/OTHER"));
    QVERIFY(!QFile::exists(TEnvironmentFile::UserFilePath()));
    QVERIFY(drive.SessionBus->Announcements.isEmpty());
}

void TestEnvironment::setVariableFailsWithoutEnvironmentFolder()
{
    TTempDrive drive;
    QFile blocker(drive.ConfigHome() + "/environment.d");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QVERIFY(!TEnvironment().SetVariable("removedrive", "/x", true));
    QVERIFY(qEnvironmentVariableIsEmpty("removedrive"));
    QVERIFY(drive.SessionBus->Announcements.isEmpty());
    // Still undefined: the program's drive is returned and will be tried again next time.
    QCOMPARE(TEnvironment().GetRemoveDrive(), drive.Root());
}

QTEST_GUILESS_MAIN(TestEnvironment)
#include "tst_environment.moc"
