// Fills a folder as a demo drive: VELMO's catalogue beside where the program will sit, with
// categories in Chinese and Latin, Windows programs that carry their own icons, a batch
// file, a .com program, a document and a program that is missing.
#include "uDataModule.h"
#include "uEnvironment.h"
#include "uPlatform.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

namespace {

class TDemoProgramLocation : public IProgramLocation {
public:
    explicit TDemoProgramLocation(QString path)
        : m_path(std::move(path))
    {
    }
    QString FilePath() const override { return m_path; }

private:
    QString m_path;
};

QString WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}

QString CopyWindowsProgram(const QString& drive, const QString& name, const QString& folder)
{
    const QString source = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/" + name;
    const QString target = drive + '/' + folder + '/' + name;
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!QFile::copy(source, target))
        WriteFile(target, "MZ"); // without wine's programs: a file that has no icon
    return target;
}

void Add(const QString& category, const QString& name, const QString& path,
         const QString& parameters = {})
{
    TQShortCut shortCut;
    shortCut.GroupName = category;
    shortCut.SCText = name;
    shortCut.FileName = path;
    shortCut.Parameters = parameters;
    dm->AddShortCut(shortCut);
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: velmo_demo_drive <empty folder>\n";
        return 2;
    }
    const QString drive = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    Platform().Program = std::make_unique<TDemoProgramLocation>(drive + "/velmo");
    TEnvironment environment;
    Env = &environment;
    qputenv("removedrive", QFile::encodeName(drive));

    Tdm data;
    dm = &data;
    data.DataModuleCreate();
    const QString tools = QString::fromUtf8("常用工具");
    const QString games = QString::fromUtf8("遊戲");
    data.AddShortCutGroup({tools, 6});
    data.AddShortCutGroup({games, 13});
    data.AddShortCutGroup({"Office", 14});
    data.AddShortCutGroup({QString::fromUtf8("網路"), 2});

    CopyWindowsProgram(drive, "notepad.exe", "Apps/Notepad");
    Add(tools, QString::fromUtf8("記事本"), "%removedrive%/Apps/Notepad/notepad.exe");
    Add(tools, "Registry", CopyWindowsProgram(drive, "regedit.exe", "Apps/Regedit"));
    Add(tools, QString::fromUtf8("控制台"),
        CopyWindowsProgram(drive, "control.exe", "Apps/Control"));
    Add(tools, "Backup", WriteFile(drive + "/Apps/Backup/backup.bat", "@echo off\r\n"));
    Add(tools, "Edit", WriteFile(drive + "/Apps/Edit/edit.com", "\xb4\x4c\xcd\x21"));
    Add(tools, QString::fromUtf8("說明文件"),
        WriteFile(drive + "/Docs/readme.txt", "VELMO demo\n"));
    Add(tools, "Missing", drive + "/Apps/Gone/gone.exe");
    Add(games, QString::fromUtf8("踩地雷"), CopyWindowsProgram(drive, "winemine.exe", "Games/Mine"),
        "-beginner");
    Add("Office", "Wordpad", CopyWindowsProgram(drive, "wordpad.exe", "Office/Wordpad"));
    return 0;
}
