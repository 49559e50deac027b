// The catalogue's ten operations on a real database in a temporary drive.

#include "TestSupport.h"
#include "uDataModule.h"
#include "uEnvironment.h"
#include "uError.h"

#include <QFileInfo>
#include <QStringList>
#include <QTest>
#include <functional>

namespace {

// A fresh catalogue in data/ of a temporary drive, with the environment service the pictures
// of programs need.
struct TCatalogue {
    TTempDrive Drive;
    TEnvironment Environment;
    Tdm Store;

    TCatalogue()
    {
        Env = &Environment;
        Store.DataModuleCreate();
    }
    ~TCatalogue() { Env = nullptr; }

    QString FilePath() const { return Store.DataDir + '/' + Tdm::DatabaseFileName(); }

    // Writes rows as another program might have left them, with values the operations never
    // store themselves (NULLs).
    void ExecuteRaw(const char* sql) const { TSqliteDatabase(FilePath()).Execute(sql); }

    // "name=groupindex|..." as stored, by position.
    QString Positions() const
    {
        TSqliteDatabase database(FilePath());
        TSqliteStatement query(database.Handle(),
                               "SELECT groupname, groupindex FROM t_scg ORDER BY groupindex");
        QStringList rows;
        while (query.Step())
            rows.append(query.Text(0) + '=' + query.Text(1));
        return rows.join('|');
    }

    QByteArray StoredPicture(const QString& fileName) const
    {
        TSqliteDatabase database(FilePath());
        TSqliteStatement query(database.Handle(), "SELECT FICON FROM t_sc WHERE FileName = ?1");
        query.Bind(1, fileName);
        return query.Step() ? query.Blob(0) : QByteArray();
    }

    QString FileNames(const QString& groupName)
    {
        QStringList names;
        for (const TQShortCut& shortCut : Store.GetShortCuts(groupName))
            names.append(shortCut.FileName);
        return names.join('|');
    }

    // "name:imageindex|..." in the order the operation lists them.
    QString Groups()
    {
        QStringList groups;
        for (const TQShortCutGroup& group : Store.GetShortCutGroups())
            groups.append(group.GroupName + ':' + QString::number(group.ImageIndex));
        return groups.join('|');
    }

    void AddShortCut(const QString& groupName, const QString& fileName, const QString& text = "t",
                     const QString& parameters = {})
    {
        TQShortCut shortCut;
        shortCut.GroupName = groupName;
        shortCut.SCText = text;
        shortCut.FileName = fileName;
        shortCut.Parameters = parameters;
        Store.AddShortCut(shortCut);
    }

    void AddGroup(const QString& name, int imageIndex = 0)
    {
        Store.AddShortCutGroup({name, imageIndex});
    }

    void DeleteShortCut(const QString& fileName)
    {
        TQShortCut shortCut;
        shortCut.FileName = fileName;
        Store.DeleteShortCut(shortCut);
    }
};

QString Describe(const TQShortCut& shortCut)
{
    return QStringList{shortCut.GroupName, shortCut.SCText, shortCut.FileName, shortCut.Parameters,
                       shortCut.Icon.isNull() ? "no picture" : "picture"}
        .join('|');
}

// The only shortcut of a category, described; "none" or "several" otherwise.
QString OnlyShortCut(TCatalogue& catalogue, const QString& groupName)
{
    const QList<TQShortCut> shortCuts = catalogue.Store.GetShortCuts(groupName);
    if (shortCuts.size() != 1)
        return shortCuts.isEmpty() ? "none" : "several";
    return Describe(shortCuts.first());
}

QString Bool(bool value)
{
    return value ? "true" : "false";
}

// "done", or the message the operation raised.
QString Outcome(const std::function<void()>& operation)
{
    try {
        operation();
        return "done";
    } catch (const EVelmoError& error) {
        return error.Message();
    }
}

QString Joined(const QStringList& parts)
{
    return parts.join(" / ");
}

using TScenario = std::function<QString(TCatalogue&)>;
using TOperation = std::function<void(Tdm&)>;

} // namespace

