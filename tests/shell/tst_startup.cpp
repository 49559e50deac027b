#include "TestMessenger.h"
#include "TestSupport.h"
#include "uDataModule.h"
#include "uEnvironment.h"
#include "uFrmMain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

// The real program, copied onto a temporary drive so its data/ lands there.
class TProgramCopy {
public:
    explicit TProgramCopy(const TTempDrive& drive)
        : m_path(drive.Root() + "/velmo")
        , m_runtime(drive.Root() + "/../home/runtime")
    {
        QFile::copy(VELMO_PROGRAM, m_path);
    }

    QProcess* Start(QObject* owner) const
    {
        auto* process = new QProcess(owner);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_RUNTIME_DIR", m_runtime);
        process->setProcessEnvironment(environment);
        process->start(m_path, {});
        return process;
    }

private:
    QString m_path;
    QString m_runtime;
};

bool WaitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, 10000);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void decidesWhetherTheWindowShows_data();
    void decidesWhetherTheWindowShows();
    void titleNamesTheDrive_data();
    void titleNamesTheDrive();
    void environmentLivesWithTheWindow();
    void startUpErrorReachesTheErrorBox();
    void neverHidesWithoutTray();
    void secondCopyEndsAtOnce();
    void twoCopiesAtOnceLeaveOne();
};

void TestStartup::decidesWhetherTheWindowShows_data()
{
    QTest::addColumn<QString>("min");
    QTest::addColumn<bool>("trayAvailable");
    QTest::addColumn<bool>("shows");

    QTest::newRow("1 with a tray") << "1" << true << false;
    QTest::newRow("0") << "0" << true << true;
    QTest::newRow("absent") << "" << true << true;
    QTest::newRow("yes") << "yes" << true << true;
    QTest::newRow("1 with a blank") << "1 " << true << true;
    QTest::newRow("1 without a tray") << "1" << false << true;
}

void TestStartup::decidesWhetherTheWindowShows()
{
    QFETCH(QString, min);
    QFETCH(bool, trayAvailable);
    QFETCH(bool, shows);
    QCOMPARE(TfrmMain::ShouldShowAtStart(min, trayAvailable), shows);
}

void TestStartup::titleNamesTheDrive_data()
{
    QTest::addColumn<bool>("defined");
    QTest::addColumn<QString>("removedrive");
    QTest::addColumn<QString>("title");

    QTest::newRow("undefined: the program's drive") << false << ""
                                                    << "velmo portable drive:STICK";
    QTest::newRow("a stick") << true << "/media/alice/G"
                             << "velmo portable drive:G";
    QTest::newRow("the root") << true << "/"
                              << "velmo portable drive:/";
    QTest::newRow("empty") << true << ""
                           << "velmo portable drive:";
}

void TestStartup::titleNamesTheDrive()
{
    QFETCH(bool, defined);
    QFETCH(QString, removedrive);
    QFETCH(QString, title);
    TTempDrive drive;
    if (defined)
        qputenv("removedrive", removedrive.toLocal8Bit());
    Tdm data;
    data.DataModuleCreate();
    dm = &data;

    TfrmMain window;
    QCOMPARE(window.windowTitle(), title);
    dm = nullptr;
}

void TestStartup::environmentLivesWithTheWindow()
{
    TTempDrive drive;
    Tdm data;
    data.DataModuleCreate();
    dm = &data;
    {
        TfrmMain window;
        QVERIFY(Env != nullptr);
    }
    QVERIFY(Env == nullptr);
    dm = nullptr;
}

void TestStartup::startUpErrorReachesTheErrorBox()
{
    TTempDrive drive;
    TMessengerScope messages;
    drive.WriteFile("data", "not a folder");
    Tdm data;
    Guarded([&] { data.DataModuleCreate(); });

    QCOMPARE(messages.Messenger->Shown.size(), 1);
    QCOMPARE(messages.Messenger->Shown[0].Kind, TMessageKind::Error);
    QCOMPARE(messages.Messenger->Shown[0].Title, QString("VELMO"));
    QCOMPARE(messages.Messenger->Shown[0].Text, "Cannot create " + drive.DataDir() + ".");

    // Start-up goes on: the window still opens.
    dm = &data;
    TfrmMain window;
    window.show();
    QVERIFY(window.isVisible());
    dm = nullptr;
}

void TestStartup::neverHidesWithoutTray()
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        QSKIP("this platform has a tray");
    TTempDrive drive;
    Tdm data;
    data.DataModuleCreate();
    dm = &data;
    TfrmMain window;
    window.show();
    window.showMinimized();
    QTest::qWait(50);
    QVERIFY(window.isVisible());
    dm = nullptr;
}

void TestStartup::secondCopyEndsAtOnce()
{
    TTempDrive drive;
    const TProgramCopy program(drive);
    QProcess* first = program.Start(this);
    QVERIFY(WaitFor([&] { return QFile::exists(drive.DataDir() + "/velmo.db"); }));

    QProcess* second = program.Start(this);
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);

    first->kill();
    first->waitForFinished();
}

void TestStartup::twoCopiesAtOnceLeaveOne()
{
    TTempDrive drive;
    const TProgramCopy program(drive);
    QList<QProcess*> copies{program.Start(this), program.Start(this)};
    const auto running = [&] {
        return std::count_if(copies.begin(), copies.end(),
                             [](QProcess* p) { return p->state() == QProcess::Running; });
    };
    QVERIFY(WaitFor([&] { return running() == 1; }));
    QTest::qWait(500);
    QCOMPARE(running(), 1);
    for (QProcess* copy : copies) {
        copy->kill();
        copy->waitForFinished();
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
