#include "GnuFind.h"
#include "uSearch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TSearchInfo)

namespace {

// Root reads every folder whatever its mode. For the life of this object the calling thread
// gives up the two capabilities that let it, so a locked folder is locked for the search too.
class TWithoutReadOverride {
public:
    TWithoutReadOverride()
    {
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH);
        m_lowered = syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~TWithoutReadOverride()
    {
        if (m_lowered)
            syscall(SYS_capset, &m_header, m_saved);
    }
    TWithoutReadOverride(const TWithoutReadOverride&) = delete;
    TWithoutReadOverride& operator=(const TWithoutReadOverride&) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_lowered = false;
};

bool CanOpenFolder(const QString& path)
{
    DIR* dir = opendir(QFile::encodeName(path).constData());
    if (dir)
        closedir(dir);
    return dir != nullptr;
}

// Entries: "a/b.exe" a file (its folders made), "a/" a folder, "a -> target" a symbolic link.
void BuildTree(const QString& root, const QStringList& entries)
{
    for (const QString& entry : entries) {
        const QStringList link = entry.split(" -> ");
        const QString path = root + '/' + link.first();
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        if (link.size() == 2) {
            QVERIFY(QFile::link(link.last(), path));
        } else if (entry.endsWith('/')) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
}

TSearchInfo AllSubDirs(const QString& mask)
{
    return {"", mask, false, true, 0};
}

TSearchInfo ToDepth(int depth)
{
    return {"", "*.exe", true, false, depth};
}

TSearchInfo FolderOnly()
{
    return {"", "*.exe", false, false, 0};
}

// The files GNU find reports for the same choices.
QSet<QString> FoundByGnuFind(const TSearchInfo& info)
{
    const QStringList arguments = GnuFindArguments(info, "-print0");
    QProcess find;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    find.setProcessEnvironment(environment);
    find.start("find", arguments);
    if (!find.waitForFinished(120000))
        qFatal("find did not finish");
    QSet<QString> paths;
    const QList<QByteArray> lines = find.readAllStandardOutput().split('\0');
    for (const QByteArray& line : lines) {
        if (!line.isEmpty())
            paths.insert(QFile::decodeName(line));
    }
    return paths;
}

} // namespace

class TestSearch : public QObject {
    Q_OBJECT

private slots:
    void findsWhatTheChoicesAskFor_data();
    void findsWhatTheChoicesAskFor();
    void agreesWithGnuFind_data();
    void agreesWithGnuFind();
    void isDotDir();
};

void TestSearch::findsWhatTheChoicesAskFor_data()
{
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("folder"); // appended to the tree's root to give the folder text
    QTest::addColumn<TSearchInfo>("info");
    QTest::addColumn<QString>("locked"); // a folder of the tree made unreadable
    QTest::addColumn<QStringList>("expected");

    const QStringList apps{"a.exe", "readme.txt", "Sub/b.exe", "Sub/Deep/c.exe",
                           "Sub/Deep/Deeper/d.exe"};
    const QStringList all{"a.exe", "Sub/b.exe", "Sub/Deep/c.exe", "Sub/Deep/Deeper/d.exe"};
    QTest::newRow("all subfolders, own matches first, depth first")
        << apps << "" << AllSubDirs("*.exe") << "" << all;
    QTest::newRow("n = 0: the subfolders")
        << apps << "" << ToDepth(0) << "" << QStringList{"a.exe", "Sub/b.exe"};
    QTest::newRow("n = 1: two levels below")
        << apps << "" << ToDepth(1) << "" << QStringList{"a.exe", "Sub/b.exe", "Sub/Deep/c.exe"};
    QTest::newRow("n = 2: three levels below") << apps << "" << ToDepth(2) << "" << all;
    QTest::newRow("n = -1: the folder only")
        << apps << "" << ToDepth(-1) << "" << QStringList{"a.exe"};
    QTest::newRow("neither box: the folder only")
        << apps << "" << FolderOnly() << "" << QStringList{"a.exe"};
    QTest::newRow("trailing / changes nothing") << apps << "/" << AllSubDirs("*.exe") << "" << all;
    QTest::newRow("empty mask finds nothing")
        << apps << "" << AllSubDirs("") << "" << QStringList{};
    QTest::newRow("hidden file found, hidden folder not entered")
        << QStringList{".a.exe", ".Hidden/b.exe"} << "" << AllSubDirs("*.exe") << ""
        << QStringList{".a.exe"};
    QTest::newRow("hidden search folder searched")
        << QStringList{".Apps/a.exe", ".Apps/Sub/b.exe"} << "/.Apps" << AllSubDirs("*.exe") << ""
        << QStringList{".Apps/a.exe", ".Apps/Sub/b.exe"};
    QTest::newRow("folder x.exe entered, not matched")
        << QStringList{"x.exe/b.exe", "y.exe/"} << "" << AllSubDirs("*.exe") << ""
        << QStringList{"x.exe/b.exe"};
    const QStringList portable{"PORTABLE.exe", "portable.txt", "Tools/MyPortable.EXE",
                               "Tools/myportable.exe.bak", "Tools/tool.exe"};
    QTest::newRow("*portable*.exe in any letter case")
        << portable << "" << AllSubDirs("*portable*.exe") << ""
        << QStringList{"PORTABLE.exe", "Tools/MyPortable.EXE"};
    QTest::newRow("mask in capitals") << portable << "" << AllSubDirs("*PORTABLE*.EXE") << ""
                                      << QStringList{"PORTABLE.exe", "Tools/MyPortable.EXE"};
    QTest::newRow("? stands for one character")
        << QStringList{"a1.exe", "Sub/a12.exe", "Sub/Deep/a.exe"} << "" << AllSubDirs("a?.exe")
        << "" << QStringList{"a1.exe"};
    QTest::newRow("brackets stand for themselves")
        << QStringList{"setup[1].exe", "Sub/setup1.exe"} << "" << AllSubDirs("setup[1].exe") << ""
        << QStringList{"setup[1].exe"};
    QTest::newRow("link cycle ends") << QStringList{"Sub/b.exe", "Sub/Loop -> ..", "Sub/Self -> ."}
                                     << "" << AllSubDirs("*") << "" << QStringList{"Sub/b.exe"};
    QTest::newRow("link to a file found; links to folders and broken links not")
        << QStringList{"a.exe", "Bin/tool.exe -> ../a.exe", "Bin/Apps.exe -> ../Bin",
                       "Bin/gone.exe -> missing"}
        << "" << AllSubDirs("*.exe") << "" << QStringList{"a.exe", "Bin/tool.exe"};
    QTest::newRow("unreadable folder skipped, the search goes on")
        << QStringList{"a.exe", "Locked/b.exe", "Open/c.exe"} << "" << AllSubDirs("*.exe")
        << "Locked" << QStringList{"a.exe", "Open/c.exe"};
}

void TestSearch::findsWhatTheChoicesAskFor()
{
    QFETCH(QStringList, tree);
    QFETCH(QString, folder);
    QFETCH(TSearchInfo, info);
    QFETCH(QString, locked);
    QFETCH(QStringList, expected);

    QTemporaryDir temp;
    const QString root = temp.path();
    BuildTree(root, tree);
    TWithoutReadOverride withoutOverride;
    if (!locked.isEmpty()) {
        QVERIFY(QFile::setPermissions(root + '/' + locked, {}));
        if (CanOpenFolder(root + '/' + locked))
            QSKIP("this process reads folders whatever their mode (root with capabilities it "
                  "cannot give up)");
    }

    info.Path = root + folder;
    QStringList found;
    SearchFiles(info, found);

    if (!locked.isEmpty())
        QFile::setPermissions(root + '/' + locked,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QStringList relative;
    for (const QString& path : found)
        relative.append(path.startsWith(root + '/') ? path.mid(root.size() + 1) : path);
    QCOMPARE(relative, expected);
}

void TestSearch::agreesWithGnuFind_data()
{
    QTest::addColumn<TSearchInfo>("info");
    QTest::newRow("* everywhere") << AllSubDirs("*");
    QTest::newRow("*.H everywhere") << AllSubDirs("*.H");
    QTest::newRow("lib?*.so* everywhere") << AllSubDirs("lib?*.so*");
    QTest::newRow("*.PY n = 2") << TSearchInfo{"", "*.PY", true, false, 2};
    QTest::newRow("* n = 0") << TSearchInfo{"", "*", true, false, 0};
    QTest::newRow("*a* n = 3") << TSearchInfo{"", "*a*", true, false, 3};
}

void TestSearch::agreesWithGnuFind()
{
    QFETCH(TSearchInfo, info);
    info.Path = "/usr";
    const QSet<QString> expected = FoundByGnuFind(info);
    QVERIFY2(!expected.isEmpty(), "find found nothing: is it GNU find?");

    QStringList found;
    SearchFiles(info, found);
    const QSet<QString> foundSet(found.cbegin(), found.cend());
    QCOMPARE(found.size(), foundSet.size()); // no path twice
    QCOMPARE(foundSet - expected, QSet<QString>{});
    QCOMPARE(expected - foundSet, QSet<QString>{});
}

void TestSearch::isDotDir()
{
    QVERIFY(IsDotDir("."));
    QVERIFY(IsDotDir(".."));
    QVERIFY(!IsDotDir("..."));
    QVERIFY(!IsDotDir(".a"));
    QVERIFY(!IsDotDir(""));
}

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
