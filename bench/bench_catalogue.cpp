// Times the catalogue operations that the windows and the tray menu use most, for catalogues of
// growing size, and prints how their cost grows. Measures only; there is nothing to pass.

#include "TestSupport.h"
#include "uDataModule.h"
#include "uEnvironment.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int CategoryCount = 20;
constexpr int ReadRepeats = 15;
constexpr int AddRepeats = 20;

struct TFigures {
    int ShortCuts = 0;
    double GetShortCuts = 0; // microseconds, median
    double GetShortCutsWithoutIndex = 0;
    double GetShortCutGroups = 0;
    double TrayRead = 0;
    double AddShortCut = 0;
};

double MedianMicroseconds(int repeats, const std::function<void(int)>& operation)
{
    std::vector<double> times;
    for (int repeat = 0; repeat < repeats; ++repeat) {
        QElapsedTimer timer;
        timer.start();
        operation(repeat);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QString CategoryName(int index)
{
    return QString::fromUtf8("\xe9\xa1\x9e\xe5\x88\xa5 %1").arg(index);
}

QByteArray Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Fills the catalogue in one transaction, as stored by AddShortCut: half the shortcuts are
// programs with a 32 x 32 picture, spread evenly over the categories.
void Fill(Tdm& store, const QString& filePath, int shortCuts)
{
    for (int index = 0; index < CategoryCount; ++index)
        store.AddShortCutGroup({CategoryName(index), index});
    TSqliteDatabase database(filePath);
    database.Execute("BEGIN");
    for (int index = 0; index < shortCuts; ++index) {
        const bool program = index % 2 == 0;
        const QString fileName = QString("%removedrive%/PortableApps/App%1/App%1%2")
                                     .arg(index)
                                     .arg(program ? ".exe" : ".bat");
        const QByteArray picture =
            program ? Png(store.ImageList1.Bitmap(index % Tdm::CategoryPictureCount).toImage())
                    : QByteArray();
        TSqliteStatement insert(database.Handle(), "INSERT INTO t_sc VALUES (?1, ?2, ?3, ?4, ?5)");
        insert.BindAll(CategoryName(index % CategoryCount), QString("App %1").arg(index), fileName,
                       QString("--portable"), picture);
        insert.Run();
    }
    database.Execute("COMMIT");
}

void TrayRead(Tdm& store)
{
    for (const TQShortCutGroup& group : store.GetShortCutGroups())
        store.GetShortCuts(group.GroupName);
}

TFigures Measure(int shortCuts)
{
    TTempDrive drive;
    Tdm store;
    store.DataModuleCreate();
    const QString filePath = store.DataDir + '/' + Tdm::DatabaseFileName();
    Fill(store, filePath, shortCuts);

    TFigures figures;
    figures.ShortCuts = shortCuts;
    const QString category = CategoryName(CategoryCount / 2);
    figures.GetShortCuts =
        MedianMicroseconds(ReadRepeats, [&](int) { store.GetShortCuts(category); });
    figures.GetShortCutGroups =
        MedianMicroseconds(ReadRepeats, [&](int) { store.GetShortCutGroups(); });
    figures.TrayRead = MedianMicroseconds(ReadRepeats, [&](int) { TrayRead(store); });
    const QString program = drive.WriteFile("PortableApps/New/New.exe");
    figures.AddShortCut = MedianMicroseconds(AddRepeats, [&](int repeat) {
        TQShortCut shortCut;
        shortCut.GroupName = category;
        shortCut.SCText = "New";
        shortCut.FileName = program + QString::number(repeat) + ".exe";
        store.AddShortCut(shortCut);
    });
    // What the index on (ShortCutGroupName, FileName) is worth.
    TSqliteDatabase(filePath).Execute("DROP INDEX t_sc_by_group");
    figures.GetShortCutsWithoutIndex =
        MedianMicroseconds(ReadRepeats, [&](int) { store.GetShortCuts(category); });
    return figures;
}

void PrintRow(const char* label, const TFigures& figures)
{
    std::printf("%-16s %12.0f %14.0f %18.0f %12.0f %12.0f\n", label, figures.GetShortCuts,
                figures.GetShortCutsWithoutIndex, figures.GetShortCutGroups, figures.TrayRead,
                figures.AddShortCut);
}

void PrintGrowth(const TFigures& from, const TFigures& to)
{
    const auto ratio = [](double before, double after) { return after / before; };
    std::printf("%-16s %11.1fx %13.1fx %17.1fx %11.1fx %11.1fx\n",
                qPrintable(QString("%1 -> %2").arg(from.ShortCuts).arg(to.ShortCuts)),
                ratio(from.GetShortCuts, to.GetShortCuts),
                ratio(from.GetShortCutsWithoutIndex, to.GetShortCutsWithoutIndex),
                ratio(from.GetShortCutGroups, to.GetShortCutGroups),
                ratio(from.TrayRead, to.TrayRead), ratio(from.AddShortCut, to.AddShortCut));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    TEnvironment environment;
    Env = &environment;

    std::printf("Catalogue operations, median microseconds; %d categories, shortcuts spread evenly"
                ", half of them programs with a picture; AddShortCut includes its synced commit.\n",
                CategoryCount);
    std::printf("%-16s %12s %14s %18s %12s %12s\n", "shortcuts", "GetShortCuts", "(no index)",
                "GetShortCutGroups", "tray read", "AddShortCut");
    std::vector<TFigures> all;
    for (const int shortCuts : {100, 1000, 10000}) {
        all.push_back(Measure(shortCuts));
        PrintRow(QByteArray::number(shortCuts).constData(), all.back());
        std::fflush(stdout);
    }
    std::printf("growth\n");
    for (std::size_t index = 1; index < all.size(); ++index)
        PrintGrowth(all[index - 1], all[index]);
    return 0;
}
