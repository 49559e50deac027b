// How long taking a program's icon takes: LoadIcon on each Windows program of wine (or the
// files named on the command line), the file cache warm.
#include "uEnvironment.h"
#include "uShortCut.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    TEnvironment environment;
    Env = &environment;
    QStringList programs = application.arguments().mid(1);
    if (programs.isEmpty()) {
        const QDir wine("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows");
        for (const QString& name : wine.entryList({"*.exe"}, QDir::Files))
            programs << wine.filePath(name);
    }
    QTextStream out(stdout);
    if (programs.isEmpty()) {
        out << "no programs to read (install libwine, or name .exe files)\n";
        return 1;
    }
    constexpr int rounds = 20;
    qint64 bytes = 0;
    for (const QString& program : programs)
        bytes += QFileInfo(program).size();
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < rounds; ++round) {
        for (const QString& program : programs) {
            TQShortCut shortCut;
            shortCut.FileName = program;
            shortCut.LoadIcon();
        }
    }
    const double perIcon = double(timer.nsecsElapsed()) / 1000.0 / double(rounds * programs.size());
    out << programs.size() << " programs (" << bytes / 1024 << " KiB in all): " << perIcon
        << " us per LoadIcon\n";
    return 0;
}
