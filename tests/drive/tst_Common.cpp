#include "TestSupport.h"
#include "uCommon.h"
#include "uEnvironment.h"
#include "uError.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr auto ReadOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr auto Executable = ReadOnly | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                            QFileDevice::ExeGroup | QFileDevice::ExeOther;

void MakeExecutable(const QString& path)
{
    QFile::setPermissions(path, Executable);
}

} // namespace

class TestCommon : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void runProgram_data();
    void runProgram();
    void runProgramStartsARealProgram();
    void deleteTree_data();
    void deleteTree();
    void getFileTitle_data();
    void getFileTitle();

private:
    // "<drive>" and "<bin>" (the fake tools' folder) put in.
    QString Placed(QString text) const;
    QStringList Placed(const QStringList& texts) const;

    std::unique_ptr<TTempDrive> m_drive;
    TEnvironment m_env;
    QTemporaryDir m_tools;
    QByteArray m_path;
};

void TestCommon::init()
{
    m_drive = std::make_unique<TTempDrive>();
    Env = &m_env;
    m_path = qgetenv("PATH");
}

void TestCommon::cleanup()
{
    qputenv("PATH", m_path);
    Env = nullptr;
    m_drive.reset();
}

QString TestCommon::Placed(QString text) const
{
    return text.replace("<drive>", m_drive->Root()).replace("<bin>", m_tools.path() + "/bin");
}

QStringList TestCommon::Placed(const QStringList& texts) const
{
    QStringList placed;
    for (const QString& text : texts)
        placed << Placed(text);
    return placed;
}

void TestCommon::runProgram_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<bool>("wine");        // a wine on the PATH
    QTest::addColumn<QString>("failWith"); // what the launcher answers
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("error"); // empty: started

    const QString edit = "%removedrive%/Apps/Edit/edit.exe";
    const QStringList editAlone{"<drive>/Apps/Edit/edit.exe"};
    QTest::newRow("Windows program through wine")
        << edit << "" << true << ""
        << "<bin>/wine" << editAlone << "<drive>/Apps/Edit/"
        << "";
    QTest::newRow(".BAT through wine")
        << "%removedrive%/Apps/run.BAT"
        << "-x" << true << ""
        << "<bin>/wine" << QStringList{"<drive>/Apps/run.BAT", "-x"} << "<drive>/Apps/"
        << "";
    QTest::newRow(".com through wine")
        << "%removedrive%/Apps/old.com"
        << "" << true << ""
        << "<bin>/wine" << QStringList{"<drive>/Apps/old.com"} << "<drive>/Apps/"
        << "";
    QTest::newRow("leading reference in the parameters")
        << edit << "%removedrive%/Docs/a.txt" << true << ""
        << "<bin>/wine" << QStringList{editAlone[0], "<drive>/Docs/a.txt"} << "<drive>/Apps/Edit/"
        << "";
    QTest::newRow("later reference in the parameters stays")
        << edit << "/f %removedrive%/Docs/a.txt" << true << ""
        << "<bin>/wine" << QStringList{editAlone[0], "/f", "%removedrive%/Docs/a.txt"}
        << "<drive>/Apps/Edit/"
        << "";
    QTest::newRow("quotes and blanks")
        << edit << R"("C:\Program Files\a b.txt"  -o  "x y" "say """hi"""")" << true << ""
        << "<bin>/wine"
        << QStringList{editAlone[0], R"(C:\Program Files\a b.txt)", "-o", "x y", R"(say "hi")"}
        << "<drive>/Apps/Edit/"
        << "";
    QTest::newRow("shell syntax is plain text")
        << "%removedrive%/bin/tool"
        << "; rm -rf ~ $(touch x) `id` | cat && echo $HOME" << false << ""
        << "<drive>/bin/tool" << QStringList{";",    "rm", "-rf", "~",  "$(touch", "x)",
                                             "`id`", "|",  "cat", "&&", "echo",    "$HOME"}
        << "<drive>/bin/"
        << "";
    QTest::newRow("native program started directly")
        << "%removedrive%/bin/tool"
        << "-v" << true << ""
        << "<drive>/bin/tool" << QStringList{"-v"} << "<drive>/bin/"
        << "";
    QTest::newRow("document through the desktop's open")
        << "%removedrive%/Docs/a.txt"
        << "-p" << true << ""
        << "<bin>/xdg-open" << QStringList{"<drive>/Docs/a.txt"} << "<drive>/Docs/"
        << "";
    QTest::newRow("folder through the desktop's open")
        << "%removedrive%/Docs"
        << "" << true << ""
        << "<bin>/xdg-open" << QStringList{"<drive>/Docs"} << "<drive>/"
        << "";

    QTest::newRow("Windows program without wine")
        << edit << "" << false << ""
        << "" << QStringList() << ""
        << "Cannot start <drive>/Apps/Edit/edit.exe: wine is not installed (it runs Windows "
           "programs)";
    QTest::newRow("missing file") << "%removedrive%/Apps/gone.exe"
                                  << "" << true << ""
                                  << "" << QStringList() << ""
                                  << "Cannot start <drive>/Apps/gone.exe: the file does not exist";
    QTest::newRow("native program without the execute bit")
        << "%removedrive%/bin/noexec"
        << "" << true << ""
        << "" << QStringList() << ""
        << "Cannot start <drive>/bin/noexec: the program may not be executed on its drive, "
           "which is mounted without execute permission (as FAT32 drives often are, with "
           "\"showexec\"); copy it to another drive, or mount the drive with \"exec\"";
    QTest::newRow("start fails") << "%removedrive%/bin/tool"
                                 << "" << true << "Permission denied"
                                 << "<drive>/bin/tool" << QStringList() << "<drive>/bin/"
                                 << "Cannot start <drive>/bin/tool: Permission denied";
}

