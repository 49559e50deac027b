// Times the folder search against GNU find on the same tree, mask and depth, warm cache for
// both, and prints the medians and their ratio (below 1: the search is faster).
#include "GnuFind.h"
#include "uSearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr int Repetitions = 7;

// 100 folders of 10 subfolders of 100 files (one in ten an ".exe"), and a hidden folder.
void BuildTree(const QString& root)
{
    for (int top = 0; top < 100; ++top) {
        for (int sub = 0; sub < 10; ++sub) {
            const QString folder = QString("%1/App%2/Part%3").arg(root).arg(top).arg(sub);
            QDir().mkpath(folder);
            for (int file = 0; file < 100; ++file) {
                const QString suffix = file % 10 == 0 ? ".EXE" : ".dat";
                QFile(QString("%1/file%2%3").arg(folder).arg(file).arg(suffix))
                    .open(QIODevice::WriteOnly);
            }
        }
    }
    QDir().mkpath(root + "/.hidden");
    QFile(root + "/.hidden/skipped.exe").open(QIODevice::WriteOnly);
}

double MedianMilliseconds(const std::function<void()>& run)
{
    run(); // warms the cache
    std::vector<double> times;
    for (int i = 0; i < Repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The plainest find with the same mask and depth (hidden folders entered, any kind of entry).
QStringList PlainArguments(const TSearchInfo& info)
{
    return GnuFindDepthArguments(info) << "-iname" << info.FileMask;
}

qsizetype CountFoundByFind(const QStringList& arguments)
{
    QProcess find;
    find.start("find", arguments);
    find.waitForFinished(-1);
    return find.readAllStandardOutput().count('\n');
}

void Compare(QTextStream& out, const QString& label, const TSearchInfo& info)
{
    qsizetype found = 0;
    const double search = MedianMilliseconds([&] {
        QStringList list;
        SearchFiles(info, list);
        found = list.size();
    });
    qsizetype foundByFind = 0;
    const QStringList same = GnuFindArguments(info, "-print");
    const double find = MedianMilliseconds([&] { foundByFind = CountFoundByFind(same); });
    const QStringList plain = PlainArguments(info);
    const double plainFind = MedianMilliseconds([&] { CountFoundByFind(plain); });
    out << qSetFieldWidth(32) << Qt::left << label << qSetFieldWidth(0) << Qt::right
        << QString::asprintf("search %6.1f ms (%6lld)  find %6.1f ms (%6lld) ratio %.2f  "
                             "plain find %6.1f ms ratio %.2f",
                             search, static_cast<long long>(found), find,
                             static_cast<long long>(foundByFind), search / find, plainFind,
                             search / plainFind)
        << Qt::endl;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir temp;
    const QString tree = temp.path() + "/tree";
    out << "building 100,000 files under " << tree << " ..." << Qt::endl;
    BuildTree(tree);
    out << "median of " << Repetitions
        << " warm runs, files found in brackets; ratio = search / find" << Qt::endl;

    Compare(out, "tree, *.exe, all subfolders", {tree, "*.exe", false, true, 0});
    Compare(out, "tree, *.exe, n = 1", {tree, "*.exe", true, false, 1});
    Compare(out, "tree, *, all subfolders", {tree, "*", false, true, 0});
    if (QDir("/usr").exists()) {
        Compare(out, "/usr, *.so*, all subfolders", {"/usr", "*.so*", false, true, 0});
        Compare(out, "/usr, *, all subfolders", {"/usr", "*", false, true, 0});
        Compare(out, "/usr, *.h, n = 2", {"/usr", "*.h", true, false, 2});
    }
    return 0;
}