Q_DECLARE_METATYPE(TScenario)
Q_DECLARE_METATYPE(TOperation)

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void edgeCases_data();
    void edgeCases();
    void hostileTextsRoundTrip_data();
    void hostileTextsRoundTrip();
    void operationsWithoutCatalogueRaiseTheReason_data();
    void operationsWithoutCatalogueRaiseTheReason();
};

void TestCatalogue::edgeCases_data()
{
    QTest::addColumn<TScenario>("scenario");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first category goes to position 1") << TScenario([](TCatalogue& c) {
        c.AddGroup("A");
        return c.Positions();
    }) << "A=1";
    QTest::newRow("after positions 1, 2 and 5 comes 6") << TScenario([](TCatalogue& c) {
        c.AddGroup("A");
        c.AddGroup("B");
        c.AddGroup("C");
        c.Store.SetShortCutGroupIndex("C", 5);
        c.AddGroup("D");
        return c.Positions();
    }) << "A=1|B=2|C=5|D=6";
    QTest::newRow("a category without position counts as none") << TScenario([](TCatalogue& c) {
        c.ExecuteRaw("INSERT INTO t_scg VALUES (NULL, 'X', 3)");
        c.AddGroup("A");
        return c.Positions();
    }) << "X=|A=1";
    QTest::newRow("equal positions list by name") << TScenario([](TCatalogue& c) {
        c.AddGroup("B");
        c.AddGroup("A");
        c.Store.SetShortCutGroupIndex("A", 1);
        return c.Groups();
    }) << "A:0|B:0";
    QTest::newRow("a category set to its own position again") << TScenario([](TCatalogue& c) {
        c.AddGroup("A");
        return Outcome([&] { c.Store.SetShortCutGroupIndex("A", 1); }) + '|' + c.Positions();
    }) << "done|A=1";
    QTest::newRow("picture index kept, NULL reads 0") << TScenario([](TCatalogue& c) {
        c.AddGroup("A", 44);
        c.ExecuteRaw("INSERT INTO t_scg VALUES (2, 'B', NULL)");
        return c.Groups();
    }) << "A:44|B:0";

    QTest::newRow("category O'Neil") << TScenario([](TCatalogue& c) {
        c.AddGroup("O'Neil");
        c.Store.SetShortCutGroupIndex("O'Neil", 3);
        return Joined({Bool(c.Store.ShortCutGroupExists("O'Neil")), c.Positions()});
    }) << "true / O'Neil=3";
    QTest::newRow("quotes in a path") << TScenario([](TCatalogue& c) {
        const QString path = R"(/media/O'Neil/"Q" ''x''.com)";
        c.AddShortCut("O'Neil", path, "O'Neil's");
        return Joined({Bool(c.Store.ShortCutExists(path)), OnlyShortCut(c, "O'Neil")});
    }) << R"(true / O'Neil|O'Neil's|/media/O'Neil/"Q" ''x''.com||no picture)";

    QTest::newRow("paths differing in letter case are two shortcuts")
        << TScenario([](TCatalogue& c) {
               c.AddShortCut("G", "/apps/App.com");
               const bool found = c.Store.ShortCutExists("/apps/app.com");
               c.AddShortCut("G", "/apps/app.com");
               return Joined({Bool(found), c.FileNames("G")});
           })
        << "false / /apps/App.com|/apps/app.com";
    QTest::newRow("names differing in letter case are two categories")
        << TScenario([](TCatalogue& c) {
               c.AddGroup("Tools");
               const bool found = c.Store.ShortCutGroupExists("tools");
               c.AddGroup("tools");
               return Joined({Bool(found), c.Groups()});
           })
        << "false / Tools:0|tools:0";
    QTest::newRow("nothing trimmed or expanded") << TScenario([](TCatalogue& c) {
        qputenv("removedrive", c.Drive.Root().toUtf8());
        c.AddShortCut("G ", "%removedrive%/x.com");
        return Joined({Bool(c.Store.ShortCutExists("%removedrive%/x.com ")),
                       Bool(c.Store.ShortCutExists(c.Drive.Root() + "/x.com")),
                       Bool(c.Store.ShortCutExists("%REMOVEDRIVE%/x.com")), c.FileNames("G"),
                       c.FileNames("G ")});
    }) << "false / false / false /  / %removedrive%/x.com";
    QTest::newRow("shortcuts come in byte order of their paths") << TScenario([](TCatalogue& c) {
        for (const char* path : {"b", "B", "\xc3\xa9", "a", "Z", "\xe4\xb8\xad", "_", "%"})
            c.AddShortCut("G", QString::fromUtf8(path));
        return c.FileNames("G");
    }) << QString::fromUtf8("%|B|Z|_|a|b|\xc3\xa9|\xe4\xb8\xad");

    QTest::newRow("empty parameters read back empty") << TScenario([](TCatalogue& c) {
        c.AddShortCut("G", "/x.com", "t", "");
        return OnlyShortCut(c, "G");
    }) << "G|t|/x.com||no picture";
    QTest::newRow("NULL parameters and picture read back empty") << TScenario([](TCatalogue& c) {
        c.ExecuteRaw("INSERT INTO t_sc VALUES ('G', 't', '/x.exe', NULL, NULL)");
        return OnlyShortCut(c, "G");
    }) << "G|t|/x.exe||no picture";
    QTest::newRow("a file that is no program stores no picture") << TScenario([](TCatalogue& c) {
        c.AddShortCut("G", "/tools/run.bat");
        return Joined({OnlyShortCut(c, "G"), Bool(c.StoredPicture("/tools/run.bat").isEmpty())});
    }) << "G|t|/tools/run.bat||no picture / true";
    QTest::newRow("a program's picture is the one of the moment it was added")
        << TScenario([](TCatalogue& c) {
               TQShortCut shortCut;
               shortCut.FileName = c.Drive.WriteFile("apps/App.EXE");
               c.Store.AddShortCut(shortCut);
               shortCut.LoadIcon();
               const QImage stored = c.Store.GetShortCuts("").value(0).Icon;
               const QImage::Format format = QImage::Format_ARGB32;
               return Bool(!stored.isNull() &&
                           stored.convertToFormat(format) == shortCut.Icon.convertToFormat(format));
           })
        << "true";

    QTest::newRow("a category without its row still lists its shortcuts")
        << TScenario([](TCatalogue& c) {
               c.AddShortCut("Ghost", "/g.com");
               return Joined({c.Groups(), c.FileNames("Ghost")});
           })
        << " / /g.com";
    QTest::newRow("a category without shortcuts lists none") << TScenario([](TCatalogue& c) {
        c.AddGroup("Empty");
        c.AddShortCut("Other", "/o.com");
        return OnlyShortCut(c, "Empty");
    }) << "none";
    QTest::newRow("a removed category's shortcuts still count") << TScenario([](TCatalogue& c) {
        c.AddGroup("G");
        c.AddShortCut("G", "/a.com");
        c.Store.DeleteShortCutGroup("G");
        const QString before = Joined({Bool(c.Store.ShortCutExists("/a.com")), c.Groups()});
        c.AddGroup("G", 7);
        return Joined({before, c.Groups(), c.FileNames("G")});
    }) << "true /  / G:7 / /a.com";
    QTest::newRow("a stored path added again fails and keeps the first")
        << TScenario([](TCatalogue& c) {
               c.AddShortCut("G", "/a.com", "first");
               const QString error = Outcome([&] { c.AddShortCut("H", "/a.com", "second"); });
               return Joined({error, OnlyShortCut(c, "G"), c.FileNames("H")});
           })
        << "UNIQUE constraint failed: t_sc.FileName / G|first|/a.com||no picture / ";
    QTest::newRow("a stored category added again fails and keeps the first")
        << TScenario([](TCatalogue& c) {
               c.AddGroup("A", 3);
               const QString error = Outcome([&] { c.AddGroup("A", 5); });
               return Joined({error, c.Positions(), c.Groups()});
           })
        << "UNIQUE constraint failed: t_scg.groupname / A=1 / A:3";

    QTest::newRow("an update keeps the file and its picture") << TScenario([](TCatalogue& c) {
        const QString path = c.Drive.WriteFile("p.exe");
        c.AddShortCut("G", path, "old", "-a");
        const QByteArray picture = c.StoredPicture(path);
        TQShortCut changed;
        changed.GroupName = "H";
        changed.SCText = "new";
        changed.FileName = "/other.exe";
        changed.Parameters = "-b";
        c.Store.UpdateShortCut(path, changed);
        const TQShortCut stored = c.Store.GetShortCuts("H").value(0);
        return Joined({stored.FileName == path ? "same file" : stored.FileName,
                       stored.SCText + ' ' + stored.Parameters, c.FileNames("G"),
                       Bool(!picture.isEmpty() && c.StoredPicture(path) == picture)});
    }) << "same file / new -b /  / true";
    QTest::newRow("a shortcut deleted twice") << TScenario([](TCatalogue& c) {
        c.AddShortCut("G", "/a.com");
        c.AddShortCut("G", "/b.com");
        c.DeleteShortCut("/a.com");
        return Joined({Outcome([&] { c.DeleteShortCut("/a.com"); }), c.FileNames("G")});
    }) << "Update failed / /b.com";
    QTest::newRow("a removed shortcut updated") << TScenario([](TCatalogue& c) {
        TQShortCut changed;
        changed.GroupName = "G";
        return Joined(
            {Outcome([&] { c.Store.UpdateShortCut("/gone.com", changed); }), c.FileNames("G")});
    }) << "Update failed / ";
    QTest::newRow("a removed category positioned") << TScenario([](TCatalogue& c) {
        return Joined({Outcome([&] { c.Store.SetShortCutGroupIndex("Gone", 1); }), c.Groups()});
    }) << "Update failed / ";
    QTest::newRow("a category deleted twice") << TScenario([](TCatalogue& c) {
        c.AddGroup("A");
        c.AddGroup("B");
        c.Store.DeleteShortCutGroup("A");
        return Joined({Outcome([&] { c.Store.DeleteShortCutGroup("A"); }), c.Groups()});
    }) << "Update failed / B:0";
}

