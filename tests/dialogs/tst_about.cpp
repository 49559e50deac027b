#include "About.h"
#include "TestMessenger.h"
#include "TestSupport.h"
#include "uVersionInfo.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationName("VELMO"); }
    void showsTheFourPartFileVersion();
    void linkOpensTheHelpPageOnce_data();
    void linkOpensTheHelpPageOnce();
    void closesWithoutOpeningAnything_data();
    void closesWithoutOpeningAnything();
    void helpPageIsShippedBesideTheProgram();
};

void TestAbout::showsTheFourPartFileVersion()
{
    TAboutBox box;
    const QString text = box.findChild<QLabel*>("Version")->text();
    QCOMPARE(text, QString("Version:") + VelmoFileVersion);
    QVERIFY(QRegularExpression("^Version:\\d+\\.\\d+\\.\\d+\\.\\d+$").match(text).hasMatch());
    QVERIFY(QString(VelmoProductVersion) != VelmoFileVersion);
}

void TestAbout::linkOpensTheHelpPageOnce_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("opened") << "" << QStringList();
    QTest::newRow("no browser") << "xdg-open: not found"
                                << QStringList("VELMO: xdg-open: not found.");
}

void TestAbout::linkOpensTheHelpPageOnce()
{
    QFETCH(QString, failure);
    QFETCH(QStringList, messages);
    TTempDrive drive;
    TMessengerScope messenger;
    drive.Launcher->FailWith = failure;
    TAboutBox box;
    box.show();
    box.findChild<QPushButton*>("RzURLLabel1")->click();

    QCOMPARE(drive.Launcher->Launches.size(), 1);
    const TRecordedLaunch& launch = drive.Launcher->Launches.first();
    QCOMPARE(launch.Program, QString("xdg-open"));
    QCOMPARE(launch.Arguments, QStringList(drive.Root() + "/help.html"));
    QCOMPARE(launch.WorkingFolder, QString());
    QCOMPARE(messenger.Messenger->TitledTexts(), messages);
    QVERIFY(box.isVisible());
}

void TestAbout::closesWithoutOpeningAnything_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("close button") << false;
    QTest::newRow("enter key") << true;
}

void TestAbout::closesWithoutOpeningAnything()
{
    QFETCH(bool, byKey);
    TTempDrive drive;
    TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    if (byKey)
        QTest::keyClick(&box, Qt::Key_Return);
    else
        box.findChild<QPushButton*>("OKButton")->click();
    QCOMPARE(box.result(), int(QDialog::Accepted));
    QVERIFY(!box.isVisible());
    QVERIFY(drive.Launcher->Launches.isEmpty());
}

void TestAbout::helpPageIsShippedBesideTheProgram()
{
    QFile page(VELMO_PROGRAM_FOLDER "/help.html");
    QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
    QVERIFY(QString::fromUtf8(page.readAll()).contains("VELMO"));
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
