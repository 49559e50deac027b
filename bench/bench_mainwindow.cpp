// Times what the user waits for in the main window: loading a category of 500 shortcuts
// with stored icons, and building the tray menu for 50 categories of 40 shortcuts. Beside
// each, a plain SQLite read of the same rows in the same run, so the figure is a ratio to
// the floor. It prints; it never passes or fails.
#include "TestSupport.h"
#include "uDataModule.h"
#include "uEnvironment.h"
#include "uFrmMain.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

constexpr int Repetitions = 15;

double MedianMs(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < Repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QByteArray IconPng(int seed)
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(QColor::fromHsv(seed * 37 % 360, 200, 220));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    icon.save(&buffer, "PNG");
    return png;
}

// Rows written straight into the tables: existing .exe files with a stored picture each.
void Fill(const TTempDrive& drive, const QString& category, int count, int categoryIndex)
{
    TSqliteDatabase db(drive.DataDir() + "/velmo.db");
    db.Execute("BEGIN");
    TSqliteStatement group(db.Handle(), "INSERT INTO t_scg VALUES (?, ?, ?)");
    group.Bind(1, qint64(categoryIndex))
        .Bind(2, category)
        .Bind(3, qint64(categoryIndex % 45))
        .Run();
    for (int i = 0; i < count; ++i) {
        const QString path = drive.WriteFile(QString("%1/p%2.exe").arg(category).arg(i), "MZ");
        TSqliteStatement row(db.Handle(), "INSERT INTO t_sc VALUES (?, ?, ?, '', ?)");
        row.Bind(1, category)
            .Bind(2, QString("Program %1").arg(i))
            .Bind(3, path)
            .Bind(4, IconPng(i))
            .Run();
    }
    db.Execute("COMMIT");
}

double PlainReadMs(const TTempDrive& drive, const QStringList& categories)
{
    TSqliteDatabase db(drive.DataDir() + "/velmo.db");
    return MedianMs([&] {
        for (const QString& category : categories) {
            TSqliteStatement rows(db.Handle(), "SELECT * FROM t_sc WHERE ShortCutGroupName = ?");
            rows.Bind(1, category);
            while (rows.Step())
                (void)rows.Blob(4);
        }
    });
}

void Report(QTextStream& out, const char* what, double velmoMs, double floorMs)
{
    out << QString("%1  %2 ms   plain SQLite read %3 ms   ratio %4\n")
               .arg(what, -44)
               .arg(velmoMs, 8, 'f', 2)
               .arg(floorMs, 7, 'f', 2)
               .arg(velmoMs / floorMs, 6, 'f', 1);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    TTempDrive drive;
    Tdm data;
    dm = &data;
    data.DataModuleCreate();

    Fill(drive, "Big", 500, 1);
    QStringList trayCategories;
    for (int c = 0; c < 50; ++c) {
        trayCategories.append(QString("Tray%1").arg(c, 2, 10, QChar('0')));
        Fill(drive, trayCategories.last(), 40, c + 2);
    }

    TfrmMain window;
    Report(out, "load a category of 500 shortcuts", MedianMs([&] { window.LoadShortCuts("Big"); }),
           PlainReadMs(drive, {"Big"}));
    Report(out, "tray menu, 51 categories, 2,500 shortcuts",
           MedianMs([&] { window.BuildTrayMenu(); }),
           PlainReadMs(drive, trayCategories + QStringList{"Big"}));
    dm = nullptr;
    return 0;
}