void TestCatalogue::edgeCases()
{
    QFETCH(TScenario, scenario);
    QFETCH(QString, expected);
    TCatalogue catalogue;
    QCOMPARE(scenario(catalogue), expected);
}

void TestCatalogue::hostileTextsRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("percent") << "%";
    QTest::newRow("underscore") << "dec_y";
    QTest::newRow("backslashes") << R"(C:\Program Files\a\\b\)";
    QTest::newRow("comment") << "a -- b /* c";
    QTest::newRow("injection") << "'; DROP TABLE t_sc; --";
    QTest::newRow("quotes") << R"(O'Neil "x" `y` '')";
    QTest::newRow("emoji") << QString::fromUtf8(
        "\xf0\x9f\x9a\x80 \xf0\x9f\x91\x8d\xf0\x9f\x8f\xbd");
    QTest::newRow("chinese") << QString::fromUtf8(
        "\xe5\xb7\xa5\xe5\x85\xb7 \xe7\xa8\x8b\xe5\xba\x8f");
    QTest::newRow("spaces around") << "  padded\t";
    QTest::newRow("10,000 characters")
        << (QString::fromUtf8("a'%_\\\xe4\xb8\xad\xf0\x9f\x9a\x80").repeated(1250));
}

void TestCatalogue::hostileTextsRoundTrip()
{
    QFETCH(QString, text);
    QCOMPARE_GE(text.size(), 1);
    TCatalogue c;
    // A neighbour that a text treated as a pattern or as SQL would hit.
    c.AddGroup("decoy");
    c.AddShortCut("decoy", "decoy", "decoy", "decoy");

    c.AddShortCut(text, text, text, text);
    QVERIFY(c.Store.ShortCutExists(text));
    QCOMPARE(OnlyShortCut(c, text), QStringList(4, text).join('|') + "|no picture");

    TQShortCut changed;
    changed.GroupName = text + "2";
    changed.SCText = "3" + text;
    changed.Parameters = text + text;
    changed.FileName = "ignored";
    c.Store.UpdateShortCut(text, changed);
    const TQShortCut updated = c.Store.GetShortCuts(text + "2").value(0);
    QCOMPARE(updated.SCText, "3" + text);
    QCOMPARE(updated.Parameters, text + text);
    QCOMPARE(updated.FileName, text);

    c.AddGroup(text, 9);
    QVERIFY(c.Store.ShortCutGroupExists(text));
    c.Store.SetShortCutGroupIndex(text, 7);
    const QList<TQShortCutGroup> groups = c.Store.GetShortCutGroups();
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groups.at(1).GroupName, text);
    QCOMPARE(groups.at(1).ImageIndex, 9);

    c.DeleteShortCut(text);
    c.Store.DeleteShortCutGroup(text);
    QVERIFY(!c.Store.ShortCutExists(text));
    QVERIFY(!c.Store.ShortCutGroupExists(text));
    QCOMPARE(c.Groups(), "decoy:0");
    QCOMPARE(OnlyShortCut(c, "decoy"), "decoy|decoy|decoy|decoy|no picture");
}