void TestCommon::runProgram()
{
    QFETCH(QString, fileName);
    QFETCH(QString, parameters);
    QFETCH(bool, wine);
    QFETCH(QString, failWith);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, folder);
    QFETCH(QString, error);

    qputenv("removedrive", QFile::encodeName(m_drive->Root()));
    for (const char* file : {"Apps/Edit/edit.exe", "Apps/run.BAT", "Apps/old.com", "Docs/a.txt"})
        m_drive->WriteFile(file);
    MakeExecutable(m_drive->WriteFile("bin/tool", "#!/bin/sh\n"));
    m_drive->WriteFile("bin/noexec", "\x7f"
                                     "ELF\x02\x01\x01");
    const QString bin = m_tools.path() + "/bin";
    QDir().mkpath(bin);
    QFile::remove(bin + "/wine");
    for (const QString& tool : wine ? QStringList{"wine", "xdg-open"} : QStringList{"xdg-open"}) {
        QFile script(bin + '/' + tool);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n");
        script.close();
        MakeExecutable(script.fileName());
    }
    qputenv("PATH", QFile::encodeName(bin));
    m_drive->Launcher->FailWith = failWith;

    QString raised;
    try {
        RunProgram(fileName, parameters);
    } catch (const EVelmoError& e) {
        raised = e.Message();
    }
    QCOMPARE(raised, Placed(error));
    if (program.isEmpty()) {
        QVERIFY(m_drive->Launcher->Launches.isEmpty());
        return;
    }
    QCOMPARE(m_drive->Launcher->Launches.size(), 1);
    const TRecordedLaunch& launch = m_drive->Launcher->Launches.first();
    QCOMPARE(launch.Program, Placed(program));
    QCOMPARE(launch.Arguments, Placed(arguments));
    QCOMPARE(launch.WorkingFolder, Placed(folder));
}

void TestCommon::runProgramStartsARealProgram()
{
    // The program waits until the test has seen the starting process end, then reports where
    // it ran and what it was given.
    const QString folder = m_drive->Root() + "/程序 dir";
    const QString report = m_drive->WriteFile("程序 dir/report.sh", R"(#!/bin/sh
i=0
while [ ! -e go ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done
{ [ -e go ] && echo outlived || echo 'gave up waiting'; pwd; printf '%s\n' "$@"; } > out.tmp
mv out.tmp out
)");
    MakeExecutable(report);
    const QString parameters = R"("two words" 'single' ; touch injected $(touch injected2))";

    QProcess helper;
    helper.start(QCoreApplication::applicationDirPath() + "/run_program_helper",
                 {report, parameters});
    QVERIFY(helper.waitForFinished(10000));
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(helper.exitCode(), 0);
    QVERIFY(!QFile::exists(folder + "/out"));
    m_drive->WriteFile("程序 dir/go");

    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder + "/out"), 15000);
    QFile out(folder + "/out");
    QVERIFY(out.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(out.readAll()).split('\n', Qt::SkipEmptyParts);
    const QStringList expected{"outlived",  QDir(folder).canonicalPath(),
                               "two words", "'single'",
                               ";",         "touch",
                               "injected",  "$(touch",
                               "injected2)"};
    QCOMPARE(lines, expected);
    QVERIFY(!QFile::exists(folder + "/injected"));
    QVERIFY(!QFile::exists(folder + "/injected2"));
}

void TestCommon::deleteTree_data()
{
    // Layout entries: "path" a file, "path/" a folder, "!path" a file that grants nobody write
    // access, "path>target" a symbolic link; paths are inside the drive.
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<QString>("argument"); // inside the drive; "<drive>" for the drive
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<QStringList>("gone");

    const QStringList tree{"T/a.txt", "T/.hidden", "T/.config/", "T/sub/deeper/b.txt", "T/empty/"};
    QTest::newRow("hidden files and nested folders")
        << tree << "T" << true << QStringList() << QStringList{"T"};
    QTest::newRow("same with a trailing /")
        << tree << "T/" << true << QStringList() << QStringList{"T"};

    const QStringList readOnly{"T/a", "T/keep/other.txt", "!T/keep/ro.txt", "T/gone/x"};
    const QStringList stays{"T/keep/ro.txt"};
    const QStringList goes{"T/a", "T/keep/other.txt", "T/gone"};
    QTest::newRow("read-only file") << readOnly << "T" << false << stays << goes;
    QTest::newRow("read-only file, trailing /") << readOnly << "T/" << false << stays << goes;

    QTest::newRow("missing folder")
        << QStringList() << "nothing" << false << QStringList() << QStringList();
    QTest::newRow("a file, not a folder")
        << QStringList{"T/a"} << "T/a" << false << QStringList{"T/a"} << QStringList();

    const QStringList outside{"Outside/precious.txt", "Outside/sub/more.txt"};
    QTest::newRow("links out of the tree") << QStringList{"Outside/precious.txt",
                                                          "Outside/sub/more.txt",
                                                          "T/x",
                                                          "T/folderlink>Outside",
                                                          "T/filelink>Outside/precious.txt",
                                                          "T/broken>Outside/none"}
                                           << "T" << true << outside << QStringList{"T"};
    QTest::newRow("the folder is a link")
        << QStringList{"Outside/precious.txt", "Outside/sub/more.txt", "T>Outside"} << "T/" << true
        << outside << QStringList{"T"};

    QTest::newRow("Chinese names") << QStringList{"程序/工具/說明.txt", "程序/.隱藏", "程序/空/"}
                                   << "程序" << true << QStringList() << QStringList{"程序"};

    const QStringList untouched{"T/a"};
    QTest::newRow("empty path") << untouched << "" << false << untouched << QStringList();
    QTest::newRow("filesystem root")
        << untouched << "<drive>" << false << untouched << QStringList();
    QTest::newRow("filesystem root with /")
        << untouched << "<drive>/" << false << untouched << QStringList();
    const QStringList catalogue{"Apps/Velmo/data/catalogue.db", "Apps/other.txt"};
    QTest::newRow("folder holding the data folder")
        << catalogue << "Apps" << false << catalogue << QStringList();
    QTest::newRow("the data folder itself")
        << catalogue << "Apps/Velmo/data" << false << catalogue << QStringList();
}

void TestCommon::deleteTree()
{
    QFETCH(QStringList, layout);
    QFETCH(QString, argument);
    QFETCH(bool, result);
    QFETCH(QStringList, remaining);
    QFETCH(QStringList, gone);

    const QString root = m_drive->Root() + '/';
    m_drive->SetProgramPath(root + "Apps/Velmo/velmo");
    for (const QString& entry : layout) {
        if (entry.endsWith('/')) {
            QVERIFY(QDir().mkpath(root + entry));
        } else if (entry.contains('>')) {
            const QString link = root + entry.section('>', 0, 0);
            QDir().mkpath(QFileInfo(link).absolutePath());
            QVERIFY(QFile::link(root + entry.section('>', 1), link));
        } else if (entry.startsWith('!')) {
            QVERIFY(QFile::setPermissions(m_drive->WriteFile(entry.mid(1)), ReadOnly));
        } else {
            m_drive->WriteFile(entry);
        }
    }
    const QString path =
        argument.isEmpty()
            ? QString()
            : Placed(argument.startsWith("<drive>") ? argument : "<drive>/" + argument);
    QCOMPARE(DeleteTree(path), result);
    for (const QString& entry : remaining)
        QVERIFY2(QFileInfo::exists(root + entry), qPrintable(entry));
    for (const QString& entry : gone)
        QVERIFY2(!QFileInfo(root + entry).exists() && !QFileInfo(root + entry).isSymLink(),
                 qPrintable(entry));
}

void TestCommon::getFileTitle_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("path") << "/media/STICK/Apps/Editor.exe"
                          << "Editor";
    QTest::newRow("last extension only") << "setup.en.exe"
                                         << "setup.en";
    QTest::newRow("archive") << "archive.tar.gz"
                             << "archive.tar";
    QTest::newRow("no extension") << "README"
                                  << "README";
    QTest::newRow("only a leading dot") << ".profile"
                                        << "";
    QTest::newRow("dot in a folder name") << "/opt/app.d/run"
                                          << "run";
    QTest::newRow("Chinese") << "/media/STICK/游戏/三国.exe"
                             << "三国";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCommon::getFileTitle()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(GetFileTitle(path), title);
}

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_Common.moc"