void TestCatalogue::operationsWithoutCatalogueRaiseTheReason_data()
{
    QTest::addColumn<TOperation>("operation");
    const TQShortCut shortCut;
    QTest::newRow("ShortCutExists") << TOperation([](Tdm& d) { d.ShortCutExists("/a"); });
    QTest::newRow("AddShortCut") << TOperation([=](Tdm& d) { d.AddShortCut(shortCut); });
    QTest::newRow("DeleteShortCut") << TOperation([=](Tdm& d) { d.DeleteShortCut(shortCut); });
    QTest::newRow("UpdateShortCut")
        << TOperation([=](Tdm& d) { d.UpdateShortCut("/a", shortCut); });
    QTest::newRow("GetShortCuts") << TOperation([](Tdm& d) { d.GetShortCuts("G"); });
    QTest::newRow("GetShortCutGroups") << TOperation([](Tdm& d) { d.GetShortCutGroups(); });
    QTest::newRow("ShortCutGroupExists") << TOperation([](Tdm& d) { d.ShortCutGroupExists("G"); });
    QTest::newRow("AddShortCutGroup") << TOperation([](Tdm& d) { d.AddShortCutGroup({"G", 0}); });
    QTest::newRow("SetShortCutGroupIndex")
        << TOperation([](Tdm& d) { d.SetShortCutGroupIndex("G", 1); });
    QTest::newRow("DeleteShortCutGroup") << TOperation([](Tdm& d) { d.DeleteShortCutGroup("G"); });
}

void TestCatalogue::operationsWithoutCatalogueRaiseTheReason()
{
    QFETCH(TOperation, operation);
    TTempDrive drive;
    drive.WriteFile("data"); // a file where the data folder should be
    Tdm store;
    QVERIFY_THROWS_EXCEPTION(EVelmoError, store.DataModuleCreate());
    const QString reason = "Cannot create " + drive.DataDir();
    QCOMPARE(Outcome([&] { operation(store); }), reason);
    QVERIFY(QFileInfo(drive.DataDir()).isFile());
}

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
